// The presenter without a window or a widget: start-up, a colleague's lists,
// the archives, the commands with their checks and messages, the alarm and
// shutdown, with scripted dialogs (FakeForms) and messages (FakeUi), each as
// the main window would ask for it.
#include "common/test_main.h"
#include "copy_commands.h"
#include "presenter_fixture.h"

#include "ui/clock.h"

#include <QApplication>
#include <QSignalSpy>

namespace {

EntryState newSchedule(const QString& content, const QString& memo)
{
    EntryState s = copy_commands::stateFor(ListChoice::Schedule, content, memo);
    s.hour = QStringLiteral("15");
    s.alarm = true;
    return s;
}

}   // namespace

class TestPresenter : public QObject {
    Q_OBJECT
private slots:
    void wholeDayWithoutAWindow()
    {
        PresenterFixture f;
        f.writeSettingsFile(41);
        f.writeList(f.todoPath(), QList<TodoItem>{todo("2026/12/11", "10:00", QStringLiteral("電話"))});
        f.writeList(f.schedulePath(), QList<ScheduleItem>{});
        f.writeList(f.colleagueDir + "TODO.DAT",
                    QList<TodoItem>{todo("2026/12/12", "09:00", QStringLiteral("人事"), 7, 0, true),
                                    todo("2026/12/13", "09:00", QStringLiteral("見積"), 8)});
        f.writeList(f.colleagueDir + "SCHE.DAT", QList<ScheduleItem>{});
        const QByteArray colleagueTodo = readBytes(f.colleagueDir + "TODO.DAT");

        QVERIFY(f.start());
        QCOMPARE(f.presenter->view(), View::Own);
        QCOMPARE(contents(f.store().todos), QStringList{"電話"});
        QCOMPARE(f.presenter->shownTodoCount(), 1);

        // A colleague: read-only, secrets masked; the lists shown anew.
        Redisplay d = f.presenter->showMember(1);
        QCOMPARE(d.rows, Redisplay::Rows::Refill);
        QVERIFY(d.view);
        QCOMPARE(f.presenter->view(), View::Member);
        QCOMPARE(f.presenter->shownMember(), 1);
        QCOMPARE(contents(f.store().memberTodos), (QStringList{"★★　ヒ・ミ・ツ　★★", "見積"}));
        QCOMPARE(memoNumber(f.store().memberTodos[1].memoNo), 0);
        QCOMPARE(f.presenter->shownTodoCount(), 2);

        // Back to the own lists (once: shown already, nothing to show again),
        // and a new appointment with a memo from the calendar.
        QVERIFY(f.presenter->showMember(0).view);
        QVERIFY(!f.presenter->showMember(0).view);
        f.forms.registers(newSchedule(QStringLiteral("忘年会"), QStringLiteral("会費\n5000円")));
        d = f.presenter->newItem(QDate(2026, 12, 24), {});
        QCOMPARE(f.forms.asked, QStringList{"F_kinyu"});
        QVERIFY(d.alarm && d.calendarToday);
        QCOMPARE(d.rows, Redisplay::Rows::KeepPlaces);
        QCOMPARE(contents(f.store().schedules), QStringList{"忘年会"});
        QCOMPARE(readBytes(memoPath(f.dataDir, 42)), sjis(QStringLiteral("会費\r\n5000円\r\n")));
        QVERIFY(readBytes(f.schedulePath()).contains(sjis(QStringLiteral("忘年会"))));
        // Five minutes before; the day decides only when the alarm goes off.
        QCOMPARE(f.presenter->armAlarm(true), QStringLiteral("14:55"));

        // Shutdown: the settings and both lists.
        QFile::remove(f.todoPath());
        QVERIFY(f.presenter->quit());
        QVERIFY(readBytes(f.todoPath()).contains(sjis(QStringLiteral("電話"))));
        QVERIFY(readBytes(f.schedulePath()).contains(sjis(QStringLiteral("忘年会"))));
        QCOMPARE(readSettings(f.settingsPath()).settings.memoCounterValue(), 42);
        QCOMPARE(readBytes(f.colleagueDir + "TODO.DAT"), colleagueTodo);
        QVERIFY(f.ui.messages.isEmpty());
        // Nothing of it needed a widget.
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
        QVERIFY(QApplication::allWidgets().isEmpty());
    }

    // A cancelled entry form changes nothing and sorts nothing.
    void newItemCancelledSortsNothing()
    {
        PresenterFixture f;
        f.writeSettingsFile();
        f.writeList(f.todoPath(),
                    QList<TodoItem>{todo("2026/12/24", "10:00", QStringLiteral("後")),
                                    todo("2026/12/11", "10:00", QStringLiteral("先"))});
        QVERIFY(f.start());
        const Redisplay d = f.presenter->newItem(QDate(2026, 12, 24), {});
        QCOMPARE(d.rows, Redisplay::Rows::Same);
        QCOMPARE(contents(f.store().todos), (QStringList{"後", "先"}));
        QVERIFY(d.calendarToday);
        QCOMPARE(d.headings, Redisplay::Headings::Counts);
    }

    // The first start asks for the own name and folder; cancelling it ends the
    // program with nothing written.
    void firstStart_data()
    {
        QTest::addColumn<bool>("accept");
        QTest::newRow("決定") << true;
        QTest::newRow("中止") << false;
    }
    void firstStart()
    {
        QFETCH(bool, accept);
        PresenterFixture f;
        if (accept)
            f.forms.ownEntries.enqueue(OwnEntry{QStringLiteral("佐藤"), f.dataDir});
        QCOMPARE(f.start(), accept);
        QCOMPARE(f.forms.asked, QStringList{"F_mydata"});
        QCOMPARE(QFileInfo::exists(f.settingsPath()), accept);
        QCOMPARE(QFileInfo::exists(f.todoPath()), accept);
        QCOMPARE(QFileInfo::exists(f.schedulePath()), accept);
        if (accept)
            QCOMPARE(f.presenter->settings().ownName(), QStringLiteral("佐藤"));
    }

    // The archives replace the open lists on display and back; a missing
    // archive is created empty on the way.
    void completedViewAndBack()
    {
        PresenterFixture f;
        f.writeSettingsFile();
        DoneTodoItem done;
        done.doneDate = Field("2026/12/01");
        done.content = Field(QStringLiteral("済んだ件"));
        f.writeArchive(ListKind::Todo, QList<DoneTodoItem>{done});
        f.writeList(f.colleagueDir + "TODO.DAT", QList<TodoItem>{});
        f.writeList(f.colleagueDir + "SCHE.DAT", QList<ScheduleItem>{});
        QVERIFY(f.start());
        QVERIFY(f.presenter->showMember(1).view);
        QVERIFY(f.presenter->toggleCompleted().view);
        QCOMPARE(f.presenter->view(), View::Completed);
        QCOMPARE(contents(f.store().doneTodos), QStringList{"済んだ件"});
        QCOMPARE(f.presenter->shownTodoCount(), 1);
        QCOMPARE(f.presenter->shownScheduleCount(), 0);
        QVERIFY(QFileInfo::exists(f.archivePath(ListKind::Schedule)));
        QCOMPARE(QFileInfo(f.archivePath(ListKind::Schedule)).size(), 0);
        QVERIFY(f.presenter->toggleCompleted().view);
        QCOMPARE(f.presenter->view(), View::Own);
        QCOMPARE(f.presenter->shownMember(), 0);
    }

    // Each command first checks that an item is chosen: nothing clicked yet,
    // the heading row, a row without an item. Told, nothing opened or changed;
    // 削除, 転記 and 完了 leave no row chosen.
    void choiceChecks_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("list");   // clicked before: -1 none
        QTest::addColumn<int>("row");
        QTest::addColumn<QString>("message");
        QTest::addColumn<bool>("deselect");
        const int todo = int(ListChoice::Todo);
        QTest::newRow("変更, nothing clicked") << "change" << -1 << 1 << "訂正したい項目を選択して下さい。" << false;
        QTest::newRow("変更, heading") << "change" << todo << 0 << "訂正したい項目を選択して下さい。" << false;
        QTest::newRow("変更, empty row") << "change" << todo << 2 << "訂正すべきデータがありません。" << false;
        QTest::newRow("double click, heading")
            << "double" << todo << 0 << "訂正したい項目をダブルクリックして下さい。" << false;
        QTest::newRow("double click, empty row") << "double" << todo << 2 << "訂正すべきデータがありません。" << false;
        QTest::newRow("削除, nothing clicked") << "delete" << -1 << 1 << "削除したい項目を選択して下さい。" << true;
        QTest::newRow("削除, empty row") << "delete" << todo << 2 << "削除すべきデータがありません。" << true;
        QTest::newRow("完了, nothing clicked") << "complete" << -1 << 1 << "完了した項目を選択して下さい。" << true;
        QTest::newRow("完了, heading") << "complete" << todo << 0 << "完了した項目を選択して下さい。" << true;
        QTest::newRow("完了, empty row") << "complete" << todo << 2 << "完了にするデータがありません。" << true;
        QTest::newRow("転記, nothing clicked") << "transcribe" << -1 << 1 << "転記したい項目を選択して下さい。" << true;
        QTest::newRow("転記, empty row") << "transcribe" << todo << 2 << "転記すべきデータがありません。" << true;
    }
    void choiceChecks()
    {
        QFETCH(QString, command);
        QFETCH(int, list);
        QFETCH(int, row);
        QFETCH(bool, deselect);
        PresenterFixture f;
        f.writeSettingsFile();
        f.writeList(f.todoPath(), QList<TodoItem>{todo("2026/12/24", "15:00", QStringLiteral("残る"))});
        f.writeList(f.colleagueDir + "TODO.DAT", QList<TodoItem>{todo("2026/12/24", "15:00", QStringLiteral("同僚"))});
        f.writeList(f.colleagueDir + "SCHE.DAT", QList<ScheduleItem>{});
        const QByteArray before = readBytes(f.todoPath());
        QVERIFY(f.start());
        if (command == "transcribe")
            (void)f.presenter->showMember(1);
        if (list >= 0)
            (void)f.presenter->select(ListChoice(list), row);
        Redisplay d;
        if (command == "change")
            d = f.presenter->change(row);
        else if (command == "double")
            d = f.presenter->changeByDoubleClick(ListChoice::Todo, row);
        else if (command == "delete")
            d = f.presenter->deleteItem(row);
        else if (command == "complete")
            d = f.presenter->complete(row);
        else
            d = f.presenter->transcribe(row);
        QFETCH(QString, message);
        QCOMPARE(f.ui.messageTexts(), QStringList{message});
        QCOMPARE(f.ui.messages[0].icon, MsgIcon::Exclamation);
        QVERIFY(f.forms.asked.isEmpty());
        QCOMPARE(readBytes(f.todoPath()), before);
        QCOMPARE(d.headings == Redisplay::Headings::Deselect, deselect);
        QCOMPARE(d.rows, Redisplay::Rows::Same);
    }

    // 設定 → 自分 to another folder: the memos of the own items go along, one
    // that cannot be copied is named; the settings carry the choice, and the
    // member combo is to be refilled.
    void ownSettingsToAnotherFolder()
    {
        PresenterFixture f;
        f.writeSettingsFile();
        f.writeList(f.todoPath(),
                    QList<TodoItem>{todo("2026/12/24", "10:00", QStringLiteral("有"), 5),
                                    todo("2026/12/24", "10:00", QStringLiteral("無"), 6)});
        writeBytes(memoPath(f.dataDir, 5), "five\r\n");
        QVERIFY(f.start());
        const QString moved = f.root.filePath(QStringLiteral("moved")) + '/';
        QVERIFY(QDir().mkpath(moved));
        QSignalSpy refill(f.presenter.get(), &Presenter::membersChanged);
        f.forms.ownEntries.enqueue(OwnEntry{QStringLiteral("山田花子"), moved});
        (void)f.presenter->editOwnSettings();
        QCOMPARE(refill.count(), 1);
        QCOMPARE(f.presenter->settings().ownName(), QStringLiteral("山田花子"));
        QCOMPARE(f.presenter->settings().ownDirectory(), moved);
        QCOMPARE(readBytes(memoPath(moved, 5)), QByteArray("five\r\n"));
        QCOMPARE(f.ui.messageTexts(), QStringList{"次のメモファイルをコピーできませんでした。\n" + memoFileName(6)});

        // Cancelled: nothing changes.
        (void)f.presenter->editOwnSettings();
        QCOMPARE(f.presenter->settings().ownDirectory(), moved);
    }

    // 設定 → 他ﾒﾝﾊﾞｰ: the slot chosen gets the name and folder; no other changes.
    void memberChanged()
    {
        PresenterFixture f;
        f.writeSettingsFile();
        QVERIFY(f.start());
        AppSettings expected = f.presenter->settings();
        expected.members[7] = {Field(QStringLiteral("佐藤")), Field(QStringLiteral("/share/sato/"))};
        f.forms.memberEntries.enqueue(MemberEntry{7, QStringLiteral("佐藤"), QStringLiteral("/share/sato/")});
        (void)f.presenter->editMembers();
        QCOMPARE(serializeSettings(f.presenter->settings()), serializeSettings(expected));
    }

    // An alarm that came due while the notice of another was open rings right
    // after it; then the clock is armed with the next one ahead.
    void alarmsChained()
    {
        PresenterFixture f;
        f.writeSettingsFile();
        f.writeList(f.schedulePath(),
                    QList<ScheduleItem>{schedule("2026/12/10", "15:00", QStringLiteral("一つ目"), 0, 1),
                                        schedule("2026/12/10", "15:02", QStringLiteral("二つ目"), 0, 1),
                                        schedule("2026/12/10", "16:00", QStringLiteral("三つ目"), 0, 1)});
        QVERIFY(f.start());
        QCOMPARE(f.presenter->armAlarm(true), QStringLiteral("14:55"));
        f.time.set(QDateTime(QDate(2026, 12, 10), QTime(14, 55)));
        // The user reads the first notice for three minutes.
        f.forms.onAlarm = [&](const AlarmNotice&) { f.time.advanceSecs(180); };
        QCOMPARE(f.presenter->alarmRang(QStringLiteral("14:55"), false), QStringLiteral("15:55"));
        QCOMPARE(f.forms.alarms.size(), 2);
        QCOMPARE(f.forms.alarms[0].content, QStringLiteral("一つ目"));
        QCOMPARE(f.forms.alarms[1].content, QStringLiteral("二つ目"));
        QVERIFY(f.ui.notices.isEmpty());
    }
    // Minutes that pass unseen (the computer asleep, the clock put forward):
    // the clock still goes off once on waking; a notice missed by little is
    // shown marked late, one missed by more than an hour is listed, not rung.
    void missedAlarmAfterAJump_data()
    {
        QTest::addColumn<QTime>("wake");
        QTest::addColumn<bool>("rung");
        QTest::newRow("20 minutes past") << QTime(10, 20) << true;
        QTest::newRow("three hours past") << QTime(13, 0) << false;
    }
    void missedAlarmAfterAJump()
    {
        QFETCH(QTime, wake);
        QFETCH(bool, rung);
        PresenterFixture f;
        f.time.set(QDateTime(QDate(2026, 12, 10), QTime(9, 50)));
        f.writeSettingsFile();
        f.writeList(f.schedulePath(),
                    QList<ScheduleItem>{schedule("2026/12/10", "10:00", QStringLiteral("打ち合わせ"), 0, 1)});
        QVERIFY(f.start());
        Clock clock(f.time);
        clock.setAlarmTime(f.presenter->armAlarm(true));
        QCOMPARE(clock.alarmTime(), QStringLiteral("09:55"));
        QSignalSpy wentOff(&clock, &Clock::Alarm);

        f.time.set(QDateTime(QDate(2026, 12, 10), wake));
        clock.tick();
        QCOMPARE(wentOff.size(), 1);
        clock.setAlarmTime(f.presenter->alarmRang(clock.alarmTime(), false));
        if (rung) {
            QCOMPARE(f.forms.alarms.size(), 1);
            QVERIFY(f.forms.alarms[0].late);
            QVERIFY(f.ui.messages.isEmpty());
        } else {
            QVERIFY(f.forms.alarms.isEmpty());
            QCOMPARE(f.ui.messages.size(), 1);
            QVERIFY(f.ui.messages[0].text.contains(QStringLiteral("2026/12/10 10:00　打ち合わせ")));
        }
        QCOMPARE(clock.alarmTime(), kNoAlarm);
        clock.tick();
        QCOMPARE(wentOff.size(), 1);
    }

    // The memo panel shows the memo file as it is: an editor saving it shows
    // at the next look at the files.
    void memoPanelFollowsItsFile()
    {
        PresenterFixture f;
        f.writeSettingsFile(20);
        f.writeList(f.todoPath(), QList<TodoItem>{todo("2026/12/11", "10:00", QStringLiteral("電話"), 11)});
        writeBytes(memoPath(f.dataDir, 11), sjis(QStringLiteral("古いメモ\r\n")));
        QVERIFY(f.start());
        QCOMPARE(f.presenter->select(ListChoice::Todo, 1).memo, QStringLiteral("古いメモ"));
        QVERIFY(!f.presenter->followFiles().memo);
        writeBytes(memoPath(f.dataDir, 11), sjis(QStringLiteral("書き直したメモ\r\n")));
        QCOMPARE(f.presenter->followFiles().memo, QStringLiteral("書き直したメモ"));
        QVERIFY(!f.presenter->followFiles().memo);
    }
};

PORUKA_TEST_MAIN(TestPresenter)
#include "test_presenter.moc"
