#pragma once
// The data side of the main window: start-up and shutdown, whose lists are on
// display, and the commands on them, run through the core (which holds the
// lists, the settings and the files). It is no widget: it talks to the user
// only through Ui and the file-error trap (whose repairs are the settings
// dialogs), and the window shows what it holds and what its operations report
// changed. The store is read-only to everyone else.

#include "core/core.h"
#include "core/list_sort.h"
#include "entry/entry_context.h"
#include "main_window/alarm_choice.h"
#include "main_window/view_state.h"
#include "maintenance/f_kensaku.h"
#include "settings/file_error_handler.h"

#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class QWidget;
class TimeSource;
class Ui;

// What "完了" came to.
enum class Completion {
    NothingSelected,   // told; nothing changed
    NoItem,            // the row holds no item: told; nothing changed
    ArchiveFull,       // the archive holds 30000 records: told; nothing changed
    GivenUp,           // a file step the user gave up before the item moved: nothing changed
    Done,              // archived and removed from its open list
};

// What deleting an item came to.
enum class Deletion {
    Done,      // gone from memory (and from its file, unless the user gave that up:
               // then the next write of the list stores it)
    ItemGone,  // the item was no longer in its list: told; nothing changed
    GivenUp,   // a file step the user gave up before the item went: the record stays
};

// What transcribing a colleague's item came to.
enum class Transcription {
    Done,
    TargetFull,   // the own list holds 30000 items: told; nothing changed
    ItemGone,     // the colleague's item was no longer there: told
    GivenUp,      // its memo could not be written (or the like): nothing changed
};

class Workspace : public QObject {
    Q_OBJECT
public:
    // programDir holds the settings, the archives and the password file.
    Workspace(QString programDir, Ui& ui, const TimeSource& time);

    // The window the dialogs are centred over, and where the window's state and
    // geometry come from when the settings are written. Without a window the
    // dialogs are centred on the screen and the placement read is kept.
    void attachWindow(QWidget* window, std::function<WindowPlacement()> placement);

    // Start-up: the settings (with the first-start dialog), then both own
    // lists, created when missing. End: the program must end without showing
    // its window (the user gave up or cancelled); nothing was written then.
    enum class Start { Run, End };
    Start start();

    // Shutdown: the settings and both own lists written. False when something
    // could not be saved; the user has been told, and nothing is lost from memory.
    bool saveAll();

    const ItemStore& store() const { return core_.store(); }
    const AppSettings& settings() const { return core_.settings(); }
    const QString& programDir() const { return core_.programDir(); }
    const QString& settingsPath() const { return core_.settingsPath(); }
    const QString& passwordPath() const { return core_.passwordPath(); }
    // The user's guide "使い方" opens: beside the program unless told otherwise.
    QString helpDocumentPath() const
    {
        return helpDocument_.isEmpty() ? programFile(core_.programDir(), QStringLiteral("poruka.wri")) : helpDocument_;
    }
    void setHelpDocument(const QString& path) { helpDocument_ = path; }

    View view() const { return view_; }
    // Whose entry the member combo names: 0 the user, k colleague k.
    int shownMember() const { return shownMember_; }
    ListChoice selectedList() const { return selectedList_; }
    void select(ListChoice list) { selectedList_ = list; }
    // Items of the lists on display.
    int shownTodoCount() const;
    int shownScheduleCount() const;

    // The member combo: the own lists (index 0) or colleague k's. False when the
    // view stayed as it was (already shown, or a read the user gave up).
    bool showMember(int k);
    // The archives instead of the open lists, and back to the own open lists.
    bool showCompleted();
    void showOpen();

    // Sorts both lists on display; nothing is written.
    void sortShown(SortOrder order, const YieldFn& yield);
    // Sorts both own open lists by date and time.
    void sortOwnByDate(const YieldFn& yield);

    // Chooses the next alarm among the own open items: the "HH:MM" the clock is
    // to be armed with ("23:59" when none).
    QString armAlarm(bool sameMinute);
    // The clock went off at alarmTime: the notice to show, if its item is due today.
    std::optional<AlarmNotice> alarmDue(const QString& alarmTime);
    // The next alarm after the one that rang at `rang` ("23:59" when none).
    QString armAlarmAfter(const QString& rang);
    const std::optional<AlarmNotice>& alarmNotice() const { return alarmNotice_; }

    // "完了": the item in `row` of the own open list `list` goes into its archive
    // with today's date (the memo file stays), then leaves the list; the
    // settings and the list file are written.
    Completion complete(ListChoice list, int row);

    // Whether `row` of the grid showing `list` holds an item (a row past the
    // items, or one whose date is empty, holds none).
    bool holdsItem(ListChoice list, int row) const;
    // That item as a dialog shows it, and its record: which item a dialog was
    // opened on, so that the command acts on that one even if the list moved.
    ItemTexts itemTexts(ListChoice list, int row) const;
    QByteArray itemBytes(ListChoice list, int row) const;
    // The row of the item with that record in the grid showing `list`: `near`
    // when it is still there, else its first place; 0 when it is gone.
    int rowOf(ListChoice list, const QByteArray& record, int near) const;

    // "削除": the item (an own open one, or an archived one in the completed
    // view) leaves its list, its file is rewritten (for an open item after the
    // settings), then its memo file goes.
    Deletion deleteItem(ListChoice list, int row, const QByteArray& expected);

    // "転記": a copy of the colleague's item goes to the end of the own list of
    // its kind, with a copy of its memo under a new number; the settings and
    // the list file are written. Nothing is shown again and no alarm chosen.
    Transcription transcribe(ListChoice list, int row, const QByteArray& expected);

    // The memo of the item in `row` of the grid showing `list`, as the memo
    // panel shows it (empty when there is none or its file is missing, which
    // is told). Sets memoEditPath: the own memo's file, empty for a colleague's.
    QString showMemo(ListChoice list, int row);
    // The memo file "メモ編集" opens; also set by a click on a search hit.
    const QString& memoEditPath() const { return memoEditPath_; }
    void setMemoEditPath(const QString& path) { memoEditPath_ = path; }
    // The memo text of memo number memoNo in `directory`; a missing file is told.
    QString readMemoText(const QString& directory, int memoNo);

    // What the search dialog works on: the own folder, the archives, the trap
    // and the memo path it shares with the memo panel.
    SearchContext searchContext();

    // What the entry form works on: the own lists, the item at `row` for a change.
    EntryContext entryContext(TargetKind kind, int row, const QDate& calendarDate);

    // The settings dialogs, from the menu or as the trap's repairs; true when
    // accepted. Either way the member list may have changed (membersChanged).
    bool editOwnSettings();
    bool editMembers();

    FileErrorHandler trap(TrapVariant variant);

    // Another copy of the program on the same data folder, or a colleague's
    // program: looks whether the files on display changed and takes the
    // changes in (the own lists merged with this copy's edits and written
    // again where the file lacks some of them; a colleague's lists read anew).
    // Quiet: a file that cannot be read now is looked at next time.
    struct FilesChanged {
        bool ownLists = false;   // the own lists in memory changed (records or their order)
        bool ownRecords = false; // ... records came, went or changed: worth telling
        bool memberLists = false;
        bool keptBoth = false;   // a record both copies changed is kept twice
    };
    FilesChanged followFiles();
    // The folders whose files are on display: to be watched.
    QStringList watchedFolders() const;

signals:
    // The names of the member list may have changed: the combo is to be refilled.
    void membersChanged();
    // Writing an own list took in another copy's changes first: the list in
    // memory changed. keptBoth: a record both copies changed is kept twice.
    void ownListMerged(bool keptBoth);

private:
    // Calls f with the list the grid of `list` shows in the present view.
    template <class F>
    decltype(auto) withShownList(ListChoice list, F&& f) const
    {
        const ItemStore& store = core_.store();
        const bool todo = list == ListChoice::Todo;
        switch (view_) {
        case View::Member: return todo ? f(store.memberTodos) : f(store.memberSchedules);
        case View::Completed: return todo ? f(store.doneTodos) : f(store.doneSchedules);
        case View::Own: break;
        }
        return todo ? f(store.todos) : f(store.schedules);
    }
    int memoNumberAt(ListChoice list, int row) const;
    QString chooseNextAlarm(const QString& after, bool inclusive);
    bool loadOwnListAtStartup(ListKind kind);
    // A settings file that was not understood: told, the own name and folder
    // asked again, the file kept as a backup and written anew. False when the
    // user gave up (then nothing was written).
    bool recoverSettings(FileErrorHandler& handler, const SettingsRead& read);
    // The data of the previous major version converted, the user willing;
    // false when the program must end.
    bool convertOldVersion(const QString& dataDirectory);
    // The start-up password prompt; false when the program must end.
    bool askPassword(FileErrorHandler& handler);
    // A list file with text but no line end that could be read as records.
    void tellNoLineEnds(const QString& path);
    bool loadMember(int k);
    // Reads an archive, created empty when missing.
    template <class T>
    bool loadArchive(FileErrorHandler& handler, ListKind kind, ItemList<T>& out);
    void tellArchiveFull(ListKind kind);
    // Runs a command through the core and says when another copy's changes
    // were taken in on the way.
    JobResult run(Job job, StepRunner& runner);

    Core core_;
    Ui& ui_;
    const TimeSource& time_;
    QWidget* window_ = nullptr;

    Fingerprint memberTodoSeen_, memberScheduleSeen_;

    View view_ = View::Own;
    int shownMember_ = 0;
    ListChoice selectedList_ = ListChoice::None;

    QString memoEditPath_;
    QString helpDocument_;
    QString rangAt_;   // date and minute of the last alarm that went off
    std::optional<AlarmNotice> alarmNotice_;
};
