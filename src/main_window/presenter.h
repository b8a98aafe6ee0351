#pragma once
// What the main window does, without its widgets: start-up and shutdown,
// whose lists are on display (own, a colleague's, the archives), which list
// the user chose, the memo panel's text and path, the alarm's queue, and the
// commands, each with its checks and messages. It asks the user through Ui
// (messages) and Forms (dialogs), changes data only through the core, and
// answers every call with what the window is to show again (Redisplay).

#include "core/core.h"
#include "core/list_sort.h"
#include "main_window/alarm_choice.h"
#include "main_window/forms.h"
#include "main_window/redisplay.h"
#include "main_window/view_state.h"
#include "settings/file_error_handler.h"

#include <QDate>
#include <QObject>
#include <QString>
#include <functional>
#include <optional>

class QWidget;
class TimeSource;
class Ui;

class Presenter : public QObject {
    Q_OBJECT
public:
    // programDir holds the settings, the archives and the password file.
    Presenter(QString programDir, Ui& ui, Forms& forms, const TimeSource& time);

    // The window messages are shown over, and where its state and geometry
    // come from when the settings are written. Without one, messages are
    // centred on the screen and the placement read is kept.
    void attachWindow(QWidget* window, std::function<WindowPlacement()> placement);

    // Start-up: the settings (the first start, a damaged file, old data, the
    // password), then both own lists and what a crash left half done. End:
    // the program ends without showing its window; nothing was written then.
    enum class [[nodiscard]] Start{Run, End};
    Start start();
    // Shutdown: the settings and both own lists written. False when something
    // could not be saved: told, nothing lost from memory, the window stays.
    bool quit();

    const ItemStore& store() const { return core_.store(); }
    const AppSettings& settings() const { return core_.settings(); }
    const QString& programDir() const { return core_.programDir(); }
    const QString& passwordPath() const { return core_.passwordPath(); }
    // The user's guide "使い方" opens: beside the program unless told otherwise.
    QString helpDocumentPath() const;
    void setHelpDocument(const QString& path) { helpDocument_ = path; }

    View view() const { return view_; }
    // Whose entry the member combo names: 0 the user, k colleague k.
    int shownMember() const { return shownMember_; }
    // The list the user clicked in last; the commands act on its grid's row.
    ListChoice selectedList() const { return selectedList_; }
    // The lists on display: f(ToDo list, schedule list), whichever view.
    template <class F> decltype(auto) withShownLists(F&& f) const
    {
        const ItemStore& s = core_.store();
        switch (view_) {
        case View::Member:
            return f(s.memberTodos, s.memberSchedules);
        case View::Completed:
            return f(s.doneTodos, s.doneSchedules);
        case View::Own:
            break;
        }
        return f(s.todos, s.schedules);
    }
    int shownTodoCount() const;
    int shownScheduleCount() const;
    // Whether `row` of the grid showing `list` holds an item, and which.
    bool holdsItem(ListChoice list, int row) const;
    ItemTexts itemTexts(ListChoice list, int row) const;
    QByteArray itemBytes(ListChoice list, int row) const;
    // The row of the item with that record in the grid showing `list`: `near`
    // when it is still there, else its first place; 0 when it is gone.
    int rowOf(ListChoice list, const QByteArray& record, int near) const;
    // The memo file "メモ編集" opens; also set by a click on a search hit.
    const QString& memoEditPath() const { return memoEditPath_; }

    // The lists on display anew, with their view, no row chosen, no memo.
    static Redisplay wholeView();

    // A click in a grid: it becomes the list the commands act on, and the memo
    // of its row shows. A row changed by the keyboard shows its memo too.
    Redisplay select(ListChoice list, int row);
    Redisplay rowChanged(ListChoice list, int row);
    // The member combo: the own lists (0) or colleague k's.
    Redisplay showMember(int k);
    // 完了表示 / 予定表示.
    Redisplay toggleCompleted();
    // 日時, 名前, 重要: both lists on display; nothing is written.
    Redisplay sort(SortOrder order, const YieldFn& yield);
    // A day of the calendar: the entry form on a new item; a registered item
    // goes to its place in time.
    Redisplay newItem(const QDate& day, const YieldFn& yield);
    // 変更 on the selected list's `row`, and a double click on `row` of `list`.
    Redisplay change(int row);
    Redisplay changeByDoubleClick(ListChoice list, int row);
    // 削除, 転記 and 完了 on the selected list's `row`.
    Redisplay deleteItem(int row);
    Redisplay transcribe(int row);
    Redisplay complete(int row);
    // 元に戻す and やり直し of the session's commands, in any view; and in
    // 完了表示 an archived item back into its open list.
    Redisplay undo();
    Redisplay redo();
    Redisplay reopen(int row);
    bool canUndo() const { return core_.canUndo(); }
    bool canRedo() const { return core_.canRedo(); }
    // メモ編集, 使い方, 検索 and the settings dialogs.
    void editMemo();
    void openHelp();
    void search();
    Redisplay editOwnSettings();
    Redisplay editMembers();
    Redisplay editPassword();

    // The alarm: the "HH:MM" the clock is to be armed with ("23:59" when
    // none), and, when it went off at `rang`, the notices of the items due
    // (each shown in turn, including those that came due meanwhile) and the
    // next alarm. `unseen`: the window is minimised or behind others, so the
    // desktop is told as well.
    QString armAlarm(bool sameMinute);
    QString alarmRang(const QString& rang, bool unseen);
    // The item the alarm was last armed for.
    const std::optional<AlarmNotice>& alarmNotice() const { return alarmNotice_; }

    // Another copy of the program on the same data folder, or a colleague's
    // program: what changed in the files on display is taken in. Quiet: a
    // file that cannot be read now is looked at next time.
    Redisplay followFiles();
    // The folders whose files are on display: to be watched.
    QStringList watchedFolders() const;

signals:
    // The member list may have changed: the combo is to be refilled.
    void membersChanged();

private:
    FileErrorHandler trap(TrapVariant variant);
    // The settings dialogs, also as the trap's repairs; true when accepted.
    bool askOwnSettings();
    bool askMembers();
    void tell(const QString& text);
    EntryContext entryContext(TargetKind kind, int row, const QDate& calendarDate);
    // The entry form on the item in `row` of `list`, then that row again.
    Redisplay changeAt(ListChoice list, int row);
    int memoNumberAt(ListChoice list, int row) const;
    QString memoOf(ListChoice list, int row);
    QString readMemoText(const QString& directory, int memoNo);
    QString chooseNextAlarm(const QString& after, bool inclusive);
    std::optional<AlarmNotice> alarmDue(const QString& alarmTime);
    template <class F> decltype(auto) withShownList(ListChoice list, F&& f) const
    {
        return withShownLists([&](const auto& todos, const auto& schedules) -> decltype(auto) {
            return list == ListChoice::Todo ? f(todos) : f(schedules);
        });
    }
    // A command run through the core; the status note when another copy's
    // changes were taken in on the way.
    JobResult run(Job job, StepRunner& runner, Redisplay& display);
    Redisplay takeBack(Core::UndoResult result, bool undo);
    // Start-up pieces (presenter_startup.cpp).
    bool loadOwnListAtStartup(ListKind kind);
    bool recoverSettings(FileErrorHandler& handler, const SettingsRead& read);
    bool convertOldVersion(const QString& dataDirectory);
    bool askPassword(FileErrorHandler& handler);
    void tellNoLineEnds(const QString& path);
    bool loadMember(int k);
    // The archives read into the store for 完了表示; false when given up.
    bool loadArchives();
    template <class T> bool loadArchive(FileErrorHandler& handler, ListKind kind, ItemList<T>& out);
    void tellArchiveFull(ListKind kind);

    Core core_;
    Ui& ui_;
    Forms& forms_;
    const TimeSource& time_;
    QWidget* window_ = nullptr;

    // The colleague's list files on display and the versions shown.
    QString memberTodoPath_, memberSchedulePath_;
    Fingerprint memberTodoSeen_, memberScheduleSeen_;

    View view_ = View::Own;
    int shownMember_ = 0;
    ListChoice selectedList_ = ListChoice::None;

    QString memoEditPath_;
    struct ShownMemo {
        QString path;   // the memo file the panel shows, if any
        Fingerprint seen;
    } shownMemo_;
    QString helpDocument_;
    QString rangAt_;   // date and minute of the last alarm that went off
    std::optional<AlarmNotice> alarmNotice_;
};

// "他のパソコンでの変更を取り込みました。" and the like.
QString takenInNote(bool keptBoth);
// An own list at its 30000 items: nothing more goes into it.
inline const QString kListFullMessage = QStringLiteral("３００００件を越えたので登録できません。");
// The status bar's note after a command: "登録しました" and the like.
QString doneNote(Command command);
