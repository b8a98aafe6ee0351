// Grid refill and whole start-up, each beside its floor in the same run:
//   GridRefill      the rows, all built beforehand, handed to a shown Grid
//   GridLazyRefill  the same rows through a provider, as the window shows lists
//   Floor_TableViewRefill  a plain QTableView over a minimal model of the same
#include "main_window/main_form.h"
#include "store/list_file.h"
#include "store/settings_file.h"
#include "ui/grid.h"
#include "ui/time_source.h"
#include "ui/ui.h"

#include <QAbstractTableModel>
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QTableView>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <sys/resource.h>

namespace {

constexpr int kItems = 30000;

std::vector<QStringList> sampleRows()
{
    std::vector<QStringList> rows;
    rows.reserve(kItems);
    for (int i = 0; i < kItems; ++i)
        rows.push_back({QStringLiteral("2026/12/%1").arg(1 + i % 28, 2, 10, QLatin1Char('0')),
                        QStringLiteral("%1:30").arg(8 + i % 10, 2, 10, QLatin1Char('0')),
                        QStringLiteral("打合せの資料を用意する %1").arg(i), QStringLiteral("山田")});
    return rows;
}

// The least a table can do: a model over the same texts, reset in one go.
class MinimalModel : public QAbstractTableModel {
public:
    int rowCount(const QModelIndex& = {}) const override { return int(rows.size()); }
    int columnCount(const QModelIndex& = {}) const override { return 4; }
    QVariant data(const QModelIndex& index, int role) const override
    {
        if (role != Qt::DisplayRole)
            return {};
        return rows[std::size_t(index.row())][index.column()];
    }
    void replace(std::vector<QStringList> r)
    {
        beginResetModel();
        rows = std::move(r);
        endResetModel();
    }
    std::vector<QStringList> rows;
};

void Floor_TableViewRefill(benchmark::State& state)
{
    const auto rows = sampleRows();
    MinimalModel model;
    QTableView view;
    view.setModel(&model);
    view.resize(600, 300);
    view.show();
    for (auto _ : state) {
        model.replace(rows);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(Floor_TableViewRefill)->Unit(benchmark::kMillisecond);

void GridRefill(benchmark::State& state)
{
    const auto rows = sampleRows();
    Grid grid;
    grid.setCols(4);
    grid.resize(600, 300);
    grid.show();
    for (auto _ : state) {
        grid.replaceItems(rows);
        QCoreApplication::processEvents();
    }
}
BENCHMARK(GridRefill)->Unit(benchmark::kMillisecond);

void GridLazyRefill(benchmark::State& state)
{
    const auto rows = sampleRows();
    Grid grid;
    grid.setCols(4);
    grid.resize(600, 300);
    grid.show();
    for (auto _ : state) {
        grid.showItems(int(rows.size()), [&rows](int i) { return rows[std::size_t(i - 1)]; });
        QCoreApplication::processEvents();
    }
}
BENCHMARK(GridLazyRefill)->Unit(benchmark::kMillisecond);

template <class T>
QByteArray listBytes(int count)
{
    ItemList<T> list;
    for (int i = 0; i < count; ++i) {
        T item;
        item.entryDate = Field("2026/11/30");
        item.date = Field(QStringLiteral("2026/12/%1").arg(1 + i % 28, 2, 10, QLatin1Char('0')));
        item.time = Field(i % 3 ? "10:30" : "99:99");
        item.content = Field(QStringLiteral("打合せの資料を用意する %1").arg(i));
        item.person = Field(QStringLiteral("山田"));
        item.memoNo = Field::number(0);
        item.alarm = Field::number(i % 2);
        if constexpr (std::is_same_v<T, TodoItem>)
            item.rank = Field::number(9999);
        list.append(item);
    }
    return serializeList(newListHeader(), list);
}

// A program folder and data folder holding lists of `count` items each.
struct StartupFolders {
    QTemporaryDir root;
    QString programDir;
    explicit StartupFolders(int count)
    {
        QDir(root.path()).mkpath(QStringLiteral("prog"));
        QDir(root.path()).mkpath(QStringLiteral("data"));
        programDir = root.filePath(QStringLiteral("prog"));
        const QString data = root.filePath(QStringLiteral("data")) + QLatin1Char('/');
        const auto write = [](const QString& path, const QByteArray& bytes) {
            QFile f(path);
            f.open(QIODevice::WriteOnly);
            f.write(bytes);
        };
        write(programDir + QStringLiteral("/poruka.ini"),
              serializeSettings(newSettings(QStringLiteral("山田"), data, {0, 1500, 1500, 6975, 9450})));
        write(data + QStringLiteral("todo.dat"), listBytes<TodoItem>(count));
        write(data + QStringLiteral("SCHE.DAT"), listBytes<ScheduleItem>(count));
    }
};

void startUp(benchmark::State& state, int count)
{
    StartupFolders folders(count);
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

}  // namespace

int main(int argc, char** argv)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
