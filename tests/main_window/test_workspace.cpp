// The workspace without a window: start-up, a colleague's lists, a
// registration, saving and shutdown, each as the main window would ask for it.
#include "common/test_main.h"
#include "workspace_fixture.h"

#include "entry/registration.h"

#include <QApplication>
#include <QLineEdit>
#include <QPushButton>

class TestWorkspace : public QObject {
    Q_OBJECT
private slots:
    void wholeDayWithoutAWindow()
    {
        WorkspaceFixture f;
        f.writeSettingsFile(41);
        f.writeList(f.todoPath(), QList<TodoItem>{todo("2026/12/11", "10:00", QStringLiteral("電話"))});
        f.writeList(f.schedulePath(), QList<ScheduleItem>{});
        f.writeList(f.colleagueDir + "TODO.DAT",
                    QList<TodoItem>{todo("2026/12/12", "09:00", QStringLiteral("人事"), 7, 0, true),
                                    todo("2026/12/13", "09:00", QStringLiteral("見積"), 8)});
        f.writeList(f.colleagueDir + "SCHE.DAT", QList<ScheduleItem>{});
        const QByteArray colleagueTodo = readBytes(f.colleagueDir + "TODO.DAT");

        QVERIFY(f.start());
        QCOMPARE(f.ws->view(), View::Own);
        QCOMPARE(contents(f.store().todos), QStringList{"電話"});
        QCOMPARE(f.ws->shownTodoCount(), 1);

        // A colleague: read-only, secrets masked.
        QVERIFY(f.ws->showMember(1));
        QCOMPARE(f.ws->view(), View::Member);
        QCOMPARE(f.ws->shownMember(), 1);
        QCOMPARE(contents(f.store().memberTodos), (QStringList{"★★　ヒ・ミ・ツ　★★", "見積"}));
        QCOMPARE(memoNumber(f.store().memberTodos[1].memoNo), 0);
        QCOMPARE(f.ws->shownTodoCount(), 2);

        // Back to the own lists, and a new appointment with a memo.
        QVERIFY(f.ws->showMember(0));
        QVERIFY(!f.ws->showMember(0));   // already shown
        EntryContext context = f.ws->entryContext(TargetKind::New, 0, QDate(2026, 12, 24));
        EntryState state;
        state.kind = EntryKind::Schedule;
        state.year = QStringLiteral("2026");
        state.month = QStringLiteral("12");
        state.day = QStringLiteral("24");
        state.hour = QStringLiteral("15");
        state.minute = QStringLiteral("0");
        state.content = QStringLiteral("忘年会");
        state.person = QStringLiteral("山田");
        state.memo = QStringLiteral("会費\n5000円");
        state.alarm = true;
        const RegistrationOutcome outcome = registerEntry(context, state, nullptr);
        QCOMPARE(outcome.result, RegistrationResult::Done);
        QVERIFY(outcome.changes.schedules && outcome.changes.armAlarm);
        QCOMPARE(contents(f.store().schedules), QStringList{"忘年会"});
        QCOMPARE(readBytes(memoPath(f.dataDir, 42)), sjis(QStringLiteral("会費\r\n5000円\r\n")));
        QVERIFY(readBytes(f.schedulePath()).contains(sjis(QStringLiteral("忘年会"))));
        // Five minutes before; the day decides only when the alarm goes off.
        QCOMPARE(f.ws->armAlarm(true), QStringLiteral("14:55"));

        // Shutdown: the settings and both lists.
        QFile::remove(f.todoPath());
        QVERIFY(f.ws->saveAll());
        QVERIFY(readBytes(f.todoPath()).contains(sjis(QStringLiteral("電話"))));
        QVERIFY(readBytes(f.schedulePath()).contains(sjis(QStringLiteral("忘年会"))));
        QCOMPARE(readSettings(f.settingsPath()).settings.memoCounterValue(), 42);
        QCOMPARE(readBytes(f.colleagueDir + "TODO.DAT"), colleagueTodo);
        QVERIFY(f.ui.messages.isEmpty());
        QVERIFY(f.ui.dialogsShown.isEmpty());
        // Nothing of it needed a window.
        QVERIFY(QApplication::topLevelWidgets().isEmpty());
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
        WorkspaceFixture f;
        if (accept)
            f.ui.onDialog(QStringLiteral("F_mydata"), [&](QDialog& d) {
                d.findChild<QLineEdit*>(QStringLiteral("Text1"))->setText(QStringLiteral("佐藤"));
                d.findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(f.dataDir);
                d.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
                return d.result();
            });
        QCOMPARE(f.start(), accept);
        QCOMPARE(f.ui.dialogsShown, QStringList{"F_mydata"});
        QCOMPARE(QFileInfo::exists(f.settingsPath()), accept);
        QCOMPARE(QFileInfo::exists(f.todoPath()), accept);
        QCOMPARE(QFileInfo::exists(f.schedulePath()), accept);
        if (accept)
            QCOMPARE(f.ws->settings().ownName(), QStringLiteral("佐藤"));
    }

    // The archives replace the open lists on display and back; a missing
    // archive is created empty on the way.
    void completedViewAndBack()
    {
        WorkspaceFixture f;
        f.writeSettingsFile();
        DoneTodoItem done;
        done.doneDate = Field("2026/12/01");
        done.content = Field(QStringLiteral("済んだ件"));
        f.writeArchive(ListKind::Todo, QList<DoneTodoItem>{done});
        f.writeList(f.colleagueDir + "TODO.DAT", QList<TodoItem>{});
        f.writeList(f.colleagueDir + "SCHE.DAT", QList<ScheduleItem>{});
        QVERIFY(f.start());
        QVERIFY(f.ws->showMember(1));
        QVERIFY(f.ws->showCompleted());
        QCOMPARE(f.ws->view(), View::Completed);
        QCOMPARE(contents(f.store().doneTodos), QStringList{"済んだ件"});
        QCOMPARE(f.ws->shownTodoCount(), 1);
        QCOMPARE(f.ws->shownScheduleCount(), 0);
        QVERIFY(QFileInfo::exists(f.archivePath(ListKind::Schedule)));
        QCOMPARE(QFileInfo(f.archivePath(ListKind::Schedule)).size(), 0);
        f.ws->showOpen();
        QCOMPARE(f.ws->view(), View::Own);
        QCOMPARE(f.ws->shownMember(), 0);
    }
};

PORUKA_TEST_MAIN(TestWorkspace)
#include "test_workspace.moc"
