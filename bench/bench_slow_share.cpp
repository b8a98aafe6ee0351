// The operations that touch the data folder, as over a slow shared drive:
// every call of the file layer on the data folder is counted and, at the
// argument's delay (µs), held up that long before it goes to the disk, as a
// round trip over a VPN would. Each reports its calls, the fewest it needs
// (keeping every guarantee: locks, the check that the locked file is the one
// at the path, the atomic rewrite, the fingerprint check) and their ratio.
//
//   StartUp      settings, both 30000-item lists read, the crash leftovers looked for
//   Look         the periodic look at the files when nothing changed
//   Register     a new item with a memo
//   Complete     完了 of one item
//   Delete       削除 of one item with its memo
//   Change       変更 of one appointment, a memo given to it
//   Transcribe   転記 of a colleague's appointment with its memo
//   Search       検索 of the ToDo list (30000 items)
//   ShowColleague a colleague's two lists (30000 items each)
//   MemoPanel    a row with a memo chosen
//
// The minimums (calls in the data folder):
//   read a list: open, fstat, lock, the path's stat (same file?), read, close = 6
//   rewrite a list: the writer's lock file (create, write, fstat, close,
//     unlink) 5; the list opened, fstat, locked, the path's stat 4; its bytes
//     read for the fingerprint 1; the temporary created, written, synced,
//     closed and renamed 5; the folder opened, synced, closed 3; the list
//     closed 1; the lock file looked at before the rename 1 = 20
//   write a memo: created (claimed), closed; temporary created, written,
//     synced, closed, renamed; folder opened, synced, closed = 10
//   read a memo (to show it, or to keep it for undo): open, fstat, read, close = 4
//   start-up: both lists read, and the data folder listed once for what a
//     crash left half written = 13
//   削除 with a memo: the memo kept for undo 4, the list rewritten 20, the
//     memo removed 1 = 25
//   変更 giving a memo: the memo written 10, the list rewritten 20 = 30
//   転記 with a memo: the colleague's memo read 4, the own one written 10,
//     the list rewritten 20 = 34
//   検索: the list read = 6
#include "bench_support.h"
#include "quiet_forms.h"
#include "quiet_ui.h"

#include "main_window/presenter.h"
#include "maintenance/f_kensaku.h"
#include "store/file_calls.h"
#include "store/memo.h"
#include "ui/time_source.h"

#include <QApplication>
#include <QLineEdit>
#include <QThread>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Counts the calls in `folder` and holds each up `delayUs` microseconds.
class SlowShare {
public:
    SlowShare(const QString& folder, int delayUs) : folder_(QFile::encodeName(folder)), delayUs_(delayUs)
    {
        setFileCallHook([this](FileCall call, const QByteArray& path) {
            if (path.startsWith(folder_)) {
                ++calls_;
                // SLOW_SHARE_TRACE=1 lists each call (its FileCall number) and path.
                if (qEnvironmentVariableIsSet("SLOW_SHARE_TRACE"))
                    qInfo("%d %s", int(call), path.constData());
                if (delayUs_ > 0)
                    QThread::usleep(std::size_t(delayUs_));
            }
            return CallAnswer::Make;
        });
    }
    ~SlowShare() { setFileCallHook({}); }
    SlowShare(const SlowShare&) = delete;
    SlowShare& operator=(const SlowShare&) = delete;
    long long calls() const { return calls_; }
    void reset() { calls_ = 0; }

private:
    QByteArray folder_;
    int delayUs_;
    long long calls_ = 0;
};

struct Office {
    StartupFolders folders;
    QString colleagueDir;
    FixedTimeSource time{QDateTime(QDate(2026, 12, 10), QTime(10, 0))};
    QuietUi ui;
    QuietForms forms;

    Office()
    {
        auto todos = randomList<TodoItem>(5, [](TodoItem& item, int i, std::mt19937&) {
            item.content = Field(meetingText(i));
            item.person = Field(kOwnName);
            item.alarm = Field::number(0);
            item.memoNo = Field::number(i < 10 ? i + 1 : 0);
        });
        folders.putList(kTodoFileName, todos);
        // Room for new appointments: 29000 of 30000.
        folders.putList(kScheduleFileName, sampleList<ScheduleItem>(29000, [](ScheduleItem& item, int i) {
                            item.date = Field("2027/01/15");
                            item.time = Field("10:00");
                            item.content = Field(meetingText(i));
                            item.person = Field(kOwnName);
                        }));
        for (int n = 1; n <= 10; ++n)
            writeWhole(memoPath(folders.dataDir, n), "memo\r\n");
        // The colleague's folder lies beside the own one, on the same share.
        colleagueDir = folders.dataDir + QStringLiteral("colleague/");
        QDir().mkpath(colleagueDir);
        writeWhole(colleagueDir + kTodoFileName, serializeList(newListHeader(), todos));
        // Ten appointments, each with a memo, to be copied into the own lists.
        writeWhole(colleagueDir + kScheduleFileName,
                   serializeList(newListHeader(), sampleList<ScheduleItem>(10, [this](ScheduleItem& item, int i) {
                                     item.date = Field("2026/12/20");
                                     item.time = Field("15:00");
                                     item.content = Field(meetingText(i));
                                     item.person = Field(QStringLiteral("鈴木"));
                                     item.memoNo = Field::number(i + 1);
                                     writeWhole(memoPath(colleagueDir, i + 1), "their memo\r\n");
                                 })));
        AppSettings s = newSettings(kOwnName, folders.dataDir, {0, 1500, 1500, 6975, 9450});
        s.members[1] = {Field(QStringLiteral("鈴木")), Field(colleagueDir)};
        s.memoCounter = Field::number(100);
        writeWhole(folders.programDir + QStringLiteral("/poruka.ini"), serializeSettings(s));
        forms.filledIn.kind = EntryKind::Schedule;
        forms.filledIn.year = QStringLiteral("2026");
        forms.filledIn.month = QStringLiteral("12");
        forms.filledIn.day = QStringLiteral("24");
        forms.filledIn.hour = QStringLiteral("10");
        forms.filledIn.minute = QStringLiteral("0");
        forms.filledIn.content = QStringLiteral("新しい件");
        forms.filledIn.person = kOwnName;
        forms.filledIn.memo = QStringLiteral("メモ");
    }
    std::unique_ptr<Presenter> started()
    {
        auto p = std::make_unique<Presenter>(folders.programDir, ui, forms, time);
        return p->start() == Presenter::Start::Run ? std::move(p) : nullptr;
    }
};

// The first own ToDo with a memo, wherever the list has it now.
int rowWithMemo(const Presenter& p)
{
    for (int r = 1; r <= p.store().todos.count(); ++r)
        if (memoNumber(p.store().todos[r].memoNo) != 0)
            return r;
    return 1;
}

void report(benchmark::State& state, long long calls, int minimum)
{
    state.counters["calls"] = double(calls);
    state.counters["minimum"] = minimum;
    state.counters["ratio"] = minimum > 0 ? double(calls) / minimum : 0.0;
}

// Runs `operation` once per iteration on a started presenter, `prepare` first
// (untimed, uncounted, undelayed).
template <class Prepare, class Operation>
void measure(benchmark::State& state, int minimum, Prepare prepare, Operation operation)
{
    Office office;
    std::unique_ptr<Presenter> p = office.started();
    if (!p) {
        state.SkipWithError("start-up failed");
        return;
    }
    long long calls = 0;
    for (auto _ : state) {
        state.PauseTiming();
        prepare(*p);
        {
            SlowShare share(office.folders.dataDir, int(state.range(0)));
            state.ResumeTiming();
            operation(*p);
            state.PauseTiming();
            calls = share.calls();
        }
        state.ResumeTiming();
    }
    report(state, calls, minimum);
}

void StartUp(benchmark::State& state)
{
    Office office;
    long long calls = 0;
    for (auto _ : state) {
        SlowShare share(office.folders.dataDir, int(state.range(0)));
        if (!office.started())
            state.SkipWithError("start-up failed");
        calls = share.calls();
    }
    report(state, calls, 2 * 6 + 1);
}

void Look(benchmark::State& state)
{
    measure(
        state, 2, [](Presenter&) {}, [](Presenter& p) { (void)p.followFiles(); });
}

void Register(benchmark::State& state)
{
    measure(
        state, 20 + 10, [](Presenter&) {},
        [&state](Presenter& p) {
            const int before = p.store().scheduleCount();
            (void)p.newItem(QDate(2026, 12, 24), {});
            if (p.store().scheduleCount() != before + 1)
                state.SkipWithError("not registered");
        });
}

void Complete(benchmark::State& state)
{
    measure(
        state, 20, [](Presenter& p) { (void)p.select(ListChoice::Todo, 20); },
        [](Presenter& p) { (void)p.complete(20); });
}

void Delete(benchmark::State& state)
{
    measure(
        state, 4 + 20 + 1, [](Presenter& p) { (void)p.select(ListChoice::Todo, rowWithMemo(p)); },
        [](Presenter& p) { (void)p.deleteItem(rowWithMemo(p)); });
}

void Change(benchmark::State& state)
{
    measure(
        state, 10 + 20, [](Presenter& p) { (void)p.select(ListChoice::Schedule, 1); },
        [&state](Presenter& p) {
            (void)p.change(1);
            if (memoNumber(p.store().schedules[1].memoNo) == 0)
                state.SkipWithError("not changed");
        });
}

void Transcribe(benchmark::State& state)
{
    measure(
        state, 4 + 10 + 20,
        [](Presenter& p) {
            (void)p.showMember(1);
            (void)p.select(ListChoice::Schedule, 1);
        },
        [&state](Presenter& p) {
            const int before = p.store().scheduleCount();
            (void)p.transcribe(1);
            if (p.store().scheduleCount() != before + 1)
                state.SkipWithError("not transcribed");
        });
}

void Search(benchmark::State& state)
{
    Office office;
    F_kensaku dialog({.dataDirectory = office.folders.dataDir,
                      .programDirectory = office.folders.programDir,
                      .ui = office.ui,
                      .mainWindow = nullptr,
                      .trap = [&office] { return FileErrorHandler(TrapVariant::Shared, office.ui, nullptr, {}); },
                      .memoEditPath = [] { return QString(); },
                      .setMemoEditPath = [](const QString&) {}});
    dialog.Text1->setText(meetingText(7));
    long long calls = 0;
    for (auto _ : state) {
        SlowShare share(office.folders.dataDir, int(state.range(0)));
        dialog.Command1_Click();
        calls = share.calls();
        if (dialog.hits().empty())
            state.SkipWithError("nothing found");
    }
    report(state, calls, 6);
}

void ShowColleague(benchmark::State& state)
{
    measure(
        state, 2 * 6, [](Presenter& p) { (void)p.showMember(0); }, [](Presenter& p) { (void)p.showMember(1); });
}

void MemoPanel(benchmark::State& state)
{
    // open, fstat, read, close
    measure(
        state, 4, [](Presenter& p) { (void)p.select(ListChoice::Schedule, 0); },
        [](Presenter& p) { (void)p.select(ListChoice::Todo, rowWithMemo(p)); });
}

// The floors: the minimum's calls made by hand, each held up as the share
// holds them, on the same lists.
void delayed(int delayUs)
{
    if (delayUs > 0)
        QThread::usleep(std::size_t(delayUs));
}

bool readByHand(const QByteArray& path, int delayUs)
{
    delayed(delayUs);
    const int fd = ::open(path.constData(), O_RDONLY | O_CLOEXEC);
    if (fd < 0)
        return false;
    struct stat st { };
    delayed(delayUs);
    ::fstat(fd, &st);
    delayed(delayUs);
    struct flock lock { };
    lock.l_type = F_RDLCK;
    ::fcntl(fd, F_OFD_SETLK, &lock);
    delayed(delayUs);
    struct stat again { };
    ::stat(path.constData(), &again);
    QByteArray bytes(st.st_size, Qt::Uninitialized);
    delayed(delayUs);
    const bool read = ::pread(fd, bytes.data(), std::size_t(st.st_size), 0) == st.st_size;
    delayed(delayUs);
    ::close(fd);
    return read;
}

void Floor_ReadTwoLists(benchmark::State& state)
{
    Office office;
    for (auto _ : state)
        for (const QString& name : {kTodoFileName, kScheduleFileName})
            if (!readByHand(QFile::encodeName(office.folders.dataDir + name), int(state.range(0))))
                state.SkipWithError("read failed");
    report(state, 2 * 6, 2 * 6);
}

// A list rewritten with the writer's lock file, as cheaply as it can be.
void Floor_RewriteList(benchmark::State& state)
{
    Office office;
    const int d = int(state.range(0));
    const QByteArray path = QFile::encodeName(office.folders.dataDir + kTodoFileName);
    const QByteArray lockPath = path + ".~lock", temp = path + ".~tmp", dir = QFile::encodeName(office.folders.dataDir);
    for (auto _ : state) {
        delayed(d);
        const int lock = ::open(lockPath.constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        struct stat st { };
        delayed(d);
        (void)!::write(lock, "mark\n", 5);
        delayed(d);
        ::fstat(lock, &st);
        delayed(d);
        ::close(lock);
        QByteArray bytes;
        {
            delayed(d);
            const int fd = ::open(path.constData(), O_RDWR | O_CLOEXEC);
            delayed(d);
            ::fstat(fd, &st);
            delayed(d);
            struct flock l { };
            l.l_type = F_WRLCK;
            ::fcntl(fd, F_OFD_SETLK, &l);
            delayed(d);
            struct stat again { };
            ::stat(path.constData(), &again);
            bytes.resize(st.st_size);
            delayed(d);
            (void)!::pread(fd, bytes.data(), std::size_t(st.st_size), 0);
            delayed(d);
            const int t = ::open(temp.constData(), O_RDWR | O_CREAT | O_EXCL | O_CLOEXEC, 0644);
            delayed(d);
            (void)!::write(t, bytes.constData(), std::size_t(bytes.size()));
            delayed(d);
            ::fsync(t);
            delayed(d);
            ::stat(lockPath.constData(), &again);
            delayed(d);
            ::close(t);
            delayed(d);
            ::rename(temp.constData(), path.constData());
            delayed(d);
            const int folder = ::open(dir.constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
            delayed(d);
            ::fsync(folder);
            delayed(d);
            ::close(folder);
            delayed(d);
            ::close(fd);
        }
        delayed(d);
        ::unlink(lockPath.constData());
    }
    report(state, 20, 20);
}

// At no delay, and at 5 ms a call.
#define SLOW_SHARE(name) BENCHMARK(name)->Arg(0)->Arg(5000)->Unit(benchmark::kMillisecond)->Iterations(3)
SLOW_SHARE(StartUp);
SLOW_SHARE(Look);
SLOW_SHARE(Register);
SLOW_SHARE(Complete);
SLOW_SHARE(Delete);
SLOW_SHARE(Change);
SLOW_SHARE(Transcribe);
SLOW_SHARE(Search);
SLOW_SHARE(ShowColleague);
SLOW_SHARE(MemoPanel);
SLOW_SHARE(Floor_ReadTwoLists);
SLOW_SHARE(Floor_RewriteList);

}   // namespace

int main(int argc, char** argv) { return runBenchmarks<QApplication>(argc, argv); }
