// The three sorts of a full list, the redisplay after a sort and the choice of
// the next alarm, each beside its floor in the same run:
//   Sort/*            sortList on 30000 ToDo items, yielding through QtUi
//   Floor_ShellSort/* the same passes over a bare vector of the same keys
//   Redisplay         a sorted list shown again in a shown Grid, as the window
//                     does it (rows built as the grid draws them)
//   Floor_TableView   a plain QTableView over a minimal model of the same
//                     30000x4 texts, reset and shown
//   ChooseAlarm       chooseAlarm over 30000 ToDo and 30000 schedule items
//   Floor_TimePass    one pass reading the time and alarm fields of the same
#include "bench_support.h"

#include "core/list_sort.h"
#include "main_window/alarm_choice.h"
#include "main_window/list_rows.h"
#include "ui/grid.h"
#include "ui/ui.h"

#include <QApplication>
#include <QTableView>
#include <array>
#include <cstring>
#include <random>

namespace {

const std::array<const char16_t*, 8> kPeople{u"山田", u"佐藤", u"鈴木", u"高橋", u"田中", u"ｼｽﾃﾑ課", u"Yamada", u""};
const std::array<const char16_t*, 8> kTasks{
    u"見積書を作成して課長に提出する", u"納期の確認の電話（至急）", u"会議室の予約",        u"月次報告書のまとめ",
    u"新製品説明会の資料作成",         u"打ち合わせ　第２回",       u"来客対応（応接室①）", u"健康診断"};

template <class T> ItemList<T> makeList(unsigned seed)
{
    return randomList<T>(seed, [](T& item, int i, std::mt19937& rng) {
        item.content = Field(QString::fromUtf16(kTasks[rng() % kTasks.size()]) + QString::number(i));
        item.person = Field(QString::fromUtf16(kPeople[rng() % kPeople.size()]));
        item.alarm = Field::number(rng() % 2);
        item.important = rng() % 5 == 0 ? Field(sentinel::kImportant) : Field();
    });
}

const ItemList<TodoItem>& todos()
{
    static const ItemList<TodoItem> list = makeList<TodoItem>(1);
    return list;
}

const ItemList<ScheduleItem>& schedules()
{
    static const ItemList<ScheduleItem> list = makeList<ScheduleItem>(2);
    return list;
}

void Sort(benchmark::State& state, SortOrder order)
{
    QtUi ui;
    const YieldFn yield = everyFewSteps([&] { ui.yieldToEvents(); });
    ItemList<TodoItem> list;
    for (auto _ : state) {
        // The copy, and the destruction of the last one, are not the sort's.
        state.PauseTiming();
        list = todos();
        state.ResumeTiming();
        sortList(list, order, yield);
        benchmark::DoNotOptimize(list.items().data());
    }
}

// The same passes over the keys alone, built beforehand.
void Floor_ShellSort(benchmark::State& state, SortOrder order)
{
    std::vector<QString> keys;
    for (const TodoItem& item : todos().items())
        keys.push_back(sortKey(item, order));
    const bool descending = isDescending(order);
    std::vector<QString> a;
    for (auto _ : state) {
        state.PauseTiming();
        a = keys;
        state.ResumeTiming();
        shellSortKeys(a, descending);
        benchmark::DoNotOptimize(a.data());
    }
}

BENCHMARK_CAPTURE(Sort, DateTime, SortOrder::DateTime)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Floor_ShellSort, DateTime, SortOrder::DateTime)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Sort, Name, SortOrder::Name)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Floor_ShellSort, Name, SortOrder::Name)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Sort, Important, SortOrder::Important)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Floor_ShellSort, Important, SortOrder::Important)->Unit(benchmark::kMillisecond);

void Redisplay(benchmark::State& state)
{
    ItemList<TodoItem> list = todos();
    sortList(list, SortOrder::DateTime);
    refillShownGrid<Grid>(state, [&list](Grid& grid) { showList(grid, list); });
}
BENCHMARK(Redisplay)->Unit(benchmark::kMillisecond);

void Floor_TableView(benchmark::State& state)
{
    ItemList<TodoItem> list = todos();
    sortList(list, SortOrder::DateTime);
    refillTableView<QTableView>(state, allRows(list));
}
BENCHMARK(Floor_TableView)->Unit(benchmark::kMillisecond);

ItemStore alarmStore()
{
    ItemStore store;
    store.todos = todos();
    store.schedules = schedules();
    return store;
}

void ChooseAlarm(benchmark::State& state)
{
    const ItemStore store = alarmStore();
    for (auto _ : state)
        benchmark::DoNotOptimize(chooseAlarm(store, QStringLiteral("12:00"), true, QStringLiteral("2026/12/10")));
}
BENCHMARK(ChooseAlarm)->Unit(benchmark::kMicrosecond);

// Reads each item's time and alarm flag once and keeps the earliest time ahead.
template <class T> void timePass(const ItemList<T>& list, const char* now, const char*& best)
{
    for (const T& item : list.items()) {
        const QByteArrayView t = item.time.view();
        const QByteArrayView a = item.alarm.view();
        if (a.size() == 3 && a[1] == '1' && t.size() == 5 && std::memcmp(t.data(), now, 5) >= 0 &&
            std::memcmp(t.data(), best, 5) < 0)
            best = t.data();
    }
}

void Floor_TimePass(benchmark::State& state)
{
    const ItemStore store = alarmStore();
    for (auto _ : state) {
        const char* best = "99:99";
        timePass(store.todos, "12:00", best);
        timePass(store.schedules, "12:00", best);
        benchmark::DoNotOptimize(best);
    }
}
BENCHMARK(Floor_TimePass)->Unit(benchmark::kMicrosecond);

}   // namespace

int main(int argc, char** argv) { return runBenchmarks<QApplication>(argc, argv); }
