// The memo panel, beside its floor in the same run:
//   MemoPanel2MB        choosing an item whose memo is 2 MB on one line, then
//                       an item without a memo, in a shown window
//   Floor_MemoPanel2KB  the same with a memo of 2 KB
#include "bench_support.h"

#include "main_window/main_form.h"
#include "store/memo.h"
#include "ui/grid.h"
#include "ui/time_source.h"
#include "ui/ui.h"

#include <QApplication>
#include <QPlainTextEdit>

namespace {

void chooseMemo(benchmark::State& state, qsizetype memoBytes)
{
    StartupFolders folders;
    folders.putList(kTodoFileName, sampleList<TodoItem>(2, [](TodoItem& item, int i) {
                        item.date = Field("2026/12/24");
                        item.time = Field("10:00");
                        item.content = Field(meetingText(i));
                        item.person = Field(kOwnName);
                        item.memoNo = Field::number(i == 0 ? 1 : 0);
                    }));
    folders.putList(kScheduleFileName, ItemList<ScheduleItem>());
    writeWhole(memoPath(folders.dataDir, 1), QByteArray(memoBytes, 'x') + "\r\n");
    SystemTimeSource time;
    QtUi ui;
    Main_Form form(folders.programDir, ui, time);
    if (!form.Form_Load())
        state.SkipWithError("start-up failed");
    form.show();
    QCoreApplication::processEvents();
    for (auto _ : state) {
        form.Grid1->setRow(1);
        form.Grid1_Click();
        QCoreApplication::processEvents();
        form.Grid1->setRow(2);
        form.Grid1_Click();
        QCoreApplication::processEvents();
    }
    state.counters["shown_chars"] = double(memoBytes > kMemoShownBytes ? kMemoShownBytes : memoBytes);
}

void Floor_MemoPanel2KB(benchmark::State& state) { chooseMemo(state, 2 * 1024); }
BENCHMARK(Floor_MemoPanel2KB)->Unit(benchmark::kMillisecond);

void MemoPanel2MB(benchmark::State& state) { chooseMemo(state, 2 * 1024 * 1024); }
BENCHMARK(MemoPanel2MB)->Unit(benchmark::kMillisecond);

}   // namespace

int main(int argc, char** argv) { return runBenchmarks<QApplication>(argc, argv); }
