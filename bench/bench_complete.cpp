// Completing items and the completed view, each beside its floor:
//   SwitchToCompleted   "完了表示" with two 30000-record archives, in a shown window
//   Floor_ReadArchives  reading, decoding and splitting the same two files
//   CompleteOne         "完了" of item 1 of a 30000-item list into a 29000-record archive
//   Floor_AppendAndSave one record appended to that archive plus one save of the list
#include "bench_support.h"
#include "quiet_forms.h"
#include "quiet_ui.h"

#include "main_window/main_form.h"
#include "main_window/presenter.h"
#include "store/cp932.h"
#include "ui/time_source.h"
#include "ui/ui.h"

#include <QApplication>
#include <QDialog>
#include <QFile>
#include <memory>

namespace {

template <class D> QByteArray archiveBytes(int records, unsigned seed)
{
    std::mt19937 rng(seed);
    ItemList<D> list;
    for (int i = 0; i < records; ++i) {
        D d;
        d.doneDate = Field::fromBytes(randomDay(rng, 2025, 2));
        d.entryDate = Field("2025/01/10");
        d.date = Field::fromBytes(randomListDate(rng));
        d.time = Field::fromBytes(randomListTime(rng));
        d.content = Field(meetingText(i));
        d.person = Field(kOwnName);
        d.memoNo = Field::number(0);
        list.append(d);
    }
    return serializeRecords(list);
}

ItemList<TodoItem> openTodos()
{
    return randomList<TodoItem>(7, [](TodoItem& item, int i, std::mt19937&) {
        item.content = Field(meetingText(i));
        item.person = Field(kOwnName);
        item.alarm = Field::number(0);
    });
}

struct Folders {
    StartupFolders folders;
    QString todoArchive, scheduleArchive;
    Folders()
    {
        todoArchive = folders.programDir + QStringLiteral("/todo_kan.dat");
        scheduleArchive = folders.programDir + QStringLiteral("/sche_kan.dat");
    }
};

void SwitchToCompleted(benchmark::State& state)
{
    Folders f;
    writeWhole(f.todoArchive, archiveBytes<DoneTodoItem>(kItems, 1));
    writeWhole(f.scheduleArchive, archiveBytes<DoneScheduleItem>(kItems, 2));
    f.folders.putList(kTodoFileName, openTodos());
    FixedTimeSource time(QDateTime(QDate(2026, 12, 10), QTime(10, 0)));
    QuietUi ui;
    Main_Form form(f.folders.programDir, ui, time);
    if (!form.Form_Load()) {
        state.SkipWithError("start-up failed");
        return;
    }
    form.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        form.Command13_Click();
        QCoreApplication::processEvents();
        state.PauseTiming();
        if (form.presenter().view() != View::Completed)
            state.SkipWithError("not switched");
        form.Command13_Click();
        QCoreApplication::processEvents();
        state.ResumeTiming();
    }
    form.Command13_Click();   // the window is thrown away without closing
}
BENCHMARK(SwitchToCompleted)->Unit(benchmark::kMillisecond);

void Floor_ReadArchives(benchmark::State& state)
{
    Folders f;
    writeWhole(f.todoArchive, archiveBytes<DoneTodoItem>(kItems, 1));
    writeWhole(f.scheduleArchive, archiveBytes<DoneScheduleItem>(kItems, 2));
    for (auto _ : state) {
        for (const QString& path : {f.todoArchive, f.scheduleArchive}) {
            QFile file(path);
            if (!file.open(QIODevice::ReadOnly))
                state.SkipWithError("open failed");
            QStringList lines = cp932::decode(file.readAll()).split(QStringLiteral("\r\n"));
            benchmark::DoNotOptimize(lines);
        }
    }
}
BENCHMARK(Floor_ReadArchives)->Unit(benchmark::kMillisecond);

constexpr int kArchived = 29000;

void CompleteOne(benchmark::State& state)
{
    Folders f;
    const QByteArray archive = archiveBytes<DoneTodoItem>(kArchived, 3);
    f.folders.putList(kTodoFileName, openTodos());
    FixedTimeSource time(QDateTime(QDate(2026, 12, 10), QTime(10, 0)));
    QuietUi ui;
    QuietForms forms;
    Presenter presenter(f.folders.programDir, ui, forms, time);
    if (presenter.start() != Presenter::Start::Run) {
        state.SkipWithError("start-up failed");
        return;
    }
    for (auto _ : state) {
        state.PauseTiming();
        writeWhole(f.todoArchive, archive);
        const int before = presenter.store().todos.count();
        state.ResumeTiming();
        (void)presenter.select(ListChoice::Todo, 1);
        (void)presenter.complete(1);
        state.PauseTiming();
        if (presenter.store().todos.count() != before - 1)
            state.SkipWithError("not completed");
        state.ResumeTiming();
    }
}
BENCHMARK(CompleteOne)->Unit(benchmark::kMillisecond);

void Floor_AppendAndSave(benchmark::State& state)
{
    Folders f;
    const QByteArray archive = archiveBytes<DoneTodoItem>(kArchived, 3);
    const QByteArray record = archiveBytes<DoneTodoItem>(1, 4);
    ItemStore store;
    store.todos = openTodos();
    store.todoHeader = newListHeader();
    for (auto _ : state) {
        state.PauseTiming();
        writeWhole(f.todoArchive, archive);
        state.ResumeTiming();
        if (!appendToFile(f.todoArchive, record).ok() || !saveList(f.folders.dataDir, ListKind::Todo, store).ok())
            state.SkipWithError("write failed");
    }
}
BENCHMARK(Floor_AppendAndSave)->Unit(benchmark::kMillisecond);

}   // namespace

int main(int argc, char** argv) { return runBenchmarks<QApplication>(argc, argv); }
