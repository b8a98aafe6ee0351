// Grid refill and whole start-up, each beside its floor in the same run:
//   GridRefill      the rows, all built beforehand, handed to a shown Grid
//   GridLazyRefill  the same rows through a provider, as the window shows lists
//   Floor_TableViewRefill  a plain QTableView over a minimal model of the same
#include "bench_support.h"

#include "main_window/main_form.h"
#include "ui/grid.h"
#include "ui/time_source.h"
#include "ui/ui.h"

#include <QApplication>
#include <QTableView>
#include <sys/resource.h>

namespace {

// December's days in turn.
QString dayOfItem(int i) { return QStringLiteral("2026/12/%1").arg(1 + i % 28, 2, 10, QLatin1Char('0')); }

std::vector<QStringList> sampleRows()
{
    std::vector<QStringList> rows;
    rows.reserve(kItems);
    for (int i = 0; i < kItems; ++i)
        rows.push_back(
            {dayOfItem(i), QStringLiteral("%1:30").arg(8 + i % 10, 2, 10, QLatin1Char('0')), meetingText(i), kOwnName});
    return rows;
}

void Floor_TableViewRefill(benchmark::State& state) { refillTableView<QTableView>(state, sampleRows()); }
BENCHMARK(Floor_TableViewRefill)->Unit(benchmark::kMillisecond);

void GridRefill(benchmark::State& state)
{
    const auto rows = sampleRows();
    refillShownGrid<Grid>(state, [&rows](Grid& grid) { grid.replaceItems(rows); });
}
BENCHMARK(GridRefill)->Unit(benchmark::kMillisecond);

void GridLazyRefill(benchmark::State& state)
{
    const auto rows = sampleRows();
    refillShownGrid<Grid>(state, [&rows](Grid& grid) {
        grid.showItems(int(rows.size()), [&rows](int i) { return rows[std::size_t(i - 1)]; });
    });
}
BENCHMARK(GridLazyRefill)->Unit(benchmark::kMillisecond);

// `count` plain items over December, two in three at 10:30, the rest without a time.
template <class T> ItemList<T> regularList(int count)
{
    return sampleList<T>(count, [](T& item, int i) {
        item.date = Field(dayOfItem(i));
        item.time = Field(i % 3 ? "10:30" : "99:99");
        item.content = Field(meetingText(i));
        item.person = Field(kOwnName);
        item.alarm = Field::number(i % 2);
    });
}

void startUp(benchmark::State& state, int count)
{
    StartupFolders folders;
    folders.putList(kTodoFileName, regularList<TodoItem>(count));
    folders.putList(kScheduleFileName, regularList<ScheduleItem>(count));
    SystemTimeSource time;
    QtUi ui;
    for (auto _ : state) {
        Main_Form form(folders.programDir, ui, time);
        if (!form.Form_Load())
            state.SkipWithError("start-up failed");
        form.show();
        QCoreApplication::processEvents();
    }
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    state.counters["peak_MB"] = double(usage.ru_maxrss) / 1024.0;
}

void Floor_StartupEmptyLists(benchmark::State& state) { startUp(state, 0); }
BENCHMARK(Floor_StartupEmptyLists)->Unit(benchmark::kMillisecond);

void StartupTwoFullLists(benchmark::State& state) { startUp(state, kItems); }
BENCHMARK(StartupTwoFullLists)->Unit(benchmark::kMillisecond);

}   // namespace

int main(int argc, char** argv) { return runBenchmarks<QApplication>(argc, argv); }
