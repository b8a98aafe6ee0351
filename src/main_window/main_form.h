#pragma once
// The main window: the two lists on display, the member combo, the calendar,
// the clock, the command buttons and the menus. It holds controls only: each
// handler hands the event to the presenter and shows what it answers
// (redisplay(Redisplay)); the dialogs are the real ones behind QtForms.

#include "main_window/presenter.h"
#include "main_window/qt_forms.h"

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

    const Presenter& presenter() const { return presenter_; }
    bool isLoading() const { return loading_; }

    // Everything the window remembers of itself, in twips.
    WindowPlacement placement() const;
    // Where the user's guide lies (beside the program, or where it was installed).
    void setHelpDocument(const QString& path) { presenter_.setHelpDocument(path); }

public slots:
    // To the front, also from the taskbar or behind other windows (a second
    // start on the same program folder asks for it).
    void bringToFront();

    // Shutdown: settings and both own lists written back. False when something
    // could not be saved: the window then stays open.
    bool cmd_syuryo_Click();

    // The handlers of the controls and menus (main_form_handlers.cpp).
    void Combo1_Click(int index);
    void Grid1_Click();
    void Grid2_Click();
    void Grid1_RowColChange();
    void Grid2_RowColChange();
    void Grid1_DblClick();
    void Grid2_DblClick();
    void Command6_Click();
    void Command7_Click();
    void Command8_Click();
    void Command9_Click();
    void Command10_Click();
    void Command11_Click();
    void Command12_Click();
    void Command13_Click();
    void Command14_Click();
    void CSCalendar1_Click();
    void CurTime1_Alarm();
    void Menu_help_Click();
    void Menu_kensaku_Click();
    void Menu_Settei_jibun_Click();
    void Menu_Settei_member_Click();
    void Menu_Settei_pass_Click();
    void Menu_sinki_Click();
    void Menu_kanryo_torikesi_Click();
    void Menu_modosu_Click();
    void Menu_yarinaosi_Click();
    void Menu_syuryo_Click();

protected:
    void resizeEvent(QResizeEvent* event) override;
    void closeEvent(QCloseEvent* event) override;

private:
    void buildControls();
    void buildMenus();
    void applyLayout();
    void restorePlacement(const WindowPlacement& p);
    void setUpGrid(Grid& grid);
    // Carries out what the presenter answered (main_form_show.cpp).
    void redisplay(const Redisplay& display);
    void showRows();
    void showHeadings(Redisplay::Headings headings);
    void enableCommandsForView();
    Grid* gridOf(ListChoice list) const;
    void gridRowChanged(ListChoice list);
    // The current row of the grid clicked last; 0 when none.
    int selectedRow() const;
    // Following the files on display (main_form_follow.cpp).
    void startFollowingFiles();
    void watchFolders();
    void followFiles();
    void refillMemberCombo();
    void armAlarm(bool sameMinute);
    // Runs a command that yields to events while it works, then shows what it
    // answers (main_form_sort.cpp). Nothing when another such command is running.
    void runGuarded(const std::function<Redisplay(const YieldFn&)>& work);

    Ui& ui_;
    const TimeSource& time_;
    QtForms forms_;
    Presenter presenter_;
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
    QMenu* Menu_koumoku;
    QAction* Menu_sinki;
    QAction* Menu_henkou;
    QAction* Menu_sakujo;
    QAction* Menu_kanryo;
    QAction* Menu_tenki;
    QAction* Menu_kanryo_torikesi;
    QAction* Menu_modosu;
    QAction* Menu_yarinaosi;
    QAction* Menu_syuryo;
    QMenu* Menu_Settei;
    QAction* Menu_Settei_jibun;
    QAction* Menu_Settei_member;
    QAction* Menu_Settei_pass;
    QMenu* Menu_kensaku1;
    QAction* Menu_kensaku;
    QMenu* Menu_help1;
    QAction* Menu_help;
};
