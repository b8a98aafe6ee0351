// Deleting and changing an item of a full list, each beside its floor:
//   DeleteFirst         "削除" of item 1 of a 30000-item list, then the grid shown again
//   Floor_SaveAndRefill one save of a 29999-item list plus one refill of the grid
//   ChangeInPlace       "登録" of a change to item 1 of a 30000-item list
//   Floor_Save          one save of that list
#include "bench_support.h"
#include "quiet_forms.h"
#include "quiet_ui.h"

#include "entry/registration.h"
#include "main_window/list_rows.h"
#include "main_window/presenter.h"
#include "ui/grid.h"
#include "ui/time_source.h"
#include "ui/ui.h"

#include <QApplication>
#include <QDialog>

namespace {

ItemList<TodoItem> openTodos()
{
    return randomList<TodoItem>(11, [](TodoItem& item, int i, std::mt19937&) {
        item.content = Field(meetingText(i));
        item.person = Field(kOwnName);
        item.alarm = Field::number(0);
    });
}

struct Started {
    StartupFolders folders;
    FixedTimeSource time{QDateTime(QDate(2026, 12, 10), QTime(10, 0))};
    QuietUi ui;
    QuietForms forms;
    Presenter presenter{folders.programDir, ui, forms, time};
    Grid grid;
    bool ok = false;

    Started()
    {
        folders.putList(kTodoFileName, openTodos());
        ok = presenter.start() == Presenter::Start::Run;
        grid.setCols(4);
        grid.resize(600, 300);
        grid.show();
        showList(grid, presenter.store().todos);
    }
};

void DeleteFirst(benchmark::State& state)
{
    Started s;
    if (!s.ok)
        state.SkipWithError("start-up failed");
    for (auto _ : state) {
        const int before = s.presenter.store().todos.count();
        (void)s.presenter.select(ListChoice::Todo, 1);
        (void)s.presenter.deleteItem(1);
        if (s.presenter.store().todos.count() != before - 1)
            state.SkipWithError("not deleted");
        showList(s.grid, s.presenter.store().todos);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(DeleteFirst)->Unit(benchmark::kMillisecond);

void Floor_SaveAndRefill(benchmark::State& state)
{
    Started s;
    ItemStore store;
    store.todos = openTodos();
    store.todos.removeAt(1);
    store.todoHeader = newListHeader();
    for (auto _ : state) {
        if (!saveList(s.folders.dataDir, ListKind::Todo, store).ok())
            state.SkipWithError("save failed");
        showList(s.grid, store.todos);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(Floor_SaveAndRefill)->Unit(benchmark::kMillisecond);

void ChangeInPlace(benchmark::State& state)
{
    Started s;
    if (!s.ok)
        state.SkipWithError("start-up failed");
    EntryState& entry = s.forms.filledIn;
    entry.kind = EntryKind::Todo;
    entry.deadline = Deadline::OnDate;
    entry.year = QStringLiteral("2026");
    entry.month = QStringLiteral("12");
    entry.day = QStringLiteral("24");
    entry.hour = QStringLiteral("10");
    entry.minute = QStringLiteral("30");
    entry.person = kOwnName;
    int n = 0;
    for (auto _ : state) {
        entry.content = QStringLiteral("変更%1").arg(++n);
        (void)s.presenter.select(ListChoice::Todo, 1);
        (void)s.presenter.change(1);
        if (s.presenter.store().todos[1].content != Field(entry.content))
            state.SkipWithError("not registered");
    }
}
BENCHMARK(ChangeInPlace)->Unit(benchmark::kMillisecond);

void Floor_Save(benchmark::State& state)
{
    StartupFolders folders;
    ItemStore store;
    store.todos = openTodos();
    store.todoHeader = newListHeader();
    for (auto _ : state)
        if (!saveList(folders.dataDir, ListKind::Todo, store).ok())
            state.SkipWithError("save failed");
}
BENCHMARK(Floor_Save)->Unit(benchmark::kMillisecond);

}   // namespace

int main(int argc, char** argv) { return runBenchmarks<QApplication>(argc, argv); }
