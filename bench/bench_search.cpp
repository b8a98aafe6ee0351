// The search, beside its floor:
//   Search               "検索" in a shown dialog over a 30000-item list whose
//                        last 100 items hold the keyword (reading, matching,
//                        yielding to events, showing the hits)
//   Floor_ReadDecodeSplit reading, decoding and splitting the same file
#include "bench_support.h"
#include "quiet_ui.h"

#include "maintenance/f_kensaku.h"
#include "store/cp932.h"
#include "ui/ui.h"

#include <QApplication>
#include <QFile>
#include <QLineEdit>
#include <QPushButton>

namespace {

// The real yielding, quiet otherwise (a 100-hit message would wait for a click).
class BenchUi final : public QuietUi {
public:
    int runModal(QDialog&) override { return 0; }
    void yieldToEvents() override { qt_.yieldToEvents(); }

private:
    QtUi qt_;
};

struct SearchFolder {
    StartupFolders folders;
    QString path;
    SearchFolder()
    {
        ItemList<TodoItem> list = randomList<TodoItem>(5, [](TodoItem& item, int i, std::mt19937&) {
            item.content = Field(i >= kItems - 100 ? QStringLiteral("見つける%1").arg(i) : meetingText(i));
            item.person = Field(kOwnName);
            item.alarm = Field::number(0);
        });
        folders.putList(kTodoFileName, list);
        path = folders.dataDir + kTodoFileName;
    }
};

void Search(benchmark::State& state)
{
    SearchFolder f;
    BenchUi ui;
    F_kensaku dialog({.dataDirectory = f.folders.dataDir,
                      .programDirectory = f.folders.programDir,
                      .ui = ui,
                      .mainWindow = nullptr,
                      .trap = [&] { return FileErrorHandler(TrapVariant::Shared, ui, nullptr, {}); },
                      .memoEditPath = [] { return QString(); },
                      .setMemoEditPath = [](const QString&) {}});
    dialog.show();
    dialog.Text1->setText(QStringLiteral("見つける"));
    QCoreApplication::processEvents();
    for (auto _ : state) {
        dialog.Command1_Click();
        QCoreApplication::processEvents();
        if (dialog.hits().size() != 100)
            state.SkipWithError("not 100 hits");
    }
}
BENCHMARK(Search)->Unit(benchmark::kMillisecond);

void Floor_ReadDecodeSplit(benchmark::State& state)
{
    SearchFolder f;
    for (auto _ : state) {
        QFile file(f.path);
        if (!file.open(QIODevice::ReadOnly))
            state.SkipWithError("open failed");
        QStringList lines = cp932::decode(file.readAll()).split(QStringLiteral("\r\n"));
        benchmark::DoNotOptimize(lines);
    }
}
BENCHMARK(Floor_ReadDecodeSplit)->Unit(benchmark::kMillisecond);

}   // namespace

int main(int argc, char** argv) { return runBenchmarks<QApplication>(argc, argv); }
