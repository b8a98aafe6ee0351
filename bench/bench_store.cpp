// Loading and saving full own lists (30000 ToDo and 30000 schedule items of
// ordinary Japanese office content), each beside a floor: the least work any
// reader or writer of the same file must do. The ratio store / floor is what to
// watch; the absolute times depend on the disk.
//
// PeakRss runs a fresh copy of this program that loads both lists into one
// ItemStore and reports getrusage's peak resident set, so earlier benchmarks
// do not inflate the figure.

#include "bench_support.h"

#include "store/cp932.h"
#include "store/file_access.h"
#include "store/list_file.h"

#include <benchmark/benchmark.h>

#include <QByteArrayList>
#include <QFile>
#include <QStringList>
#include <QTemporaryDir>

#include <array>
#include <cstdio>
#include <cstring>
#include <fcntl.h>
#include <random>
#include <sys/resource.h>
#include <unistd.h>

namespace {

const std::array<const char16_t*, 12> kPeople{u"山田", u"佐藤", u"鈴木", u"高橋", u"田中", u"渡辺",
                                              u"伊藤", u"中村", u"小林", u"自分", u"加藤", u"ｼｽﾃﾑ課"};
const std::array<const char16_t*, 10> kClients{
    u"株式会社山田製作所", u"東京商事", u"大阪支店",   u"総務部", u"㈱エヌ・ティー産業",
    u"北海道営業所",       u"経理課",   u"髙橋工務店", u"本社",   u"取引先各位"};
const std::array<const char16_t*, 16> kTasks{u"見積書を作成して課長に提出する",
                                             u"納期の確認の電話（至急）",
                                             u"会議室の予約",
                                             u"月次報告書のまとめ",
                                             u"新製品説明会の資料作成",
                                             u"出張旅費の精算",
                                             u"請求書の発送",
                                             u"打ち合わせ　第２回",
                                             u"契約書の押印をもらう",
                                             u"年末調整の書類回収",
                                             u"ﾊﾟｿｺﾝのﾘｰｽ更新手続き",
                                             u"定例会議",
                                             u"来客対応（応接室①）",
                                             u"売上集計表の修正",
                                             u"ホームページ更新の原稿チェック",
                                             u"健康診断"};

// One list file as the program writes it: header, then `kItems` records.
QByteArray makeList(ListKind kind, unsigned seed)
{
    std::mt19937 rng(seed);
    QByteArrayList lines{newListHeader()};
    for (int i = 1; i <= kItems; ++i) {
        const bool important = rng() % 10 == 0;
        const int deadline = int(rng() % 10);
        QByteArray d = randomDay(rng, 2020, 8), t = randomClock(rng);
        if (kind == ListKind::Todo && deadline == 0) {
            d = "0000/00/00";
            t = "00:00";
        } else if (kind == ListKind::Todo && deadline < 3) {
            d = "9999/99/99";
            t = "99:99";
        } else if (deadline < 5) {
            t = "99:99";
        }
        QString content = QString::fromUtf16(kClients[rng() % kClients.size()]) + QStringLiteral("　") +
            QString::fromUtf16(kTasks[rng() % kTasks.size()]);
        if (important)
            content.prepend(QStringLiteral("●"));
        lines << randomDay(rng, 2020, 8) << d << t << cp932::encode(content)
              << cp932::encode(QString::fromUtf16(kPeople[rng() % kPeople.size()]))
              << ' ' + QByteArray::number(rng() % 3 ? 0 : i) + ' ';
        if (kind == ListKind::Todo)
            lines << " 9999 ";
        lines << (rng() % 4 ? " 0 " : " 1 ") << (rng() % 8 ? "" : "SECRET") << (important ? "JYUYO" : "") << "";
    }
    return joinLines(lines);
}

struct Fixture {
    QTemporaryDir dir;
    QString path;   // the data directory, ending with a separator
    QByteArray todoBytes, scheduleBytes;
    QStringList todoLines, scheduleLines;   // decoded beforehand for the write floor

    Fixture()
    {
        path = dir.path() + QLatin1Char('/');
        todoBytes = makeList(ListKind::Todo, 1);
        scheduleBytes = makeList(ListKind::Schedule, 2);
        writeWhole(path + listFileName(ListKind::Todo), todoBytes);
        writeWhole(path + listFileName(ListKind::Schedule), scheduleBytes);
        todoLines = cp932::decode(todoBytes).split(QStringLiteral("\r\n"));
        todoLines.removeLast();
        scheduleLines = cp932::decode(scheduleBytes).split(QStringLiteral("\r\n"));
        scheduleLines.removeLast();
    }
    const QByteArray& bytes(ListKind k) const { return k == ListKind::Todo ? todoBytes : scheduleBytes; }
    const QStringList& lines(ListKind k) const { return k == ListKind::Todo ? todoLines : scheduleLines; }
};

Fixture& fixture()
{
    static Fixture f;
    return f;
}

void setBytes(benchmark::State& state, ListKind kind)
{
    state.SetBytesProcessed(std::int64_t(state.iterations()) * fixture().bytes(kind).size());
    state.counters["file_MB"] = double(fixture().bytes(kind).size()) / (1 << 20);
}

void Load(benchmark::State& state, ListKind kind)
{
    Fixture& f = fixture();
    for (auto _ : state) {
        ItemStore store;
        if (!loadOwnList(f.path, kind, store).ok() || store.todoCount() + store.scheduleCount() != kItems)
            state.SkipWithError("load failed");
        benchmark::DoNotOptimize(store);
    }
    setBytes(state, kind);
}

// Read the file, decode all of it, split it into lines: what any reader does.
void Floor_ReadDecodeSplit(benchmark::State& state, ListKind kind)
{
    Fixture& f = fixture();
    const QString path = f.path + listFileName(kind);
    for (auto _ : state) {
        QFile file(path);
        if (!file.open(QIODevice::ReadOnly))
            state.SkipWithError("open failed");
        const QByteArray bytes = file.readAll();
        QStringList lines = cp932::decode(bytes).split(QStringLiteral("\r\n"));
        benchmark::DoNotOptimize(lines);
    }
    setBytes(state, kind);
}

void Save(benchmark::State& state, ListKind kind)
{
    Fixture& f = fixture();
    ItemStore store;
    if (!loadOwnList(f.path, kind, store).ok())
        state.SkipWithError("load failed");
    for (auto _ : state) {
        if (!saveList(f.path, kind, store).ok())
            state.SkipWithError("save failed");
    }
    setBytes(state, kind);
}

// Join the lines, encode them, write them in one call. The floor includes an
// fsync because the store's save does one (it must not leave a half-written
// list behind a crash), and the disk's flush is most of the time of either.
void Floor_JoinEncodeWrite(benchmark::State& state, ListKind kind)
{
    Fixture& f = fixture();
    const QByteArray path = QFile::encodeName(f.path + QStringLiteral("floor.dat"));
    const QStringList& lines = f.lines(kind);
    for (auto _ : state) {
        const QByteArray bytes = cp932::encode(lines.join(QStringLiteral("\r\n")) + QStringLiteral("\r\n"));
        const int fd = ::open(path.constData(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
        if (fd < 0 || ::write(fd, bytes.constData(), size_t(bytes.size())) != bytes.size() || ::fsync(fd) != 0)
            state.SkipWithError("write failed");
        if (fd >= 0)
            ::close(fd);
    }
    setBytes(state, kind);
}

// Runs in a fresh process (see main): loads both lists into one store and
// prints the resident-set peaks before and after, in KiB.
int rssProbe(const char* dir)
{
    rusage before{};
    ::getrusage(RUSAGE_SELF, &before);
    ItemStore store;
    const QString path = QString::fromLocal8Bit(dir);
    if (!loadOwnList(path, ListKind::Todo, store).ok() || !loadOwnList(path, ListKind::Schedule, store).ok())
        return 1;
    rusage after{};
    ::getrusage(RUSAGE_SELF, &after);
    std::printf("%ld %ld %d %d\n", before.ru_maxrss, after.ru_maxrss, store.todoCount(), store.scheduleCount());
    return 0;
}

void PeakRss(benchmark::State& state)
{
    Fixture& f = fixture();
    long startKiB = 0, peakKiB = 0;
    int todos = 0, schedules = 0;
    for (auto _ : state) {
        const QByteArray cmd = "'" + QFile::encodeName(QFile::symLinkTarget(QStringLiteral("/proc/self/exe"))) +
            "' --rss-probe '" + QFile::encodeName(f.path) + "'";
        FILE* p = ::popen(cmd.constData(), "r");
        if (!p || std::fscanf(p, "%ld %ld %d %d", &startKiB, &peakKiB, &todos, &schedules) != 4 || todos != kItems ||
            schedules != kItems)
            state.SkipWithError("probe failed");
        if (p)
            ::pclose(p);
    }
    state.counters["start_MB"] = double(startKiB) / 1024;
    state.counters["peak_MB"] = double(peakKiB) / 1024;
    state.counters["lists_MB"] = double(peakKiB - startKiB) / 1024;
    state.counters["files_MB"] = double(f.todoBytes.size() + f.scheduleBytes.size()) / (1 << 20);
}

}   // namespace

BENCHMARK_CAPTURE(Load, Todo, ListKind::Todo)->Name("LoadTodo")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Floor_ReadDecodeSplit, todo, ListKind::Todo)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Load, Schedule, ListKind::Schedule)->Name("LoadSchedule")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Floor_ReadDecodeSplit, schedule, ListKind::Schedule)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Save, Todo, ListKind::Todo)->Name("SaveTodo")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Floor_JoinEncodeWrite, todo, ListKind::Todo)->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Save, Schedule, ListKind::Schedule)->Name("SaveSchedule")->Unit(benchmark::kMillisecond);
BENCHMARK_CAPTURE(Floor_JoinEncodeWrite, schedule, ListKind::Schedule)->Unit(benchmark::kMillisecond);
BENCHMARK(PeakRss)->Iterations(1)->Unit(benchmark::kMillisecond);

int main(int argc, char** argv)
{
    if (argc == 3 && std::strcmp(argv[1], "--rss-probe") == 0)
        return rssProbe(argv[2]);
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv))
        return 1;
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
