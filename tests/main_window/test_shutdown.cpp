#include "common/held_lock.h"
#include "common/test_main.h"
#include "main_form_fixture.h"

class TestShutdown : public QObject {
    Q_OBJECT
private slots:
    // A colleague viewing the own list holds it for reading: the write waits for
    // the user's OK and then goes through.
    void ownListInUseIsRetried()
    {
        MainFormFixture f;
        f.writeSettingsFile();
        // Written by hand with bare LF line ends: the program's save writes CR LF.
        const QByteArray lf = crlfLines({sjis(QStringLiteral("@ぽるか")), "2026/12/01", "2026/12/11", "10:00", "a",
                                         sjis(QStringLiteral("山田")), " 0 ", " 9999 ", " 0 ", "", "", ""})
                                  .replace("\r\n", "\n");
        writeBytes(f.dataDir + "todo.dat", lf);
        QVERIFY(f.start());
        HeldLock lock(f.dataDir + "todo.dat", QStringLiteral("ofd-read"));
        QVERIFY(lock.isHeld());
        f.ui.onMessage = [&](const RecordedMessage&) { lock.release(); };
        QVERIFY(f.form->cmd_syuryo_Click());
        QCOMPARE(f.ui.messageTexts(),
                 QStringList{QStringLiteral("ただいま別のユーザがファイルを使用中です。\nもう一度実行して下さい。")});
        QCOMPARE(readBytes(f.dataDir + "todo.dat"), QByteArray(lf).replace("\n", "\r\n"));
    }

    // A colleague's program holds the list for good: the user stops waiting,
    // and the window stays open with everything still in memory.
    void givingUpWaitingKeepsTheWindowOpen()
    {
        MainFormFixture f;
        f.writeSettingsFile();
        f.writeList<TodoItem>(QStringLiteral("todo.dat"),
                              {todo("2026/12/11", "10:00", QStringLiteral("a"), QStringLiteral("山田"))});
        QVERIFY(f.start());
        f.form->show();
        const QByteArray before = readBytes(f.dataDir + "todo.dat");
        HeldLock lock(f.dataDir + "todo.dat", QStringLiteral("ofd-write"));
        QVERIFY(lock.isHeld());
        f.ui.answer(MsgAnswer::Cancel);
        QVERIFY(!f.form->cmd_syuryo_Click());
        QCOMPARE(f.ui.messages[0].text,
                 QStringLiteral("ただいま別のユーザがファイルを使用中です。\nもう一度実行して下さい。"));
        QVERIFY(f.ui.messages.last().text.startsWith(QStringLiteral("保存できなかったデータがあります。")));
        QVERIFY(f.form->isVisible());
        QVERIFY(lock.release());
        QCOMPARE(readBytes(f.dataDir + "todo.dat"), before);
        // Once the other program lets go, quitting saves as usual.
        QVERIFY(f.form->cmd_syuryo_Click());
    }

    // The own data folder vanished: the user may give up, and then the window
    // stays open with everything still in memory.
    void givingUpKeepsTheWindowOpen()
    {
        MainFormFixture f;
        f.writeSettingsFile();
        QVERIFY(f.start());
        QVERIFY(QDir(f.dataDir).removeRecursively());
        f.ui.answer(MsgAnswer::Cancel);
        QVERIFY(!f.form->cmd_syuryo_Click());
        QCOMPARE(f.ui.messages[0].text, QStringLiteral("指定されたパスが不正です。"));
        QCOMPARE(f.ui.messages[0].buttons, MsgButtons::OkCancel);
        QVERIFY(f.ui.messages.last().text.startsWith(QStringLiteral("保存できなかったデータがあります。")));
        QVERIFY(!QFileInfo::exists(f.dataDir));
    }

    // ...or choose another folder in the own-settings dialog and save there.
    void missingOwnFolderCanBeChosenAgain()
    {
        MainFormFixture f;
        f.writeSettingsFile();
        f.writeList<TodoItem>(QStringLiteral("todo.dat"),
                              {todo("2026/12/11", "10:00", QStringLiteral("残す"), QStringLiteral("山田"))});
        QVERIFY(f.start());
        QVERIFY(QDir(f.dataDir).removeRecursively());
        const QString newDir = f.root.filePath(QStringLiteral("moved"));
        QVERIFY(QDir().mkpath(newDir));
        f.acceptOwnSettings(QStringLiteral("山田"), newDir);
        QVERIFY(f.form->cmd_syuryo_Click());
        QCOMPARE(f.ui.dialogsShown.value(0), QStringLiteral("F_mydata"));
        QVERIFY(
            readBytes(resolvePath(newDir + "/", QStringLiteral("todo.dat"))).contains(sjis(QStringLiteral("残す"))));
        QCOMPARE(readSettings(f.settingsPath()).settings.ownDirectory(), newDir + "/");
    }

    void closingTheWindowSavesLikeTheQuitButton()
    {
        MainFormFixture f;
        f.writeSettingsFile();
        f.writeList<TodoItem>(QStringLiteral("todo.dat"),
                              {todo("2026/12/11", "10:00", QStringLiteral("後"), QStringLiteral("山田")),
                               todo("2026/12/01", "10:00", QStringLiteral("先"), QStringLiteral("山田"))});
        QVERIFY(f.start());
        f.form->show();
        f.form->Command6_Click();   // sorted in memory only, until the close saves it
        QVERIFY(readBytes(f.dataDir + "todo.dat").indexOf(sjis(QStringLiteral("後"))) <
                readBytes(f.dataDir + "todo.dat").indexOf(sjis(QStringLiteral("先"))));
        QVERIFY(f.form->close());
        QVERIFY(readBytes(f.dataDir + "todo.dat").indexOf(sjis(QStringLiteral("先"))) <
                readBytes(f.dataDir + "todo.dat").indexOf(sjis(QStringLiteral("後"))));
    }
};

PORUKA_TEST_MAIN(TestShutdown)
#include "test_shutdown.moc"
