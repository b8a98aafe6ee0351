// The entry form: its controls, what Form_Load shows, and the date and time pickers.
#include "common/test_main.h"
#include "entry_fixture.h"

#include "ui/calendar.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QGroupBox>
#include <QInputMethodEvent>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSignalSpy>

namespace {

QString labels(const F_kinyu& f)
{
    return QStringList{f.L_nen->text(), f.L_tuki->text(), f.L_hi->text(), f.L_ji->text(), f.L_fun->text()}.join('|');
}

QStringList hourCaptions(const F_kinyu& f)
{
    QStringList out;
    for (const QPushButton* b : f.ji)
        out << b->text();
    return out;
}

QStringList numbers(int first, int count, int step = 1, int width = 0)
{
    QStringList out;
    for (int i = 0; i < count; ++i)
        out << QStringLiteral("%1").arg(first + i * step, width, 10, QLatin1Char('0'));
    return out;
}

// The form shown and active, so focus moves can be seen.
bool showActive(F_kinyu& f)
{
    f.show();
    QApplication::setActiveWindow(&f);
    return QTest::qWaitForWindowActive(&f);
}

}   // namespace

class TestFKinyu : public QObject {
    Q_OBJECT
private slots:
    void controlsAfterLoadingNewItem();
    void optionGroupsAreIndependent();
    void loadForChange_data();
    void loadForChange();
    void loadsTheMemoOfTheItem();
    void hourAndMinuteButtons_data();
    void hourAndMinuteButtons();
    void amPmRelabelsButKeepsTheHour();
    void pickersIgnoredWithoutATime_data();
    void pickersIgnoredWithoutATime();
    void enterRegistersUnlessConverting();
    void showsTheTimeChosen();
    void kakiAfterKyouResets_data();
    void kakiAfterKyouResets();
    void jikokunasiZeroesTheTime();
    void calendarChange_data();
    void calendarChange();
    void cancelChangesNothing();
};

void TestFKinyu::controlsAfterLoadingNewItem()
{
    EntryFixture fx;
    QWidget owner;   // where the main window stands
    owner.setGeometry(100, 50, 1000, 800);
    fx.mainWindow = &owner;
    const auto f = fx.form(1, QDate(2027, 3, 5));

    QCOMPARE(f->objectName(), QStringLiteral("F_kinyu"));
    QCOMPARE(f->windowTitle(), QStringLiteral("ぽるか　Ver.2.10"));
    const QSize size = f->frameGeometry().size();
    QCOMPARE(f->pos(), QPoint(100 + (1000 - size.width()) / 2, 50 + (800 - size.height()) / 2));

    // Name, caption and container of every control of the table.
    struct Named {
        QWidget* widget;
        const char* name;
        QString caption;
        QWidget* container;
    };
    // All but the two buttons at the foot sit on the scrolling sheet.
    QWidget* sheet = f->findChild<QWidget*>(QStringLiteral("sheet"));
    QVERIFY(sheet);
    const QList<Named> controls{
        {f->Command25, "Command25", "登録", f.get()},
        {f->Command26, "Command26", "中止", f.get()},
        {f->T_naiyo, "T_naiyo", {}, sheet},
        {f->T_memo, "T_memo", {}, sheet},
        {f->Label12, "Label12", "内容", sheet},
        {f->cmbo_tanto, "cmbo_tanto", {}, sheet},
        {f->Label7, "Label7", "やる人", sheet},
        {f->Frame2, "Frame2", "期限", sheet},
        {f->CSCalendar1, "CSCalendar1", {}, f->Frame2},
        {f->chk_jyuyo, "chk_jyuyo", "重要", f->Frame2},
        {f->chk_secret, "chk_secret", "ヒミツ", f->Frame2},
        {f->chk_alarm, "chk_alarm", "お知らせ", f->Frame2},
        {f->frm_fun, "frm_fun", "分", f->Frame2},
        {f->frm_ji, "frm_ji", "時", f->Frame2},
        {f->op_am, "op_am", "AM", f->frm_ji},
        {f->op_pm, "op_pm", "PM", f->frm_ji},
        {f->op_jikokunasi, "op_jikokunasi", "時刻指定無し", f->frm_ji},
        {f->op_kaki, "op_kaki", "下記", f->Frame2},
        {f->op_kyou, "op_kyou", "今日中", f->Frame2},
        {f->op_kigennasi, "op_kigennasi", "期限無し", f->Frame2},
        {f->L_nen, "L_nen", "2027", f->Frame2},
        {f->L_tuki, "L_tuki", "03", f->Frame2},
        {f->L_hi, "L_hi", "05", f->Frame2},
        {f->L_ji, "L_ji", "0", f->Frame2},
        {f->L_fun, "L_fun", "0", f->Frame2},
        {f->Label2, "Label2", "年", f->Frame2},
        {f->Label4, "Label4", "月", f->Frame2},
        {f->Label6, "Label6", "日", f->Frame2},
        {f->Label9, "Label9", "時", f->Frame2},
        {f->Label11, "Label11", "分", f->Frame2},
        {f->FRM_syubetu, "FRM_syubetu", "種別", sheet},
        {f->op_sche, "op_sche", "予定", f->FRM_syubetu},
        {f->op_todo, "op_todo", "やること", f->FRM_syubetu},
    };
    for (const Named& c : controls) {
        QVERIFY2(c.widget, c.name);
        QCOMPARE(c.widget->objectName(), QString::fromLatin1(c.name));
        QCOMPARE(f->findChild<QWidget*>(QString::fromLatin1(c.name)), c.widget);
        QVERIFY2(c.widget->parentWidget() == c.container, c.name);
        if (c.caption.isEmpty())
            continue;
        if (auto* b = qobject_cast<QAbstractButton*>(c.widget))
            QCOMPARE(b->text(), c.caption);
        else if (auto* l = qobject_cast<QLabel*>(c.widget))
            QCOMPARE(l->text(), c.caption);
        else if (auto* g = qobject_cast<QGroupBox*>(c.widget))
            QCOMPARE(g->title(), c.caption);
    }
    for (int n = 0; n < 12; ++n) {
        const QString ji = QStringLiteral("ji%1").arg(n);
        const QString fun = QStringLiteral("fun%1").arg(n * 5, 2, 10, QLatin1Char('0'));
        QCOMPARE(f->findChild<QPushButton*>(ji), f->ji[std::size_t(n)]);
        QCOMPARE(f->ji[std::size_t(n)]->parentWidget(), f->frm_ji);
        QCOMPARE(f->findChild<QPushButton*>(fun), f->fun[std::size_t(n)]);
        QCOMPARE(f->fun[std::size_t(n)]->parentWidget(), f->frm_fun);
        QCOMPARE(f->fun[std::size_t(n)]->text(), fun.mid(3));
    }

    // A new item: ToDo, on the picked day, hour and minute 0 with the PM set.
    QVERIFY(f->op_todo->isChecked() && f->op_todo->isEnabled() && f->op_sche->isEnabled());
    QVERIFY(f->op_kaki->isChecked());
    QVERIFY(f->op_pm->isChecked());
    QVERIFY(!f->op_jikokunasi->isChecked());
    QCOMPARE(hourCaptions(*f), numbers(12, 12));
    QCOMPARE(f->CSCalendar1->date(), QDate(2027, 3, 5));
    QVERIFY(f->chk_alarm->isChecked() && f->chk_alarm->isEnabled());
    QVERIFY(!f->chk_jyuyo->isChecked());
    QVERIFY(!f->chk_secret->isChecked());
    QVERIFY(f->T_naiyo->text().isEmpty());
    QVERIFY(f->T_memo->toPlainText().isEmpty());
    QVERIFY(f->cmbo_tanto->isEditable());
    QCOMPARE(f->cmbo_tanto->count(), 2);   // the user and the one colleague; no free slots
    QCOMPARE(f->cmbo_tanto->itemText(0), QStringLiteral("山田"));
    QCOMPARE(f->cmbo_tanto->itemText(1), QStringLiteral("鈴木"));
    QCOMPARE(f->cmbo_tanto->findText(kFreeMemberName), -1);
    QCOMPARE(f->cmbo_tanto->currentText(), QStringLiteral("山田"));
    QVERIFY(fx.ui.messages.isEmpty());
}

void TestFKinyu::optionGroupsAreIndependent()
{
    EntryFixture fx;
    const auto f = fx.form(1);
    const QList<QList<QRadioButton*>> groups{
        {f->op_am, f->op_pm, f->op_jikokunasi}, {f->op_kaki, f->op_kyou, f->op_kigennasi}, {f->op_sche, f->op_todo}};
    const auto chosen = [&] {
        QStringList names;
        for (const auto& g : groups) {
            QStringList checked;
            for (QRadioButton* b : g)
                if (b->isChecked())
                    checked << b->objectName();
            names << checked.join('+');
        }
        return names.join(' ');
    };
    QCOMPARE(chosen(), QStringLiteral("op_pm op_kaki op_todo"));
    f->op_kyou->click();
    f->op_kaki->click();
    QCOMPARE(chosen(), QStringLiteral("op_pm op_kaki op_todo"));
    f->op_sche->click();
    f->op_am->click();
    QCOMPARE(chosen(), QStringLiteral("op_am op_kaki op_sche"));
    f->op_jikokunasi->click();
    f->op_kaki->click();   // already chosen: stays so
    QCOMPARE(chosen(), QStringLiteral("op_jikokunasi op_kaki op_sche"));
}

void TestFKinyu::loadForChange_data()
{
    QTest::addColumn<int>("targetKind");
    QTest::addColumn<QString>("date");
    QTest::addColumn<QString>("time");
    QTest::addColumn<bool>("important");
    QTest::addColumn<bool>("secret");
    QTest::addColumn<int>("alarm");
    QTest::addColumn<QString>("option");   // the deadline option selected
    QTest::addColumn<QString>("labels");
    QTest::addColumn<QString>("timeOption");   // selected in frm_ji, "" for none
    QTest::addColumn<bool>("timeEnabled");   // op_am, op_pm and op_jikokunasi
    QTest::addColumn<bool>("alarmEnabled");
    QTest::addColumn<QDate>("calendar");

    const QDate main(2026, 12, 24);
    QTest::newRow("todo 今日中 important") << 11 << "0000/00/00"
                                           << "00:00" << true << false << 0 << "op_kyou"
                                           << "----|--|--|--|--"
                                           << "op_jikokunasi" << false << false << main;
    QTest::newRow("schedule 期限無し secret") << 12 << "9999/99/99"
                                              << "99:99" << false << true << 0 << "op_kigennasi"
                                              << "----|--|--|--|--"
                                              << "op_jikokunasi" << false << false << main;
    QTest::newRow("schedule 09:30 alarm") << 12 << "2027/01/15"
                                          << "09:30" << false << false << 1 << "op_kaki"
                                          << "2027|01|15|09|30"
                                          << "op_am" << true << true << QDate(2027, 1, 15);
    QTest::newRow("todo date without time") << 11 << "2027/02/01"
                                            << "99:99" << true << true << 0 << "op_kaki"
                                            << "2027|02|01|0|0"
                                            << "op_jikokunasi" << true << true << QDate(2027, 2, 1);
}

void TestFKinyu::loadForChange()
{
    QFETCH(int, targetKind);
    QFETCH(QString, date);
    QFETCH(QString, time);
    QFETCH(bool, important);
    QFETCH(bool, secret);
    QFETCH(int, alarm);

    EntryFixture fx;
    // The item to change is the second row; the first is a decoy.
    TodoItem item = todoItem(date.toLatin1().constData(), time.toLatin1().constData(),
                             important ? QStringLiteral("●会議") : QStringLiteral("会議"));
    item.important = important ? Field("JYUYO") : Field();
    item.secret = secret ? Field("SECRET") : Field();
    item.alarm = Field::number(alarm);
    item.person = Field(QStringLiteral("田中"));
    if (targetKind == 11) {
        fx.seed.todos.append(todoItem("2026/01/01", "10:00", "別件"));
        fx.seed.todos.append(item);
    } else {
        fx.seed.schedules.append(scheduleItem("2026/01/01", "10:00", "別件"));
        ScheduleItem s;
        static_cast<OpenItem&>(s) = item;
        fx.seed.schedules.append(s);
    }
    fx.selectedRow = 2;

    const auto f = fx.form(targetKind);
    QCOMPARE(f->op_todo->isChecked(), targetKind == 11);
    QCOMPARE(f->op_sche->isChecked(), targetKind == 12);
    QVERIFY(f->op_todo->isEnabled() && f->op_sche->isEnabled());
    QCOMPARE(f->T_naiyo->text(), QStringLiteral("会議"));
    QCOMPARE(f->cmbo_tanto->currentText(), QStringLiteral("田中"));
    QCOMPARE(f->cmbo_tanto->count(), 2);

    QFETCH(QString, option);
    QVERIFY(f->findChild<QRadioButton*>(option)->isChecked());
    QTEST(labels(*f), "labels");
    QFETCH(QString, timeOption);
    QVERIFY(f->findChild<QRadioButton*>(timeOption)->isChecked());
    QFETCH(bool, timeEnabled);
    for (QRadioButton* b : {f->op_am, f->op_pm, f->op_jikokunasi})
        QCOMPARE(b->isEnabled(), timeEnabled);
    // A morning time shows the morning's hours, its own button pressed.
    if (timeOption == QLatin1String("op_am")) {
        QCOMPARE(hourCaptions(*f), numbers(0, 12));
        QVERIFY(f->ji[9]->isChecked() && f->fun[6]->isChecked());
    }
    // A change says so.
    QVERIFY(f->windowTitle().endsWith(QStringLiteral("項目の変更")));
    QCOMPARE(f->Command25->text(), QStringLiteral("変更"));
    QTEST(f->chk_alarm->isEnabled(), "alarmEnabled");
    QCOMPARE(f->chk_alarm->isChecked(), alarm == 1);
    QCOMPARE(f->chk_jyuyo->isChecked(), important);
    QCOMPARE(f->chk_secret->isChecked(), secret);
    QTEST(f->CSCalendar1->date(), "calendar");
    QVERIFY(f->T_memo->toPlainText().isEmpty());
}

void TestFKinyu::loadsTheMemoOfTheItem()
{
    EntryFixture fx;
    fx.seed.schedules.append(scheduleItem("2027/01/15", "10:00", "会議", 12));
    fx.seed.schedules.append(scheduleItem("2027/01/16", "10:00", "memo gone", 13));
    writeBytes(fx.memo(12), sjis(QStringLiteral("一行目\r\n二行目\r\n")));

    fx.selectedRow = 1;
    QCOMPARE(fx.form(12)->T_memo->toPlainText(), QStringLiteral("一行目\n二行目"));

    // A memo file that is gone shows as an empty memo, without a message.
    fx.selectedRow = 2;
    QVERIFY(fx.form(12)->T_memo->toPlainText().isEmpty());
    QVERIFY(fx.ui.messages.isEmpty());
}

void TestFKinyu::hourAndMinuteButtons_data()
{
    QTest::addColumn<bool>("am");
    QTest::addColumn<int>("hourButton");
    QTest::addColumn<int>("minuteButton");
    QTest::addColumn<QString>("hour");
    QTest::addColumn<QString>("minute");
    QTest::newRow("ji0 AM, fun00") << true << 0 << 0 << "0"
                                   << "0";
    QTest::newRow("ji0 PM, fun05") << false << 0 << 1 << "12"
                                   << "5";
    QTest::newRow("ji2 PM, fun30") << false << 2 << 6 << "14"
                                   << "30";
    QTest::newRow("ji11 AM, fun50") << true << 11 << 10 << "11"
                                    << "50";
    QTest::newRow("ji11 PM, fun55") << false << 11 << 11 << "23"
                                    << "55";
}

void TestFKinyu::hourAndMinuteButtons()
{
    QFETCH(bool, am);
    QFETCH(int, hourButton);
    QFETCH(int, minuteButton);
    EntryFixture fx;
    const auto f = fx.form(1);
    (am ? f->op_am : f->op_pm)->click();
    // The hour comes from the button's place, not from what it reads.
    f->ji[std::size_t(hourButton)]->setText(QStringLiteral("x"));
    f->ji[std::size_t(hourButton)]->click();
    f->fun[std::size_t(minuteButton)]->click();
    QTEST(f->L_ji->text(), "hour");
    QTEST(f->L_fun->text(), "minute");
}

void TestFKinyu::amPmRelabelsButKeepsTheHour()
{
    EntryFixture fx;
    const auto f = fx.form(1);
    f->ji[2]->click();
    QCOMPARE(f->L_ji->text(), QStringLiteral("14"));

    f->op_am->click();
    QCOMPARE(hourCaptions(*f), numbers(0, 12));
    QCOMPARE(f->L_ji->text(), QStringLiteral("14"));
    f->ji[2]->click();
    QCOMPARE(f->L_ji->text(), QStringLiteral("2"));

    // Set from code, as the form itself does: the relabelling runs all the same.
    f->op_pm->setChecked(true);
    QCOMPARE(hourCaptions(*f), numbers(12, 12));
    QCOMPARE(f->L_ji->text(), QStringLiteral("2"));
}

void TestFKinyu::pickersIgnoredWithoutATime_data()
{
    QTest::addColumn<QString>("option");
    QTest::addColumn<QString>("labels");
    QTest::newRow("今日中") << "op_kyou"
                            << "----|--|--|--|--";
    QTest::newRow("期限無し") << "op_kigennasi"
                              << "----|--|--|--|--";
    QTest::newRow("時刻指定無し") << "op_jikokunasi"
                                  << "2026|12|24|0|0";
    QTest::newRow("下記 takes them") << "op_kaki"
                                     << "2026|12|24|15|45";
}

void TestFKinyu::pickersIgnoredWithoutATime()
{
    QFETCH(QString, option);
    EntryFixture fx;
    const auto f = fx.form(1);
    QVERIFY(showActive(*f));
    f->findChild<QRadioButton*>(option)->click();

    // Without a date to go with them the buttons cannot be pressed at all.
    const bool pickable = option == QLatin1String("op_kaki");
    for (QPushButton* b : {f->ji[3], f->fun[9]}) {
        f->T_naiyo->setFocus();
        QVERIFY(f->T_naiyo->hasFocus());
        QCOMPARE(b->isEnabled(), pickable);
        b->click();   // click() itself leaves the focus where it is
        QVERIFY2((pickable ? static_cast<QWidget*>(f->Command25) : f->T_naiyo)->hasFocus(),
                 qPrintable(b->objectName()));
    }
    QTEST(labels(*f), "labels");
}

void TestFKinyu::enterRegistersUnlessConverting()
{
    EntryFixture fx;
    const auto f = fx.form(1);
    QVERIFY(showActive(*f));
    QCOMPARE(QApplication::focusWidget(), f->T_naiyo);   // typing starts in the content box
    QTest::keyClicks(f->T_naiyo, QStringLiteral("abc"));
    // An input method converting: the Enter that confirms the conversion
    // registers nothing.
    QInputMethodEvent composing(QStringLiteral("かいぎ"), {});
    QApplication::sendEvent(f->T_naiyo, &composing);
    QTest::keyClick(f->T_naiyo, Qt::Key_Return);
    QVERIFY(f->isVisible());
    QCOMPARE(fx.store().todoCount(), 0);
    QInputMethodEvent committed;
    committed.setCommitString(QStringLiteral("会議"));
    QApplication::sendEvent(f->T_naiyo, &committed);
    QCOMPARE(f->T_naiyo->text(), QStringLiteral("abc会議"));

    f->fun[1]->click();   // the focus goes to 登録
    QCOMPARE(QApplication::focusWidget(), f->Command25);
    f->T_naiyo->setFocus();
    QTest::keyClick(f->T_naiyo, Qt::Key_Return);   // Enter in the content box registers
    QVERIFY(!f->isVisible());
    QCOMPARE(f->result(), int(QDialog::Accepted));
    QCOMPARE(fx.store().todoCount(), 1);
    QCOMPARE(fx.store().todos[1].content.text(), QStringLiteral("abc会議"));
    QCOMPARE(fx.store().todos[1].time.text(), QStringLiteral("00:05"));
}

// The hour and minute chosen stay pressed; no time reads 時刻なし; without a
// date to go with them the buttons cannot be pressed at all.
void TestFKinyu::showsTheTimeChosen()
{
    EntryFixture fx;
    const auto f = fx.form(1);
    QCOMPARE(f->windowTitle(), kAppTitle);
    QCOMPARE(f->Command25->text(), QStringLiteral("登録"));
    QVERIFY(!f->L_jikokunasi->isHidden());
    QVERIFY(f->L_ji->isHidden() && f->L_fun->isHidden());
    QCOMPARE(f->L_jikokunasi->text(), QStringLiteral("時刻なし"));
    const auto pressed = [&] {
        QStringList names;
        for (const auto* buttons : {&f->ji, &f->fun})
            for (const QPushButton* b : *buttons)
                if (b->isChecked())
                    names << b->objectName();
        return names;
    };
    QVERIFY(pressed().isEmpty());

    f->ji[2]->click();   // PM: 14
    f->fun[3]->click();   // 15
    QCOMPARE(pressed(), (QStringList{"ji2", "fun15"}));
    QVERIFY(f->L_jikokunasi->isHidden() && !f->L_ji->isHidden());
    QCOMPARE(labels(*f).section(QLatin1Char('|'), 3), QStringLiteral("14|15"));
    f->ji[2]->click();   // pressed again: stays the hour chosen
    QCOMPARE(pressed(), (QStringList{"ji2", "fun15"}));
    f->op_am->click();   // the morning's buttons: 14 is not among them
    QCOMPARE(pressed(), QStringList{"fun15"});

    for (QRadioButton* noDate : {f->op_kyou, f->op_kigennasi}) {
        noDate->click();
        for (const auto* buttons : {&f->ji, &f->fun})
            for (const QPushButton* b : *buttons)
                QVERIFY2(!b->isEnabled() && !b->isChecked(), qPrintable(b->objectName()));
    }
    f->op_kaki->click();
    QVERIFY(f->ji[0]->isEnabled() && f->fun[0]->isEnabled());
    QVERIFY(pressed().isEmpty());
    QVERIFY(!f->L_jikokunasi->isHidden());
}

void TestFKinyu::kakiAfterKyouResets_data()
{
    QTest::addColumn<QString>("noDate");
    QTest::newRow("今日中") << "op_kyou";
    QTest::newRow("期限無し") << "op_kigennasi";
}

void TestFKinyu::kakiAfterKyouResets()
{
    QFETCH(QString, noDate);
    EntryFixture fx;
    const auto f = fx.form(1);
    f->ji[5]->click();
    f->fun[3]->click();
    f->findChild<QRadioButton*>(noDate)->click();
    QCOMPARE(labels(*f), QStringLiteral("----|--|--|--|--"));
    QVERIFY(!f->chk_alarm->isChecked() && !f->chk_alarm->isEnabled());
    for (QRadioButton* b : {f->op_am, f->op_pm, f->op_jikokunasi})
        QVERIFY(!b->isEnabled());

    f->op_kaki->click();
    QCOMPARE(labels(*f), QStringLiteral("2026|12|24|0|0"));
    QVERIFY(f->chk_alarm->isChecked() && f->chk_alarm->isEnabled());
    for (QRadioButton* b : {f->op_am, f->op_pm, f->op_jikokunasi})
        QVERIFY(b->isEnabled());
}

void TestFKinyu::jikokunasiZeroesTheTime()
{
    EntryFixture fx;
    const auto f = fx.form(1);
    f->ji[2]->click();
    f->fun[1]->click();
    QCOMPARE(labels(*f), QStringLiteral("2026|12|24|14|5"));
    f->op_jikokunasi->click();
    QCOMPARE(labels(*f), QStringLiteral("2026|12|24|0|0"));
}

void TestFKinyu::calendarChange_data()
{
    QTest::addColumn<QString>("before");
    QTest::addColumn<QString>("labels");
    QTest::addColumn<bool>("alarm");
    // Already 下記: only the date moves; the hour stays and so does the unticked alarm.
    QTest::newRow("下記") << "op_kaki"
                          << "2027|01|09|14|0" << false;
    QTest::newRow("今日中") << "op_kyou"
                            << "2027|01|09|0|0" << true;
    QTest::newRow("期限無し") << "op_kigennasi"
                              << "2027|01|09|0|0" << true;
}

void TestFKinyu::calendarChange()
{
    QFETCH(QString, before);
    EntryFixture fx;
    const auto f = fx.form(1);
    f->ji[2]->click();
    f->chk_alarm->setChecked(false);
    f->findChild<QRadioButton*>(before)->click();

    f->CSCalendar1->setSelectedDate(QDate(2027, 1, 9));   // as the user picks a day
    QVERIFY(f->op_kaki->isChecked());
    QTEST(labels(*f), "labels");
    QTEST(f->chk_alarm->isChecked(), "alarm");
    QVERIFY(f->chk_alarm->isEnabled());
}

void TestFKinyu::cancelChangesNothing()
{
    EntryFixture fx;
    fx.seed.todos.append(todoItem("2027/01/15", "10:00", "会議", 3));
    fx.saveFiles();
    writeBytes(fx.memo(3), sjis(QStringLiteral("メモ\r\n")));
    const QByteArray todoBefore = readBytes(fx.todoPath());
    const QByteArray settingsBefore = readBytes(fx.settingsPath());
    fx.selectedRow = 1;

    const auto f = fx.form(11);
    f->T_naiyo->setText(QStringLiteral("変えた"));
    f->T_memo->clear();
    f->op_sche->click();
    QSignalSpy finished(f.get(), &QDialog::finished);
    f->Command26->click();
    QCOMPARE(finished.count(), 1);
    QCOMPARE(f->result(), int(QDialog::Rejected));

    QCOMPARE(fx.store().todos.count(), 1);
    QCOMPARE(fx.store().todos[1].content.text(), QStringLiteral("会議"));
    QCOMPARE(fx.store().schedules.count(), 0);
    QCOMPARE(readBytes(fx.todoPath()), todoBefore);
    QCOMPARE(readBytes(fx.settingsPath()), settingsBefore);
    QVERIFY(QFileInfo::exists(fx.memo(3)));
    QVERIFY(!f->changes().armAlarm);
}

PORUKA_TEST_MAIN(TestFKinyu)
#include "test_f_kinyu.moc"
