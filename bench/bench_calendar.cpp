// A click on a calendar day that the user cancels: the entry form comes and
// goes, then both own lists of 30000 items are sorted by date and time and
// redisplayed. Beside it, the floor in the same run: the same halving-gap
// Shell sort passes over the bare keys and two grid refills.
#include "main_window/list_rows.h"
#include "main_window/main_form.h"
#include "store/list_file.h"
#include "store/settings_file.h"
#include "ui/grid.h"
#include "ui/time_source.h"
#include "ui/ui.h"

#include <QApplication>
#include <QDialog>
#include <QDir>
#include <QFile>
#include <QPushButton>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <memory>
#include <random>

namespace {

constexpr int kItems = 30000;

// Answers every message with OK and cancels the entry form with its own button.
class CancellingUi final : public Ui {
public:
    MsgAnswer message(QWidget*, const QString&, MsgButtons, MsgIcon, const QString&) override { return MsgAnswer::Ok; }
    void beep() override {}
    bool openWithShell(const QString&) override { return false; }
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

QByteArray randomDate(std::mt19937& rng)
{
    const unsigned pick = rng() % 100;
    if (pick < 8)
        return sentinel::kToday;
    if (pick < 16)
        return sentinel::kNoDeadline;
    char buf[16];
    std::snprintf(buf, sizeof buf, "%04d/%02d/%02d", 2024 + int(rng() % 4), 1 + int(rng() % 12), 1 + int(rng() % 28));
    return buf;
}

QByteArray randomTime(std::mt19937& rng)
{
    const unsigned pick = rng() % 100;
    if (pick < 15)
        return sentinel::kTodayTime;
    if (pick < 35)
        return sentinel::kNoTime;
    char buf[8];
    std::snprintf(buf, sizeof buf, "%02d:%02d", 8 + int(rng() % 11), int(rng() % 4) * 15);
    return buf;
}

template <class T>
QByteArray listBytes(unsigned seed)
{
    std::mt19937 rng(seed);
    ItemList<T> list;
    for (int i = 0; i < kItems; ++i) {
        T item;
        item.entryDate = Field("2026/11/30");
        item.date = Field::fromBytes(randomDate(rng));
        item.time = Field::fromBytes(randomTime(rng));
        item.content = Field(QStringLiteral("打合せの資料を用意する %1").arg(i));
        item.person = Field(QStringLiteral("山田"));
        item.memoNo = Field::number(0);
        item.alarm = Field::number(int(rng() % 2));
        if constexpr (std::is_same_v<T, TodoItem>)
            item.rank = Field::number(9999);
        list.append(item);
    }
    return serializeList(newListHeader(), list);
}

// A main window started on two full lists in random order, shown offscreen.
struct Window {
    QTemporaryDir root;
    FixedTimeSource time{QDateTime(QDate(2026, 12, 10), QTime(10, 0))};
    CancellingUi ui;
    std::unique_ptr<Main_Form> form;
    ItemList<TodoItem> loadedTodos;
    ItemList<ScheduleItem> loadedSchedules;

    Window()
    {
        QDir(root.path()).mkpath(QStringLiteral("prog"));
        QDir(root.path()).mkpath(QStringLiteral("data"));
        const QString programDir = root.filePath(QStringLiteral("prog"));
        const QString data = root.filePath(QStringLiteral("data")) + QLatin1Char('/');
        const auto write = [](const QString& path, const QByteArray& bytes) {
            QFile f(path);
            if (f.open(QIODevice::WriteOnly))
                f.write(bytes);
        };
        write(programDir + QStringLiteral("/poruka.ini"),
              serializeSettings(newSettings(QStringLiteral("山田"), data, {0, 1500, 1500, 6975, 9450})));
        write(data + QStringLiteral("todo.dat"), listBytes<TodoItem>(1));
        write(data + QStringLiteral("SCHE.DAT"), listBytes<ScheduleItem>(2));
        form = std::make_unique<Main_Form>(programDir, ui, time);
        if (!form->Form_Load())
            return;
        form->show();
        QCoreApplication::processEvents();
        loadedTodos = form->store().todos;
        loadedSchedules = form->store().schedules;
    }
    bool ok() const { return form && form->store().todoCount() == kItems; }
    void restoreLoadedOrder()
    {
        form->store().todos = loadedTodos;
        form->store().schedules = loadedSchedules;
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
            w.restoreLoadedOrder();
            state.ResumeTiming();
        }
        w.form->CSCalendar1_Click();
        QCoreApplication::processEvents();
    }
}
BENCHMARK(CalendarCancel)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

void shellSort(std::vector<QString>& a)
{
    const int n = int(a.size());
    for (int g = n; g > 1;) {
        g /= 2;
        for (int i = g; i < n; ++i) {
            QString t = std::move(a[std::size_t(i)]);
            int j = i - g;
            while (j >= 0 && a[std::size_t(j)] > t) {
                a[std::size_t(j + g)] = std::move(a[std::size_t(j)]);
                j -= g;
            }
            a[std::size_t(j + g)] = std::move(t);
        }
    }
}

template <class T>
std::vector<QString> bareKeys(const ItemList<T>& list)
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
        shellSort(todoKeys);
        shellSort(scheduleKeys);
    }
    ItemList<TodoItem> todos = w.loadedTodos;
    ItemList<ScheduleItem> schedules = w.loadedSchedules;
    const std::vector<QStringList> todoRows = openRows(todos);
    const std::vector<QStringList> scheduleRows = openRows(schedules);
    for (auto _ : state) {
        state.PauseTiming();
        std::vector<QString> a = todoKeys;
        std::vector<QString> b = scheduleKeys;
        std::vector<QStringList> r1 = todoRows;
        std::vector<QStringList> r2 = scheduleRows;
        state.ResumeTiming();
        shellSort(a);
        w.form->Grid1->replaceItems(std::move(r1));
        shellSort(b);
        w.form->Grid2->replaceItems(std::move(r2));
        QCoreApplication::processEvents();
        benchmark::DoNotOptimize(a.data());
        benchmark::DoNotOptimize(b.data());
    }
}
BENCHMARK(Floor_SortKeysAndRefill)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond);

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    theWindow.reset();
    benchmark::Shutdown();
    return 0;
}
