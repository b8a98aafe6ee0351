// Converting the previous version's data, beside its floor:
//   Convert              two 30000-item lists and two 30000-record archives with
//                        two-digit years: read, backed up, converted, rewritten
//   Floor_CopyAndRewrite copying the same four files to their backups and
//                        rewriting each unchanged
#include "bench_support.h"
#include "quiet_ui.h"

#include "core/conversion.h"
#include "maintenance/old_data.h"
#include "ui/ui.h"

#include <QApplication>
#include <QDialog>

namespace {

// A file of the previous version: dates as yy/mm/dd.
QByteArray oldFile(bool header, int width, std::initializer_list<int> dates, unsigned seed)
{
    std::mt19937 rng(seed);
    QByteArrayList lines;
    if (header)
        lines << "@ぽるか VER.1.05";
    for (int i = 0; i < kItems; ++i)
        for (int f = 0; f < width; ++f) {
            if (std::find(dates.begin(), dates.end(), f) != dates.end())
                lines << randomDay(rng, 1990, 9).mid(2);
            else
                lines << (f == 3 || f == 4 ? meetingText(i).toUtf8() : QByteArray(" 0 "));
        }
    return joinLines(lines);
}

struct OldFiles {
    StartupFolders folders;
    QList<std::pair<QString, QByteArray>> files;
    OldFiles()
    {
        const QString prog = folders.programDir + QLatin1Char('/');
        files = {{folders.dataDir + "todo.dat", oldFile(true, 11, {0, 1}, 1)},
                 {folders.dataDir + "SCHE.DAT", oldFile(true, 10, {0, 1}, 2)},
                 {prog + "todo_kan.dat", oldFile(false, 10, {0, 1, 2}, 3)},
                 {prog + "sche_kan.dat", oldFile(false, 10, {0, 1, 2}, 4)}};
    }
    void restore() const
    {
        for (const auto& [path, bytes] : files)
            writeWhole(path, bytes);
    }
};

void Convert(benchmark::State& state)
{
    OldFiles old;
    QuietUi ui;
    for (auto _ : state) {
        state.PauseTiming();
        old.restore();
        state.ResumeTiming();
        if (convertOldData(old.folders.dataDir, old.folders.programDir, ui, nullptr) != Conversion::Done)
            state.SkipWithError("not converted");
    }
}
BENCHMARK(Convert)->Unit(benchmark::kMillisecond);

void Floor_CopyAndRewrite(benchmark::State& state)
{
    OldFiles old;
    for (auto _ : state) {
        state.PauseTiming();
        old.restore();
        state.ResumeTiming();
        for (const auto& [path, bytes] : old.files) {
            const ReadResult r = readFile(path, Locking::None);
            if (!r.ok() || !copyFile(path, path + "old").ok() || !writeFile(path, r.bytes, Locking::Exclusive).ok())
                state.SkipWithError("copy failed");
        }
    }
}
BENCHMARK(Floor_CopyAndRewrite)->Unit(benchmark::kMillisecond);

}   // namespace

int main(int argc, char** argv) { return runBenchmarks<QApplication>(argc, argv); }
