#pragma once
// The main window: the two lists on display, the member combo, the calendar,
// the clock, the command buttons and the menus. It holds controls only: each
// handler turns an event into a call on the workspace and shows again what
// the workspace reports changed.

#include "main_window/workspace.h"

#include <QMainWindow>

class Calendar;
class Clock;
class Grid;
class QAction;
class QFileSystemWatcher;
class QTimer;
class QComboBox;
class QGroupBox;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class TimeSource;
class Ui;

class Main_Form : public QMainWindow {
    Q_OBJECT
public:
    Main_Form(QString programDir, Ui& ui, const TimeSource& time, QWidget* parent = nullptr);
    ~Main_Form() override;

    // Start-up. False when the program must end without showing the window.
    bool Form_Load();

    const Workspace& workspace() const { return workspace_; }
    bool isLoading() const { return loading_; }

    // Everything the window remembers of itself, in twips.
    WindowPlacement placement() const;
    // Where the user's guide lies (beside the program, or where it was installed).
    void setHelpDocument(const QString& path) { workspace_.setHelpDocument(path); }

public slots:
    // To the front, also from the taskbar or behind other windows (a second
    // start on the same program folder asks for it).
    void bringToFront();

    // Shutdown: settings and both own lists written back. False when something
    // could not be saved: the window then stays open.
    bool cmd_syuryo_Click();

    void Combo1_Click(int index);
    // The memo panel, "メモ編集", "使い方" and "完了" (main_form_memo.cpp).
    void Grid1_Click();
    void Grid2_Click();
    void Grid1_RowColChange();
    void Grid2_RowColChange();
    void Command12_Click();
    void Command14_Click();
    void Menu_help_Click();
    void Menu_kensaku_Click();
    // Changing, deleting, transcribing (main_form_edit.cpp).
    void Command9_Click();
    void Command10_Click();
    void Command11_Click();
    void Grid1_DblClick();
    void Grid2_DblClick();
    // Between the open lists and the archives (main_form_view.cpp).
    void Command13_Click();
    void Menu_Settei_jibun_Click();
    void Menu_Settei_member_Click();
    void Menu_Settei_pass_Click();

    // Sorting the lists on display (main_form_sort.cpp).
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    // The clock's alarm (main_form_alarm.cpp).
    void CurTime1_Alarm();
    // A new item from the calendar (main_form_entry.cpp).
    void CSCalendar1_Click();

public:
    // Sorts both own open lists by date and time and shows them (after the entry form).
    void sortOwnListsByDate();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void applyLayout();
    void restorePlacement(const WindowPlacement& p);
    void setUpGrid(Grid& grid);
    // Both grids from the lists on display, with their titles and the
    // commands that view allows.
    void showLists();
    void showRows();
    // The count headings, leaving both grids' rows chosen as they are.
    void writeListCounts();
    // The same, leaving no row chosen in either grid.
    void writeListTitles(int todoCount, int scheduleCount);
    void enableCommandsForView();
    Grid* gridOf(ListChoice list) const;
    // The current row of the grid clicked last; 0 when none.
    int selectedRow() const;
    void showMemoOf(ListChoice list);
    // Following the files on display (main_form_follow.cpp).
    void startFollowingFiles();
    void watchFolders();
    void followFiles();
    // Both grids again from the lists, the item chosen in each still chosen.
    void showRowsKeepingChoice();
    void tellTakenIn(bool keptBoth);
    void gridDblClick(ListChoice list);
    // The entry form on the item in `row`, then that row and its memo shown again.
    void changeItem(ListChoice list, int row);
    void refillMemberCombo();
    void armAlarm(bool sameMinute);
    void sortShown(SortOrder order);
    // Runs a command that yields to events while it works, then shows the rows
    // again (main_form_sort.cpp). False when another such command is running.
    bool runGuarded(const std::function<void(const YieldFn&)>& work);

    Workspace workspace_;
    Ui& ui_;
    const TimeSource& time_;
    bool loading_ = false;
    bool closing_ = false;
    // A sort in progress (main_form_sort.cpp): the window's commands are shut
    // off, and an alarm that goes off meanwhile runs once the sort is done.
    class CommandGuard;
    bool busy_ = false;
    bool alarmDeferred_ = false;
    QFileSystemWatcher* watcher_ = nullptr;
    QTimer* followTimer_ = nullptr;

public:
    // Controls, named as their objectName.
    QComboBox* Combo1;
    Grid* Grid1;
    Grid* Grid2;
    QPlainTextEdit* T_memo;
    Calendar* CSCalendar1;
    Clock* CurTime1;
    QGroupBox* Frame1;
    QPushButton* Command6;
    QPushButton* Command7;
    QPushButton* Command8;
    QGroupBox* Frame2;
    QPushButton* Command9;
    QPushButton* Command10;
    QPushButton* Command11;
    QPushButton* Command12;
    QPushButton* Command13;
    QPushButton* Command14;
    QPushButton* cmd_syuryo;
    QMenu* Menu_Settei;
    QAction* Menu_Settei_jibun;
    QAction* Menu_Settei_member;
    QAction* Menu_Settei_pass;
    QMenu* Menu_kensaku1;
    QAction* Menu_kensaku;
    QMenu* Menu_help1;
    QAction* Menu_help;
};
