#pragma once
// The entry form: a new ToDo or schedule item (TargetKind::New) or a change of
// the selected own ToDo or schedule item (ChangeTodo, ChangeSchedule). "登録"
// registers and closes with accept(); "中止" closes with reject(), and so does a
// kind change refused because the target list is full (nothing changed).

#include "entry/entry_context.h"
#include "entry/entry_values.h"

#include <QDialog>
#include <array>

class Calendar;
class QCheckBox;
class QComboBox;
class QGroupBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QPushButton;
class QRadioButton;

class F_kinyu : public QDialog {
    Q_OBJECT
public:
    explicit F_kinyu(EntryContext context);

    // The form's state as registration reads it.
    EntryState state() const;
    // What registering changed; nothing after a cancel.
    const EntryChanges& changes() const { return changes_; }

    QPushButton* Command25;   // 登録
    QPushButton* Command26;   // 中止
    QLabel* Label12;
    QLineEdit* T_naiyo;
    QPlainTextEdit* T_memo;
    QLabel* Label7;
    QComboBox* cmbo_tanto;

    QGroupBox* Frame2;   // 期限
    Calendar* CSCalendar1;
    QCheckBox* chk_jyuyo;
    QCheckBox* chk_secret;
    QCheckBox* chk_alarm;
    QGroupBox* frm_fun;   // 分
    std::array<QPushButton*, 12> fun{};   // fun00, fun05, ... fun55
    QGroupBox* frm_ji;   // 時
    std::array<QPushButton*, 12> ji{};   // ji0 ... ji11
    QRadioButton* op_am;
    QRadioButton* op_pm;
    QRadioButton* op_jikokunasi;
    QRadioButton* op_kaki;
    QRadioButton* op_kyou;
    QRadioButton* op_kigennasi;
    QLabel* L_nen;
    QLabel* L_tuki;
    QLabel* L_hi;
    QLabel* L_ji;
    QLabel* L_fun;
    QLabel* Label2;   // 年
    QLabel* Label4;   // 月
    QLabel* Label6;   // 日
    QLabel* Label9;   // 時
    QLabel* Label11;   // 分
    QLabel* L_jikokunasi;   // 時刻なし, in place of the hour and minute when there is none

    QGroupBox* FRM_syubetu;   // 種別
    QRadioButton* op_sche;
    QRadioButton* op_todo;

public slots:
    void Form_Load();
    void CSCalendar1_Change();
    void op_kaki_Click();
    void op_kyou_Click();
    void op_kigennasi_Click();
    void op_am_Click();
    void op_pm_Click();
    void op_jikokunasi_Click();
    // One handler for the twelve hour buttons: number is 0 for ji0 ... 11 for ji11.
    void ji0_Click(int number);
    // One handler for the twelve minute buttons: number is 0 for fun00 ... 11 for fun55.
    void fun00_Click(int number);
    void Command25_Click();
    void Command26_Click();

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void buildControls();
    void loadItem(const OpenItem& item);
    void noDateSettings();
    void datePartsFromCalendar();
    void relabelHours(int first);
    // The hour and minute as the labels hold them: their buttons pressed, or
    // 時刻なし; the buttons usable only when a time can be chosen.
    void showTime();
    bool timePickable() const;

    EntryContext ctx_;
    std::optional<QString> memoAsLoaded_ = QString();
    EntryChanges changes_;
    bool composing_ = false;   // an input method's conversion is under way in a text field
};
