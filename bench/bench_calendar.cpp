// A click on a calendar day that the user cancels: the entry form comes and
// goes, then both own lists of 30000 items are sorted by date and time and
// redisplayed. Beside it, the floor in the same run: the same halving-gap
// Shell sort passes over the bare keys and two grid refills.
#include "bench_support.h"
#include "quiet_ui.h"

#include "main_window/list_rows.h"
#include "main_window/main_form.h"
#include "ui/grid.h"
#include "ui/time_source.h"
#include "ui/ui.h"

#include <QApplication>
#include <QDialog>
#include <QPushButton>
#include <memory>
#include <random>

namespace {

// Quiet, but the entry form cancelled with its own button, and the real yielding.
class CancellingUi final : public QuietUi {
public:
    int runModal(QDialog& dialog) override
    {
        if (auto* cancel = dialog.findChild<QPushButton*>(QStringLiteral("Command26")))
            cancel->click();
        else
            dialog.reject();
        return dialog.result();
    }
    void yieldToEvents() override { qt_.yieldToEvents(); }

private:
    QtUi qt_;
};

// Plain items in random date order.
template <class T> ItemList<T> randomMeetings(unsigned seed)
{
    return randomList<T>(seed, [](T& item, int i, std::mt19937& rng) {
        item.content = Field(meetingText(i));
        item.person = Field(kOwnName);
        item.alarm = Field::number(int(rng() % 2));
    });
}

// A main window started on two full lists in random order, shown offscreen.
struct Window {
    StartupFolders folders;
    FixedTimeSource time{QDateTime(QDate(2026, 12, 10), QTime(10, 0))};
    CancellingUi ui;
    std::unique_ptr<Main_Form> form;
    ItemList<TodoItem> loadedTodos;
    ItemList<ScheduleItem> loadedSchedules;

    Window()
    {
        loadedTodos = randomMeetings<TodoItem>(1);
        loadedSchedules = randomMeetings<ScheduleItem>(2);
        folders.putList(kTodoFileName, loadedTodos);
        folders.putList(kScheduleFileName, loadedSchedules);
        start();
    }
    bool ok() const { return form && form->presenter().store().todoCount() == kItems; }
    // A window started afresh on the files, so the lists are in random order
    // again (the window never saves: the Ui cancels every dialog, and it is
    // thrown away without closing).
    void start()
    {
        form.reset();
        form = std::make_unique<Main_Form>(folders.programDir, ui, time);
        if (!form->Form_Load()) {
            form.reset();
            return;
        }
        form->show();
        QCoreApplication::processEvents();
    }
};

// Made on first use, gone before the application object.
std::unique_ptr<Window> theWindow;
Window& window()
{
    if (!theWindow)
        theWindow = std::make_unique<Window>();
    return *theWindow;
}

// Arg 0: the lists in the random order they were loaded in. Arg 1: already in
// date order, as on every click after the first.
void CalendarCancel(benchmark::State& state)
{
    Window& w = window();
    if (!w.ok()) {
        state.SkipWithError("start-up failed");
        return;
    }
    const bool sorted = state.range(0) == 1;
    if (sorted)
        w.form->CSCalendar1_Click();
    for (auto _ : state) {
        if (!sorted) {
            state.PauseTiming();
            w.start();
            state.ResumeTiming();
        }
        w.form->CSCalendar1_Click();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(CalendarCancel)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

template <class T> std::vector<QString> bareKeys(const ItemList<T>& list)
{
    std::vector<QString> keys;
    keys.reserve(std::size_t(list.count()));
    for (const T& item : list.items())
        keys.push_back(item.date.text() + item.time.text());
    return keys;
}

// The floor: two bare-key Shell sorts and two refills of the same grids.
void Floor_SortKeysAndRefill(benchmark::State& state)
{
    Window& w = window();
    if (!w.ok()) {
        state.SkipWithError("start-up failed");
        return;
    }
    std::vector<QString> todoKeys = bareKeys(w.loadedTodos);
    std::vector<QString> scheduleKeys = bareKeys(w.loadedSchedules);
    if (state.range(0) == 1) {
        shellSortKeys(todoKeys);
        shellSortKeys(scheduleKeys);
    }
    const std::vector<QStringList> todoRows = allRows(w.loadedTodos);
    const std::vector<QStringList> scheduleRows = allRows(w.loadedSchedules);
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<QString> a = todoKeys;
        std::vector<QString> b = scheduleKeys;
        std::vector<QStringList> r1 = todoRows;
        std::vector<QStringList> r2 = scheduleRows;
        state.ResumeTiming();
        shellSortKeys(a);
        w.form->Grid1->replaceItems(std::move(r1));
        shellSortKeys(b);
        w.form->Grid2->replaceItems(std::move(r2));
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(a.data());
        benchmark::DoNotOptimize(b.data());
    }
}
BENCHMARK(Floor_SortKeysAndRefill)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}   // namespace

int main(int argc, char** argv)
{
    return runBenchmarks<QApplication>(argc, argv, [] { theWindow.reset(); });
}
