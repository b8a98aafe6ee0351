#pragma once
// What the benchmark programs share: sample data, the floors measured beside
// the program's own work, the data folders a start-up reads and the main
// function. Qt Core and the store only, so that the store's program links no
// widgets (they would add to its resident-set figures); the pieces that need
// widgets take the widget class as a template argument.

#include "store/list_file.h"

#include <QAbstractTableModel>
#include <QByteArray>
#include <QCoreApplication>
#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <benchmark/benchmark.h>
#include <random>
#include <type_traits>
#include <vector>

// A full own list.
inline constexpr int kItems = 30000;

// Every row of a list built at once, as a plain grid would be handed them.
template <class T> std::vector<QStringList> allRows(const ItemList<T>& list)
{
    std::vector<QStringList> rows;
    rows.reserve(list.items().size());
    for (const T& item : list.items())
        rows.push_back(rowCells(item));
    return rows;
}

// The user of the sample data folder and the person of the plain sample items.
inline const QString kOwnName = QStringLiteral("山田");

// "yyyy/mm/dd" in one of `years` years from `firstYear`, on day 1 to 28.
QByteArray randomDay(std::mt19937& rng, int firstYear, int years);
// "hh:mm" on a quarter hour from 08:00 to 18:45.
QByteArray randomClock(std::mt19937& rng);

// The text of plain sample item i.
QString meetingText(int i);

// `count` items entered on 2026/11/30, without memo, ToDo ones unranked;
// fill(item, i) gives item i (from 0) the rest.
template <class T, class Fill> ItemList<T> sampleList(int count, Fill fill)
{
    ItemList<T> list;
    for (int i = 0; i < count; ++i) {
        T item;
        item.entryDate = Field("2026/11/30");
        item.memoNo = Field::number(0);
        if constexpr (std::is_same_v<T, TodoItem>)
            item.rank = Field::number(9999);
        fill(item, i);
        list.append(item);
    }
    return list;
}

// A list date: 8 in 100 today's, 8 in 100 without a deadline, else a day of
// 2024 to 2027.
QByteArray randomListDate(std::mt19937& rng);
// A list time: 15 in 100 today's, 20 in 100 without a time, else as randomClock.
QByteArray randomListTime(std::mt19937& rng);

// kItems items with random list dates and times, so in no order;
// fill(item, i, rng) gives item i the rest, drawing from the same generator.
template <class T, class Fill> ItemList<T> randomList(unsigned seed, Fill fill)
{
    std::mt19937 rng(seed);
    return sampleList<T>(kItems, [&](T& item, int i) {
        item.date = Field::fromBytes(randomListDate(rng));
        item.time = Field::fromBytes(randomListTime(rng));
        fill(item, i, rng);
    });
}

// Writes a whole file; a benchmark without its data is no benchmark, so a
// failure aborts.
void writeWhole(const QString& path, const QByteArray& bytes);

// A program folder holding poruka.ini for kOwnName and the empty data folder
// it names, as the window finds them at start-up; putList fills the latter.
struct StartupFolders {
    QTemporaryDir root;
    QString programDir;
    QString dataDir;   // ends with a separator

    StartupFolders();
    template <class T> void putList(const QString& name, const ItemList<T>& list) const
    {
        writeWhole(dataDir + name, serializeList(newListHeader(), list));
    }
};

// The halving-gap Shell sort of the list sorts, over the bare keys alone.
void shellSortKeys(std::vector<QString>& keys, bool descending = false);

// The least a table can do: a model over the same texts, reset in one go.
class MinimalModel : public QAbstractTableModel {
public:
    int rowCount(const QModelIndex& = {}) const override { return int(rows.size()); }
    int columnCount(const QModelIndex& = {}) const override { return 4; }
    QVariant data(const QModelIndex& index, int role) const override;
    void replace(std::vector<QStringList> r);
    std::vector<QStringList> rows;
};

// The floor of a grid refill: a shown plain table view (QTableView) of the
// grid's size over a MinimalModel, handed `rows` on every iteration.
template <class TableView> void refillTableView(benchmark::State& state, const std::vector<QStringList>& rows)
{
    MinimalModel model;
    TableView view;
    view.setModel(&model);
    view.resize(600, 300);
    view.show();
    for (auto _ : state) {
        model.replace(rows);
        QCoreApplication::processEvents();
    }
}

// A shown grid (Grid) of four columns, of the table view's size above, that
// refill(grid) fills anew on every iteration.
template <class GridWidget, class Refill> void refillShownGrid(benchmark::State& state, Refill refill)
{
    GridWidget grid;
    grid.setCols(4);
    grid.resize(600, 300);
    grid.show();
    for (auto _ : state) {
        refill(grid);
        QCoreApplication::processEvents();
    }
}

// The main function of a program whose benchmarks need an application object
// of type App (QApplication), offscreen unless a platform is chosen.
// `beforeQuit` drops what must go before the application object.
template <class App> int runBenchmarks(int argc, char** argv, void (*beforeQuit)() = nullptr)
{
    if (qEnvironmentVariableIsEmpty("QT_QPA_PLATFORM"))
        qputenv("QT_QPA_PLATFORM", "offscreen");
    App app(argc, argv);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    if (beforeQuit)
        beforeQuit();
    benchmark::Shutdown();
    return 0;
}
