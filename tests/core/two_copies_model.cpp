#include "two_copies_model.h"

#include "common/temp_files.h"
#include "core/commands.h"
#include "core/core.h"
#include "store/file_calls.h"
#include "store/memo.h"

#include <QDir>
#include <QFileInfo>
#include <QMap>
#include <QTemporaryDir>

#include <condition_variable>
#include <ctime>
#include <deque>
#include <functional>
#include <memory>
#include <mutex>
#include <random>
#include <set>
#include <thread>
#include <utime.h>

namespace {

// A step another copy holds (in use) is tried again a while; any other
// failure is given up at once, as a user would after a crash message.
class RetryRunner final : public StepRunner {
public:
    TrapResult run(const std::function<FileStatus()>& step, Scope, StepKind) override
    {
        for (int i = 0; i < 300; ++i) {
            TrapResult r{step(), false};
            if (r.ok() || r.status.error != FileError::PermissionDenied)
                return {r.status, !r.ok()};
        }
        return {FileStatus{FileError::PermissionDenied, {}, 0, FileRefusal::None}, true};
    }
};

const char* callName(FileCall c)
{
    switch (c) {
    case FileCall::Open:
        return "open";
    case FileCall::Create:
        return "create";
    case FileCall::Stat:
        return "stat";
    case FileCall::List:
        return "list";
    case FileCall::Lock:
        return "lock";
    case FileCall::Read:
        return "read";
    case FileCall::Write:
        return "write";
    case FileCall::Sync:
        return "sync";
    case FileCall::Rename:
        return "rename";
    case FileCall::Unlink:
        return "unlink";
    case FileCall::Truncate:
        return "truncate";
    case FileCall::Close:
        return "close";
    }
    return "?";
}

// What the oracle knows of one item: the contents it may show in the files at
// the end (at most one at a time), whether it may be in none, and how often it
// may be in its copy's archive. A crash in the middle of a command on it
// allows the state before and the state after.
struct Item {
    QString name;   // "A3": copy A's third item
    int copy = 0;
    int version = 0;
    ListKind list = ListKind::Todo;
    int memo = 0;
    bool certain = true;
    std::set<QString> mayShow;
    bool mayBeGone = false;
    std::set<int> archived{0};

    QString content() const { return name + QLatin1Char('v') + QString::number(version); }
};

struct Copy {
    int id = 0;
    QString name;
    QString programDir;
    QString tag;
    std::unique_ptr<Core> core;
    bool up = false;
    bool crashing = false;
    enum class State { Idle, AtCall, Running } state = State::Idle;
    std::function<void()> next;
    bool exit = false;
    std::thread thread;
};

class Model {
public:
    Model(const ModelSettings& s, unsigned seed) : settings_(s), rng_(seed)
    {
        dataDir_ = root_.filePath(QStringLiteral("data")) + QLatin1Char('/');
        QDir().mkpath(dataDir_);
        writeBytes(dataDir_ + kTodoFileName, joinLines({newListHeader()}));
        writeBytes(dataDir_ + kScheduleFileName, joinLines({newListHeader()}));
        for (int i = 0; i < s.copies; ++i) {
            auto c = std::make_unique<Copy>();
            c->id = i;
            c->name = QString(QLatin1Char('A' + i));
            c->programDir = root_.filePath(QStringLiteral("prog") + c->name);
            c->tag = QStringLiteral("c0c0c0c0c0%1-1").arg(i, 2, 10, QLatin1Char('0'));
            QDir().mkpath(c->programDir);
            writeBytes(c->programDir + QStringLiteral("/poruka.ini"),
                       serializeSettings(newSettings(c->name, dataDir_, {0, 0, 0, 6000, 9000})));
            copies_.push_back(std::move(c));
        }
        for (auto& c : copies_)
            c->thread = std::thread([this, copy = c.get()] { threadMain(*copy); });
    }

    ~Model()
    {
        for (auto& c : copies_) {
            c->exit = true;
            grant(*c);
            c->thread.join();
        }
    }

    ModelResult run()
    {
        // Crashes at calls drawn over the run's likely length.
        std::set<int> crashAt;
        while (int(crashAt.size()) < settings_.crashes)
            crashAt.insert(int(rng_() % unsigned(settings_.commands * 25 + 1)));
        int budget = settings_.commands;
        for (int turn = 0;; ++turn) {
            std::vector<Copy*> ready;
            for (auto& c : copies_)
                if (c->state == Copy::State::AtCall || (c->state == Copy::State::Idle && (budget > 0 || !c->up)))
                    ready.push_back(c.get());
            if (ready.empty())
                break;
            Copy& c = *ready[rng_() % ready.size()];
            if (c.state == Copy::State::AtCall && crashAt.count(turn)) {
                c.crashing = true;
                result_.trace << c.name + QStringLiteral(": crashed");
            }
            if (c.state == Copy::State::Idle) {
                if (!c.up) {
                    c.next = [this, &c] { start(c); };
                } else {
                    c.next = nextCommand(c);
                    --budget;
                }
            }
            grant(c);
            if (c.crashing)
                ended(c);
        }
        // The end: each copy in turn starts again if it is down, writes
        // what it has and looks at the files once more.
        for (auto& c : copies_)
            runAlone(*c, [this, &c = *c] {
                if (!c.up)
                    start(c);
                save(c);
            });
        for (auto& c : copies_)
            runAlone(*c, [&c = *c] {
                if (c.up)
                    (void)c.core->followOwnLists();
            });
        check();
        return result_;
    }

private:
    void grant(Copy& c)
    {
        std::unique_lock lock(mutex_);
        turn_ = c.id;
        cv_.notify_all();
        cv_.wait(lock, [this] { return turn_ == -1; });
    }

    // Runs one piece of work on a copy, alone, to its end.
    void runAlone(Copy& c, std::function<void()> work)
    {
        c.next = std::move(work);
        do
            grant(c);
        while (c.state != Copy::State::Idle);
    }

    void threadMain(Copy& c)
    {
        setThreadWriterTag(c.tag);
        setFileCallHook([this, &c](FileCall call, const QByteArray& path) {
            if (c.crashing)
                return CallAnswer::Fail;
            {
                std::unique_lock lock(mutex_);
                result_.trace << c.name + QLatin1Char(':') + QLatin1String(callName(call)) + QLatin1Char(' ') +
                        QFileInfo(QFile::decodeName(path)).fileName();
                c.state = Copy::State::AtCall;
                turn_ = -1;
                cv_.notify_all();
                cv_.wait(lock, [&] { return turn_ == c.id; });
                c.state = Copy::State::Running;
            }
            if (c.crashing)
                return CallAnswer::Fail;
            if (call == FileCall::Sync || (call == FileCall::Lock && settings_.blindLocks))
                return CallAnswer::Skip;
            return CallAnswer::Make;
        });
        for (;;) {
            std::function<void()> work;
            {
                std::unique_lock lock(mutex_);
                cv_.wait(lock, [&] { return turn_ == c.id; });
                if (c.exit) {
                    turn_ = -1;
                    cv_.notify_all();
                    return;
                }
                work = std::move(c.next);
                c.state = Copy::State::Running;
            }
            if (work)
                work();
            std::unique_lock lock(mutex_);
            c.state = Copy::State::Idle;
            turn_ = -1;
            cv_.notify_all();
        }
    }

    // A copy that crashed is gone: what it held in memory with it. Its lock
    // files, left on the share, are what another computer's crash leaves:
    // taken over once they are old enough, which here they are at once (also
    // one it made but had not yet written its name into).
    void ended(Copy& c)
    {
        runAlone(c, [&c] {
            c.core.reset();
            c.up = false;
            c.crashing = false;
        });
        for (const QString& dir : {dataDir_, c.programDir + QLatin1Char('/')})
            for (const QString& lock : QDir(dir).entryList({QStringLiteral("*.~lock")}, QDir::Files | QDir::Hidden))
                if (const QByteArray holder = readBytes(dir + lock);
                    holder.isEmpty() || holder.startsWith(c.tag.toUtf8())) {
                    const utimbuf old{std::time(nullptr) - 3600, std::time(nullptr) - 3600};
                    ::utime(QFile::encodeName(dir + lock).constData(), &old);
                }
    }

    void start(Copy& c)
    {
        result_.trace << c.name + QStringLiteral(": start");
        auto core = std::make_unique<Core>(c.programDir);
        core->resolvePaths();
        const SettingsRead read = readSettings(core->settingsPath());
        if (!read.status.ok())
            return;
        core->setSettings(read.settings);
        core->removeLeftovers();
        if (!core->readJobs().ok())
            return;
        for (ListKind kind : {ListKind::Todo, ListKind::Schedule}) {
            FileStatus s;
            for (int i = 0; i < 300 && !(s = core->loadOwnList(kind)).ok() && s.error == FileError::PermissionDenied;
                 ++i) { }
            if (!s.ok())
                return;
        }
        core->redoJobsInMemory();
        RetryRunner runner;
        (void)core->finishJobs(runner);
        if (!c.crashing) {
            c.core = std::move(core);
            c.up = true;
        }
    }

    void save(Copy& c)
    {
        if (!c.up)
            return;
        RetryRunner runner;
        for (ListKind kind : {ListKind::Todo, ListKind::Schedule})
            (void)runner.run([&] { return c.core->writeOwnList(kind); }, Scope::Own, StepKind::Write);
        (void)c.core->finishJobs(runner);
    }

    std::vector<Item*> ownItems(const Copy& c, bool open)
    {
        std::vector<Item*> out;
        for (auto& i : items_)
            if (i->copy == c.id && i->certain && (i->mayShow.size() == 1) == open && !(open && i->mayBeGone))
                out.push_back(i.get());
        return out;
    }

    template <class T> T record(const Item& item) const
    {
        T t;
        t.entryDate = Field("2026/12/10");
        t.date = Field("2026/12/24");
        t.time = Field("10:00");
        t.content = Field(item.content());
        t.person = Field(copies_[std::size_t(item.copy)]->name);
        t.memoNo = Field::number(item.memo);
        t.alarm = Field::number(0);
        if constexpr (std::is_same_v<T, TodoItem>)
            t.rank = Field::number(9999);
        return t;
    }
    QByteArray bytesOf(const Item& item) const
    {
        return item.list == ListKind::Todo ? recordBytes(record<TodoItem>(item))
                                           : recordBytes(record<ScheduleItem>(item));
    }

    // The oracle after a command on `item`: `after` is what a command that
    // went through leaves; a crash allows both.
    void settle(Copy& c, Item& item, const Item& before, const Item& after, const JobResult& r)
    {
        result_.trace << c.name +
                QStringLiteral(": %1 -> %2%3")
                    .arg(after.mayShow.empty() ? before.content() + QStringLiteral(" gone") : after.content())
                    .arg(r.state == JobResult::State::Done          ? QStringLiteral("done")
                             : r.state == JobResult::State::Pending ? QStringLiteral("pending")
                                                                    : QStringLiteral("not begun"))
                    .arg(c.crashing ? QStringLiteral(" (crashed)") : QString());
        if (c.crashing) {
            item = after;
            item.certain = false;
            item.mayShow.insert(before.mayShow.begin(), before.mayShow.end());
            item.mayBeGone = before.mayBeGone || after.mayBeGone;
            item.archived.insert(before.archived.begin(), before.archived.end());
            return;
        }
        if (r.begun()) {
            item = after;
            ++result_.commandsDone;
        } else {
            item = before;
        }
    }

    std::function<void()> nextCommand(Copy& c)
    {
        const unsigned pick = rng_() % 100;
        const std::vector<Item*> open = ownItems(c, true);
        Item* target = open.empty() ? nullptr : open[rng_() % open.size()];
        const bool withMemo = rng_() % 2;
        const ListKind list = rng_() % 2 ? ListKind::Todo : ListKind::Schedule;
        const SortOrder order = SortOrder(rng_() % 3);
        if (pick < 30 || !target)
            return [this, &c, withMemo, list] { add(c, withMemo, list); };
        if (pick < 45)
            return [this, &c, target] { change(c, *target, false); };
        if (pick < 55)
            return [this, &c, target] { change(c, *target, true); };
        if (pick < 65)
            return [this, &c, target] { finish(c, *target, true); };
        if (pick < 75)
            return [this, &c, target] { finish(c, *target, false); };
        if (pick < 88)
            return [this, &c] {
                result_.trace << c.name + QStringLiteral(": look");
                (void)c.core->followOwnLists();
            };
        if (pick < 94)
            return [this, &c, order] {
                result_.trace << c.name + QStringLiteral(": sort");
                c.core->sortOwn(order, {});
            };
        return [this, &c] {
            result_.trace << c.name + QStringLiteral(": save");
            save(c);
        };
    }

    // Where the item is in the copy's memory; 0 when it is not there.
    int rowOf(const Copy& c, const Item& item) const
    {
        const QByteArray bytes = bytesOf(item);
        return item.list == ListKind::Todo ? findRecord(c.core->store().todos, bytes)
                                           : findRecord(c.core->store().schedules, bytes);
    }

    void add(Copy& c, bool withMemo, ListKind list)
    {
        auto item = std::make_unique<Item>();
        item->copy = c.id;
        item->name = c.name + QString::number(++counter_[c.id]);
        item->list = list;
        const Item before = [&] {
            Item b = *item;
            b.mayBeGone = true;
            return b;
        }();
        commands::MemoFile memo;
        if (withMemo)
            memo = {c.core->allocateMemoNo(), memoBytesFromText(item->name)};
        item->memo = memo.number;
        Item after = *item;
        after.mayShow = {after.content()};
        RetryRunner runner;
        const JobResult r = c.core->run(commands::add(list, bytesOf(*item), memo), runner);
        if (!r.begun() && memo.number != 0 && !c.crashing)
            c.core->releaseMemoNo(memo.number);
        Item& kept = *items_.emplace_back(std::move(item));
        settle(c, kept, before, after, r);
    }

    void change(Copy& c, Item& item, bool move)
    {
        const int row = rowOf(c, item);
        if (row == 0)
            return;   // not in memory: lost, which the end tells
        const Item before = item;
        Item after = item;
        ++after.version;
        after.mayShow = {after.content()};
        commands::MemoFile memo;
        int removeMemo = 0;
        if (move) {
            after.list = item.list == ListKind::Todo ? ListKind::Schedule : ListKind::Todo;
            if (item.memo != 0) {
                memo = {c.core->allocateMemoNo(), memoBytesFromText(after.content())};
                after.memo = memo.number;
                removeMemo = item.memo;
            }
        } else if (item.memo != 0 && rng_() % 2) {
            memo = {item.memo, memoBytesFromText(after.content())};
        }
        RetryRunner runner;
        const Job job = move
            ? commands::move(item.list, row, bytesOf(item), after.list, bytesOf(after), memo, removeMemo)
            : commands::change(item.list, row, bytesOf(item), bytesOf(after), memo);
        const JobResult r = c.core->run(job, runner);
        if (!r.begun() && move && memo.number != 0 && !c.crashing)
            c.core->releaseMemoNo(memo.number);
        settle(c, item, before, after, r);
    }

    // Completed (into the archive) or deleted.
    void finish(Copy& c, Item& item, bool complete)
    {
        const int row = rowOf(c, item);
        if (row == 0)
            return;
        const Item before = item;
        Item after = item;
        after.mayShow.clear();
        after.mayBeGone = true;
        if (complete)
            after.archived = {1};
        RetryRunner runner;
        Job job;
        if (complete) {
            const QByteArray archived = item.list == ListKind::Todo
                ? archiveAppendBytes(doneRecord<DoneTodoItem>(record<TodoItem>(item), QStringLiteral("2026/12/10")), 0)
                : archiveAppendBytes(
                      doneRecord<DoneScheduleItem>(record<ScheduleItem>(item), QStringLiteral("2026/12/10")), 0);
            job = commands::complete(item.list, row, bytesOf(item), archived);
        } else {
            job = commands::remove(item.list, row, bytesOf(item), item.memo);
        }
        settle(c, item, before, after, c.core->run(job, runner));
    }

    // The files against the oracle.
    void check()
    {
        QMap<QString, int> shown;   // content -> how often in the lists
        QMap<QString, int> archived;   // item -> how often in its copy's archive
        QMap<int, QStringList> memoUsers;
        const auto scan = [&](const auto& list) {
            for (const auto& t : list.items()) {
                ++shown[t.content.text()];
                if (const int m = memoNumber(t.memoNo)) {
                    memoUsers[m] << t.content.text();
                    if (!QFileInfo::exists(memoPath(dataDir_, m))) {
                        ++result_.memoFaults;
                        result_.faults << t.content.text() + QStringLiteral(": its memo file is gone");
                    }
                }
            }
        };
        QByteArray header;
        ItemList<TodoItem> todos;
        ItemList<ScheduleItem> schedules;
        parseList(readBytes(dataDir_ + kTodoFileName), header, todos);
        parseList(readBytes(dataDir_ + kScheduleFileName), header, schedules);
        scan(todos);
        scan(schedules);
        for (auto it = memoUsers.begin(); it != memoUsers.end(); ++it)
            if (it.value().size() > 1) {
                ++result_.memoFaults;
                result_.faults << QStringLiteral("memo %1 named by %2").arg(it.key()).arg(it.value().join(','));
            }
        for (auto& c : copies_) {
            ItemList<DoneTodoItem> doneTodos;
            ItemList<DoneScheduleItem> doneSchedules;
            parseRecords(readBytes(c->programDir + QLatin1Char('/') + kDoneTodoFileName), doneTodos);
            parseRecords(readBytes(c->programDir + QLatin1Char('/') + kDoneScheduleFileName), doneSchedules);
            for (const auto& d : doneTodos.items())
                ++archived[d.content.text().section('v', 0, 0)];
            for (const auto& d : doneSchedules.items())
                ++archived[d.content.text().section('v', 0, 0)];
        }
        for (const auto& i : items_) {
            int present = 0;
            for (auto it = shown.begin(); it != shown.end(); ++it)
                if (it.key().section('v', 0, 0) == i->name) {
                    present += it.value();
                    if (!i->mayShow.count(it.key())) {
                        ++result_.broughtBack;
                        result_.faults << it.key() + QStringLiteral(": there, but gone or changed since");
                    }
                }
            if (present > 1) {
                ++result_.duplicated;
                result_.faults << i->name + QStringLiteral(": there %1 times").arg(present);
            }
            if (!i->mayShow.empty() && !i->mayBeGone) {
                ++result_.expected;
                if (present == 0) {
                    ++result_.lost;
                    result_.faults << *i->mayShow.begin() + QStringLiteral(": lost");
                }
            }
            if (!i->archived.count(archived.value(i->name))) {
                ++result_.archiveFaults;
                result_.faults << i->name + QStringLiteral(": %1 times in the archive").arg(archived.value(i->name));
            }
        }
        // Every copy shows what the files hold.
        for (auto& c : copies_) {
            if (!c->up)
                continue;
            if (serializeList(c->core->store().todoHeader, c->core->store().todos) !=
                    serializeList(newListHeader(), todos) ||
                serializeList(c->core->store().scheduleHeader, c->core->store().schedules) !=
                    serializeList(newListHeader(), schedules))
                result_.faults << c->name + QStringLiteral(": shows other lists than the files hold");
        }
    }

    ModelSettings settings_;
    std::mt19937 rng_;
    QTemporaryDir root_;
    QString dataDir_;
    std::vector<std::unique_ptr<Copy>> copies_;
    std::deque<std::unique_ptr<Item>> items_;
    QMap<int, int> counter_;
    ModelResult result_;

    std::mutex mutex_;
    std::condition_variable cv_;
    int turn_ = -1;
};

}   // namespace

ModelResult runModel(const ModelSettings& settings, unsigned seed)
{
    Model model(settings, seed);
    return model.run();
}
