// Deleting and changing an item of a full list, each beside its floor:
//   DeleteFirst         "削除" of item 1 of a 30000-item list, then the grid shown again
//   Floor_SaveAndRefill one save of a 29999-item list plus one refill of the grid
//   ChangeInPlace       "登録" of a change to item 1 of a 30000-item list
//   Floor_Save          one save of that list
#include "bench_support.h"

#include "entry/registration.h"
#include "main_window/list_rows.h"
#include "main_window/workspace.h"
#include "ui/grid.h"
#include "ui/time_source.h"
#include "ui/ui.h"

#include <QApplication>
#include <QDialog>

namespace {

class QuietUi final : public Ui {
public:
    MsgAnswer message(QWidget*, const QString&, MsgButtons, MsgIcon, const QString&) override { return MsgAnswer::Ok; }
    void beep() override {}
    bool openWithShell(const QString&) override { return false; }
    bool editMemo(const QString&) override { return false; }
    void notify(QWidget*, const QString&, const QString&) override {}
    int runModal(QDialog& dialog) override
    {
        dialog.reject();
        return dialog.result();
    }
    void yieldToEvents() override {}
};

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
    Workspace ws{folders.programDir, ui, time};
    Grid grid;
    bool ok = false;

    Started()
    {
        folders.putList(kTodoFileName, openTodos());
        ok = ws.start() == Workspace::Start::Run;
        grid.setCols(4);
        grid.resize(600, 300);
        grid.show();
        showList(grid, ws.store().todos);
    }
};

void DeleteFirst(benchmark::State& state)
{
    Started s;
    if (!s.ok)
        state.SkipWithError("start-up failed");
    for (auto _ : state) {
        if (s.ws.deleteItem(ListChoice::Todo, 1, s.ws.itemBytes(ListChoice::Todo, 1)) != Deletion::Done)
            state.SkipWithError("not deleted");
        showList(s.grid, s.ws.store().todos);
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
    EntryState entry;
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
        EntryContext context = s.ws.entryContext(TargetKind::ChangeTodo, 1, QDate(2026, 12, 24));
        if (registerEntry(context, entry, nullptr).result != RegistrationResult::Done)
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

}  // namespace

int main(int argc, char** argv) { return runBenchmarks<QApplication>(argc, argv); }
