#pragma once
// The data of one copy of the program: the settings, the own lists with the
// files they come from, the archives, the memo files, and the commands that
// change them. No widgets and no Ui: a file step that fails goes to the
// StepRunner the caller gives, which decides whether to retry.
//
// The own lists change in one way only: run() takes a command as a Job, writes
// it down in the job file, changes the lists in memory and then the files,
// step by step, and removes the job when every step is done. Everyone else
// sees the store read-only.

#include "core/job.h"
#include "core/list_sort.h"
#include "core/step_runner.h"
#include "core/undo.h"
#include "store/item_store.h"
#include "store/list_file.h"
#include "store/settings_file.h"

#include <QString>
#include <functional>
#include <vector>

// What a command run through run() came to.
struct [[nodiscard]] JobResult {
    enum class State {
        NotBegun,   // its record could not be written and the user gave up: nothing changed
        Pending,   // a step was given up: the lists in memory show the command, the
                   // files will when the rest is done (at the latest at shutdown or the next start)
        Done,
    };
    State state = State::Done;
    bool merged = false;   // a list written took in another copy's changes first
    bool keptBoth = false;   // ... and kept a record both copies changed twice
    bool begun() const { return state != State::NotBegun; }
};

// What a look at the own list files found.
struct [[nodiscard]] FollowReport {
    bool changed = false;   // the lists in memory changed (records or order)
    bool recordsChanged = false;   // records came or went, not just their order
    bool keptBoth = false;
};

class Core {
public:
    explicit Core(QString programDir);

    // Where the settings, the password, the archives and the job file are,
    // looked up in the program folder (their names in any letter case).
    void resolvePaths();
    const QString& programDir() const { return programDir_; }
    const QString& settingsPath() const { return settingsPath_; }
    const QString& passwordPath() const { return passwordPath_; }
    QString jobPath() const;
    // An archive's path, looked up afresh.
    const QString& archivePath(ListKind kind);

    const ItemStore& store() const { return store_; }
    const AppSettings& settings() const { return settings_; }
    // The settings dialogs change the member list and the own folder in place.
    AppSettings& settings() { return settings_; }
    void setSettings(AppSettings settings) { settings_ = std::move(settings); }
    // Where the window's state and geometry come from when the settings are
    // written; without it the placement read is kept.
    void setPlacementSource(std::function<WindowPlacement()> source) { placement_ = std::move(source); }
    WindowPlacement placement() const;
    // The settings file written, with the window's present placement.
    FileStatus writeSettingsFile();

    // Removes what writes cut short by a crash or a kill left in the program
    // folder and the own data folder (see removeLeftoverTemporaries).
    void removeLeftovers();

    // A new own name and data folder (設定 → 自分): the memo files of the own
    // items are copied along when the folder changes; the names of those that
    // could not be copied.
    QStringList changeOwnEntry(const QString& name, const QString& directory);
    // A colleague's entry (設定 → 他ﾒﾝﾊﾞｰ), slot 1 .. 99, set or freed.
    void setMember(const MemberEntry& entry);

    // The start-up password in poruka.pas beside the settings.
    bool hasPassword() const;
    FileStatus writePassword(const QByteArray& line);
    FileStatus removePassword();

    // Shutdown: the settings and both own lists written, and whatever jobs
    // are left done. False when something could not be saved.
    struct [[nodiscard]] SaveAll {
        bool saved = true;
        bool merged = false;   // another copy's records were taken in first
        bool keptBoth = false;
    };
    SaveAll saveAll(StepRunner& runner);

    // Start-up: an own list file created when missing, then read.
    FileStatus createOwnList(ListKind kind);
    FileStatus loadOwnList(ListKind kind);

    // The jobs a crash, or a step the user gave up, left in the job file: read
    // at start-up before the lists, their list edits made again in memory
    // where the files lack them once the lists are read, and then finished.
    // A job file that cannot be understood is kept aside under another name;
    // `damaged` then names it.
    FileStatus readJobs(QString* damaged = nullptr);
    void redoJobsInMemory();
    JobResult finishJobs(StepRunner& runner);
    bool hasPendingJobs() const { return !jobs_.empty(); }

    // The one way into the own lists (and the archives): the command's steps,
    // written down first, then made in memory and in the files in order.
    JobResult run(Job job, StepRunner& runner);

    // Undo and redo of this session's commands: each runs as a command of its
    // own. Changed: another copy (or a command since, on a list not kept in
    // memory) changed what it would take back; it is forgotten, nothing runs.
    enum class TakeBack { Nothing, Changed, Ran };
    struct [[nodiscard]] UndoResult {
        TakeBack state = TakeBack::Nothing;
        Command command = Command::None;   // what was taken back or made again
        JobResult job;
    };
    UndoResult undo(StepRunner& runner);
    UndoResult redo(StepRunner& runner);
    bool canUndo() const { return history_.nextUndo() != nullptr; }
    bool canRedo() const { return history_.nextRedo() != nullptr; }

    // Writes an own list, taking in first what another copy of the program
    // changed in the file meanwhile.
    FileStatus writeOwnList(ListKind kind, bool* merged = nullptr, bool* keptBoth = nullptr);
    // Looks at both own list files and takes in what another copy changed;
    // quiet: a file that cannot be read now is looked at next time. Then the
    // jobs still waiting are tried once more.
    FollowReport followOwnLists();

    // Sorting: the own lists (the order is written with the next save), a
    // colleague's or the archives on display.
    void sortOwn(SortOrder order, const YieldFn& yield);
    void sortMember(SortOrder order, const YieldFn& yield);
    void sortDone(SortOrder order, const YieldFn& yield);

    // A colleague's lists read into the store, secret items masked; `seen`
    // stands for the versions read. Both go in, or neither.
    FileStatus readMemberList(const QString& directory, ListKind kind, ItemStore& into, Fingerprint* seen);
    void showMemberLists(ItemStore&& incoming);
    // The archives read into the store, created empty when missing.
    template <class T> FileStatus readArchive(ListKind kind, ItemList<T>& out);
    void showDoneLists(ItemList<DoneTodoItem>&& todos, ItemList<DoneScheduleItem>&& schedules);

    // Memo numbers: the next free number claimed by creating its file (in the
    // own folder), 0 when none is left.
    int allocateMemoNo();
    void releaseMemoNo(int memoNo);
    // Whether a record of the own lists in memory names this memo.
    bool isMemoNamed(int memoNo) const;

private:
    struct ListSync {
        QString path;   // the file these stand for; another (a new data folder) starts afresh
        Fingerprint seen;   // the version the list in memory came from
        std::vector<ListEdit> pending;   // made in memory, not yet in the file, in order
        bool reordered = false;   // sorted since: the order is to be written
    };
    ListSync& sync(ListKind kind) { return kind == ListKind::Todo ? todoSync_ : scheduleSync_; }
    // Whether `path` names a file right inside `directory` (a list found there before).
    static bool isListIn(const QString& path, const QString& directory)
    {
        return !path.isEmpty() && path.startsWith(directory) && !path.mid(directory.size()).contains(QLatin1Char('/'));
    }
    template <class T> ItemList<T>& ownList();
    QByteArray& ownHeader(ListKind kind) { return kind == ListKind::Todo ? store_.todoHeader : store_.scheduleHeader; }
    template <class F> decltype(auto) withOwnList(ListKind kind, F&& f)
    {
        return kind == ListKind::Todo ? f(store_.todos) : f(store_.schedules);
    }
    template <class F> decltype(auto) withDoneList(ListKind kind, F&& f)
    {
        return kind == ListKind::Todo ? f(store_.doneTodos) : f(store_.doneSchedules);
    }

    FileStatus writeJobFile();
    // run() without the history; `ran` gets the job with the memo files it
    // will change as they are now.
    JobResult execute(Job job, StepRunner& runner, DoneCommand* ran);
    DoneCommand recordOf(const Job& job) const;
    // The job that takes `done` back, ready to run; nothing when the records
    // it would remove are no longer there. `claimed`: memo numbers taken for it.
    std::optional<Job> takeBackJob(const DoneCommand& done, std::vector<int>& claimed);
    bool holdsRecord(const NeededRecord& record);
    enum class Direction { Undo, Redo };
    UndoResult takeBack(Direction direction, StepRunner& runner);
    // Counts and sizes the job file keeps for finishing a step after a crash.
    void noteBefore(JobStep& step);
    void applyInMemory(const Job& job);
    TrapResult runStep(JobStep& step, StepRunner& runner, JobResult& result);
    FileStatus appendArchive(const JobStep& step);
    FileStatus removeFromArchive(const JobStep& step);
    FileStatus removeMemo(int memoNo);
    // Takes the file's present version into the list in memory, with this
    // copy's pending edits made again on top.
    template <class T> MergeReport takeIn(ListKind kind, const QByteArray& bytes);
    void forgetWritten(ListKind kind);

    QString programDir_;
    QString settingsPath_;
    QString passwordPath_;
    std::function<WindowPlacement()> placement_;

    ItemStore store_;
    AppSettings settings_;
    ListSync todoSync_, scheduleSync_;
    // The memory the last own list was read into, used again for the next
    // (at start-up the second list is read into the memory the first took).
    QByteArray readBuffer_;
    std::vector<Job> jobs_;
    quint64 lastJobId_ = 0;
    UndoHistory history_;
};
