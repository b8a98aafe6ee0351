#pragma once
// The main window: the two lists of the person being viewed, the member combo,
// the calendar, the clock, the command buttons and the menus. It owns the item
// store, the settings and the member list for the whole run.

#include "main_window/alarm_choice.h"
#include "settings/file_error_handler.h"
#include "store/item_store.h"
#include "store/list_file.h"
#include "store/settings_file.h"

#include <QMainWindow>

class Calendar;
class Clock;
class Grid;
class QAction;
class QComboBox;
class QGroupBox;
class QMenu;
class QPlainTextEdit;
class QPushButton;
class TimeSource;
class Ui;
struct EntryContext;
enum class SortOrder;

class Main_Form : public QMainWindow {
    Q_OBJECT
public:
    Main_Form(QString programDir, Ui& ui, const TimeSource& time, QWidget* parent = nullptr);
    ~Main_Form() override;

    // Start-up. False when the program must end without showing the window.
    bool Form_Load();

    ItemStore& store() { return store_; }
    AppSettings& settings() { return settings_; }
    const QString& settingsPath() const { return settingsPath_; }
    bool ownListsShown() const { return ownListsShown_; }
    bool isLoading() const { return loading_; }
    const QString& selectedList() const { return selectedList_; }
    const std::optional<AlarmNotice>& alarmNotice() const { return alarmNotice_; }

    // Everything the window remembers of itself, in twips.
    WindowPlacement placement() const;

public slots:
    // Shutdown: settings and both own lists written back. False when the user
    // chose to keep the window open because something could not be saved.
    bool cmd_syuryo_Click();

    void Combo1_Click(int index);
    void Grid1_Click();
    void Grid2_Click();
    void Grid1_RowColChange();
    void Grid2_RowColChange();
    void Menu_Settei_jibun_Click();
    void Menu_Settei_member_Click();

    // Sorting the lists on display (main_form_sort.cpp).
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    // The clock's alarm (main_form_alarm.cpp).
    void CurTime1_Alarm();
    // A new item from the calendar (main_form_calendar.cpp).
    void CSCalendar1_Click();

public:
    // Chooses the next alarm among the own open lists and arms the clock.
    void ArmAlarm(bool sameMinute);
    // Sorts both own open lists by date and time and redisplays them.
    void sortOwnListsByDate();
    // The view toggle's caption tells open lists ("完了表示") from the archives.
    bool openListsShown() const;

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void applyLayout();
    void setUpGrid(Grid& grid, const QString& title);
    void writeListTitles(int todoCount, int scheduleCount);
    void showOwnRows();
    void showOwnLists();
    void showMemberLists(int k);
    void setEditingEnabled(bool own);
    bool loadOwnListAtStartup(ListKind kind);
    // Runs a read through the trap. A read the trap passes over (no permission,
    // an I/O error) is told with its reason and retried when the user asks.
    // False when the user gave the read up.
    bool readOrGiveUp(FileErrorHandler& handler, const std::function<FileStatus()>& read, Scope scope);
    bool showOwnSettingsDialog();
    bool showMemberDialog();
    void refillMemberCombo();
    FileErrorHandler trap(TrapVariant variant);
    bool saveAll();
    TrapResult saveSettings(FileErrorHandler& handler);
    void restorePlacement();
    // What the entry form needs of the window (main_form_calendar.cpp).
    EntryContext entryContext(int targetKind);
    void sortShown(SortOrder order);

    QString programDir_;
    Ui& ui_;
    const TimeSource& time_;

    ItemStore store_;
    AppSettings settings_;
    QString settingsPath_;
    QString passwordPath_;
    int memberSlotCount_ = 0;
    bool ownListsShown_ = true;
    bool loading_ = false;
    bool closing_ = false;
    QString selectedList_;
    int shownMember_ = 0;   // whose lists the grids show: 0 the user, k member k
    QString rangAt_;        // date and minute of the last alarm that went off
    std::optional<AlarmNotice> alarmNotice_;
    // A sort in progress (main_form_sort.cpp): the window's commands are shut
    // off, and an alarm that goes off meanwhile runs once the sort is done.
    class CommandGuard;
    bool busy_ = false;
    bool alarmDeferred_ = false;

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
