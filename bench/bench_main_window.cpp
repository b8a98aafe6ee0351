// Grid refill and whole start-up, each beside its floor in the same run:
//   GridRefill      the rows, all built beforehand, handed to a shown Grid
//   GridLazyRefill  the same rows through a provider, as the window shows lists
//   Floor_TableViewRefill  a plain QTableView over a minimal model of the same
//   StartupTwoFullLists    a fresh process from building the window to its first
//                          paint, both own lists full
//   Floor_StartupEmptyLists  the same start with both lists empty
#include "bench_support.h"

#include "main_window/main_form.h"
#include "ui/grid.h"
#include "ui/time_source.h"
#include "ui/ui.h"

#include <QApplication>
#include <QElapsedTimer>
#include <QProcess>
#include <QTableView>
#include <cstdio>
#include <cstring>
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

// One start-up in a process of its own, as the user meets it: the memory the
// lists take is fresh from the system and nothing the benchmark did before
// (building the sample lists, earlier start-ups) is in the caches or the heap.
// The child prints the nanoseconds from building the window to its first paint.
constexpr char kOneStart[] = "--one-start";

int oneStart(const QString& programDir)
{
    SystemTimeSource time;
    QtUi ui;
    QElapsedTimer clock;
    clock.start();
    Main_Form form(programDir, ui, time);
    if (!form.Form_Load())
        return 1;
    form.show();
    QCoreApplication::processEvents();
    const qint64 ns = clock.nsecsElapsed();
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    std::printf("%lld %ld\n", static_cast<long long>(ns), usage.ru_maxrss);
    return 0;
}

void startUp(benchmark::State& state, int count)
{
    StartupFolders folders;
    folders.putList(kTodoFileName, regularList<TodoItem>(count));
    folders.putList(kScheduleFileName, regularList<ScheduleItem>(count));
    long peakKb = 0;
    for (auto _ : state) {
        QProcess child;
        child.start(QCoreApplication::applicationFilePath(), {QLatin1String(kOneStart), folders.programDir});
        long long ns = 0;
        if (!child.waitForFinished(60000) || child.exitCode() != 0 ||
            std::sscanf(child.readAllStandardOutput().constData(), "%lld %ld", &ns, &peakKb) != 2) {
            state.SkipWithError("start-up failed");
            break;
        }
        state.SetIterationTime(double(ns) / 1e9);
    }
    state.counters["peak_MB"] = double(peakKb) / 1024.0;
}

void Floor_StartupEmptyLists(benchmark::State& state) { startUp(state, 0); }
BENCHMARK(Floor_StartupEmptyLists)->UseManualTime()->Unit(benchmark::kMillisecond);

void StartupTwoFullLists(benchmark::State& state) { startUp(state, kItems); }
BENCHMARK(StartupTwoFullLists)->UseManualTime()->Unit(benchmark::kMillisecond);

}   // namespace

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], kOneStart) == 0) {
        if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
            qputenv("QT_QPA_PLATFORM", "offscreen");
        QApplication app(argc, argv);
        return oneStart(QString::fromLocal8Bit(argv[2]));
    }
    return runBenchmarks<QApplication>(argc, argv);
}
