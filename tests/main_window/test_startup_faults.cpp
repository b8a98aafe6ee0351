// Start-up and quit on files an unlucky or malicious user may have left: list
// files that are links or no files at all, a damaged settings file, a window
// size no screen can show, what a killed save left behind, a list without line
// ends. Each is met the way a user would: start, quit, compare the bytes.
#include "common/test_main.h"
#include "main_form_fixture.h"

#include "ui/grid.h"
#include "ui/twips.h"

#include <QDateTime>
#include <QGuiApplication>
#include <QProcess>
#include <QScopeGuard>
#include <QScreen>

#include <sys/stat.h>

namespace {

const QByteArray kForeign = "somebody else's file\n";

QStringList entriesOf(const QString& dir)
{
    QStringList l = QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::System | QDir::NoDotAndDotDot);
    l.sort();
    return l;
}

}   // namespace

class TestStartupFaults : public QObject {
    Q_OBJECT
private slots:
    // todo.dat is a link. One that stays in the data folder is followed both
    // ways; one that leads out of it, or to no regular file, is refused with
    // the file named, the user gives up, and nothing is written anywhere.
    void listFileThatIsALink_data()
    {
        QTest::addColumn<QString>("setup");
        QTest::addColumn<bool>("starts");
        QTest::newRow("chain of two links in the folder") << "chain" << true;
        QTest::newRow("link to a file of another folder") << "out" << false;
        QTest::newRow("link to a FIFO") << "fifo" << false;
        QTest::newRow("link to a device") << "device" << false;
    }
    void listFileThatIsALink()
    {
        QFETCH(QString, setup);
        QFETCH(bool, starts);
        MainFormFixture f;
        f.writeSettingsFile();
        f.writeList(QStringLiteral("real.dat"),
                    QList<TodoItem>{todo("2026/12/11", "10:00", QStringLiteral("本物"), QStringLiteral("山田"))});
        const QString foreign = f.root.filePath(QStringLiteral("foreign.txt"));
        writeBytes(foreign, kForeign);
        const QString list = f.dataDir + "todo.dat";
        if (setup == "chain") {
            QVERIFY(QFile::link("l2", list));
            QVERIFY(QFile::link("real.dat", f.dataDir + "l2"));
        } else if (setup == "out") {
            QVERIFY(QFile::link(foreign, list));
        } else if (setup == "fifo") {
            QVERIFY(::mkfifo(QFile::encodeName(f.dataDir + "pipe").constData(), 0600) == 0);
            QVERIFY(QFile::link("pipe", list));
        } else {
            QVERIFY(QFile::link("/dev/null", list));
        }
        const QByteArray real = readBytes(f.dataDir + "real.dat");
        f.ui.answer(MsgAnswer::Cancel);

        QCOMPARE(f.start(), starts);
        if (starts) {
            QCOMPARE(f.form->Grid1->cellText(1, 2), QStringLiteral("本物"));
            QVERIFY(f.form->cmd_syuryo_Click());
            QCOMPARE(readBytes(f.dataDir + "real.dat"), real);
            QVERIFY(QFileInfo(list).isSymLink() && QFileInfo(f.dataDir + "l2").isSymLink());
        } else {
            QCOMPARE(f.ui.messages.size(), 1);
            QVERIFY(f.ui.messages[0].text.contains(QDir::toNativeSeparators(list)));
            QCOMPARE(f.ui.messages[0].buttons, MsgButtons::RetryCancel);
            QVERIFY(QFileInfo(list).isSymLink());
        }
        QCOMPARE(readBytes(foreign), kForeign);
        if (setup == "fifo") {
            struct stat st { };
            QVERIFY(::stat(QFile::encodeName(f.dataDir + "pipe").constData(), &st) == 0 && S_ISFIFO(st.st_mode));
        }
    }

    // An empty, cut or garbled settings file: told, the own settings dialog
    // shows what could be read, and after 決定 the lists are found in the folder
    // chosen. The damaged file is kept; nothing lands in the working folder.
    void damagedSettingsAskAgain_data()
    {
        QTest::addColumn<QByteArray>("settings");
        QTest::addColumn<QString>("nameShown");
        QTest::newRow("empty") << QByteArray() << "自分";
        QTest::newRow("10 lines") << QByteArray() << "自分";
        QTest::newRow("garbage") << QByteArray("\x89PNG\r\n\x1a\n\0\0\0garbage", 19) << "自分";
        QTest::newRow("cut after the own entry") << QByteArray("cut") << "山田";
    }
    void damagedSettingsAskAgain()
    {
        QFETCH(QByteArray, settings);
        QFETCH(QString, nameShown);
        MainFormFixture f;
        const QByteArray whole =
            serializeSettings(newSettings(QStringLiteral("山田"), f.dataDir, {0, 1500, 1500, 6975, 9450}));
        const QByteArrayList lines = fileLines(whole);
        if (QByteArray(QTest::currentDataTag()) == "10 lines")
            settings = crlfLines(lines.mid(0, 10));
        else if (settings == "cut")
            settings = crlfLines(lines.mid(0, 200));
        writeBytes(f.settingsPath(), settings);
        f.writeList(kTodoFileName,
                    QList<TodoItem>{todo("2026/12/11", "10:00", QStringLiteral("残っている"), QStringLiteral("山田"))});
        QTemporaryDir cwd;
        const QString before = QDir::currentPath();
        QDir::setCurrent(cwd.path());
        const auto back = qScopeGuard([&] { QDir::setCurrent(before); });

        QString shownName, shownDir;
        f.ui.onDialog(QStringLiteral("F_mydata"), [&](QDialog& d) {
            shownName = d.findChild<QLineEdit*>(QStringLiteral("Text1"))->text();
            shownDir = d.findChild<QLineEdit*>(QStringLiteral("Text2"))->text();
            d.findChild<QLineEdit*>(QStringLiteral("Text2"))->setText(f.dataDir);
            d.findChild<QPushButton*>(QStringLiteral("Command1"))->click();
            return d.result();
        });
        QVERIFY(f.start());
        QCOMPARE(f.ui.messages.size(), 1);
        QVERIFY(f.ui.messages[0].text.startsWith(QStringLiteral("設定ファイル")));
        QCOMPARE(f.ui.dialogsShown, QStringList{"F_mydata"});
        QCOMPARE(shownName, nameShown);
        if (nameShown == "山田")
            QCOMPARE(shownDir, f.dataDir);
        QCOMPARE(f.form->Grid1->cellText(1, 2), QStringLiteral("残っている"));
        QVERIFY(f.form->cmd_syuryo_Click());

        QVERIFY(entriesOf(cwd.path()).isEmpty());
        const QStringList backups = QDir(f.programDir).entryList({"poruka.ini.damaged-*"}, QDir::Files);
        QCOMPARE(backups.size(), 1);
        QCOMPARE(readBytes(f.programDir + "/" + backups[0]), settings);
        const AppSettings now = readSettings(f.settingsPath()).settings;
        QCOMPARE(now.ownDirectory(), f.dataDir);
        QCOMPARE(fileLines(f.settingsPath()).size(), 315);
    }

    // Cancelling the dialog ends the program; the damaged file stays as it was.
    void damagedSettingsCancelled()
    {
        MainFormFixture f;
        writeBytes(f.settingsPath(), "\r\n\r\n");
        QVERIFY(!f.start());
        QCOMPARE(readBytes(f.settingsPath()), QByteArray("\r\n\r\n"));
        QCOMPARE(entriesOf(f.programDir), QStringList{"poruka.ini"});
        QVERIFY(QDir(f.dataDir).isEmpty());
    }

    // A folder stored without its separator must not run into the file name.
    void folderWithoutSeparator()
    {
        MainFormFixture f;
        AppSettings s = newSettings(QStringLiteral("山田"), f.dataDir, {0, 1500, 1500, 6975, 9450});
        s.members[0].directory = Field(f.dataDir.chopped(1));
        writeBytes(f.settingsPath(), serializeSettings(s));
        QVERIFY(f.start());
        QVERIFY(f.form->cmd_syuryo_Click());
        QVERIFY(QFileInfo::exists(f.dataDir + "todo.dat"));
        QVERIFY(!QFileInfo::exists(f.dataDir.chopped(1) + "todo.dat"));
        QCOMPARE(readSettings(f.settingsPath()).settings.ownDirectory(), f.dataDir);
    }

    // Sizes and places no screen can show: the window fits the screens.
    void windowGeometryBeyondTheScreens_data()
    {
        QTest::addColumn<int>("top");
        QTest::addColumn<int>("left");
        QTest::addColumn<int>("height");
        QTest::addColumn<int>("width");
        QTest::newRow("largest int") << 0 << 0 << 2147483647 << 2147483647;
        QTest::newRow("a million") << 1500 << 1500 << 1000000 << 1000000;
        QTest::newRow("far off the screen") << -2000000000 << 2000000000 << 6975 << 9450;
    }
    void windowGeometryBeyondTheScreens()
    {
        QFETCH(int, top);
        QFETCH(int, left);
        QFETCH(int, height);
        QFETCH(int, width);
        MainFormFixture f;
        AppSettings s = newSettings(QStringLiteral("山田"), f.dataDir, {0, top, left, height, width});
        writeBytes(f.settingsPath(), serializeSettings(s));
        QVERIFY(f.start());
        f.form->show();
        const QRect screen = QGuiApplication::primaryScreen()->availableGeometry();
        QVERIFY(f.form->width() <= std::max(screen.width(), f.form->minimumWidth()));
        QVERIFY(f.form->height() <= std::max(screen.height(), f.form->minimumHeight()));
        QVERIFY(screen.intersects(f.form->frameGeometry()));
        QVERIFY(f.form->cmd_syuryo_Click());
    }

    // A window pushed past the left and top edges is written with the minus in
    // the sign place ("-1500 "), not after a space.
    void negativePositionWritten()
    {
        MainFormFixture f;
        f.writeSettingsFile();
        QVERIFY(f.start());
        f.form->show();
        f.form->move(-100, -20);
        QVERIFY(f.form->cmd_syuryo_Click());
        const QByteArrayList lines = fileLines(f.settingsPath());
        QCOMPARE(lines[6], QByteArray::number(pixelsToTwips(f.form->y())) + ' ');
        QCOMPARE(lines[7], QByteArray::number(pixelsToTwips(f.form->x())) + ' ');
        QVERIFY(lines[7].startsWith('-'));
    }

    // What writes killed half-way left beside every file the program rewrites
    // goes: lists, memos, the settings, the archives, the password, the
    // conversion's backups and the record of a command. Only what is provably
    // abandoned: a temporary of a process of this computer that has ended, or
    // one nobody has touched for an hour. Files of others stay.
    void leftoversOfAKilledSaveRemoved()
    {
        MainFormFixture f;
        f.writeSettingsFile();
        QProcess ended;
        ended.start(QStringLiteral("true"));
        QVERIFY(ended.waitForFinished(10000));
        const QString dead = ".~tmp-" + writerTag().section('-', 0, 0) + '-' + QString::number(ended.processId()) + '-';
        const QString program = f.programDir + '/';
        for (const QString& p :
             {f.dataDir + "todo.dat" + dead + "a1B2c3", f.dataDir + "SCHE.DAT" + dead + "ZZZZZZ",
              f.dataDir + "~0000012.txt" + dead + "m12abc", f.dataDir + "todo.old" + dead + "b4ck0p",
              program + "poruka.ini" + dead + "123abc", program + "todo_kan.dat" + dead + "q1w2e3",
              program + "poruka.pas" + dead + "pa55wd", program + "sche_kan.datold" + dead + "0ldold",
              program + "poruka.job" + dead + "j0bj0b"})
            writeBytes(p, QByteArray(4096, 'x'));
        // An earlier version's leftover, two hours old, and one just written.
        const QString old = f.dataDir + "todo.dat.~tmpOLD123";
        writeBytes(old, "x");
        QFile oldFile(old);
        QVERIFY(oldFile.open(QIODevice::ReadWrite));
        QVERIFY(oldFile.setFileTime(QDateTime::currentDateTime().addSecs(-7200), QFileDevice::FileModificationTime));
        oldFile.close();
        writeBytes(f.dataDir + "SCHE.DAT.~tmpNEW123", "x");
        writeBytes(f.dataDir + "notes.txt" + dead + "123456", "mine");
        QVERIFY(f.start());
        QCOMPARE(entriesOf(f.dataDir),
                 (QStringList{"SCHE.DAT", "SCHE.DAT.~tmpNEW123", "notes.txt" + dead + "123456", "todo.dat"}));
        QCOMPARE(entriesOf(f.programDir), QStringList{"poruka.ini"});
    }

    // A list with lone CRs for line ends holds no record this program can read:
    // the user is told, and the bytes are kept.
    void listWithoutLineEnds()
    {
        MainFormFixture f;
        f.writeSettingsFile();
        const QByteArray cr =
            serializeList(newListHeader(),
                          [] {
                              ItemList<TodoItem> l;
                              l.append(todo("2026/12/11", "10:00", QStringLiteral("消えない"), QStringLiteral("山田")));
                              return l;
                          }())
                .replace("\r\n", "\r");
        writeBytes(f.dataDir + "todo.dat", cr);
        QVERIFY(f.start());
        QCOMPARE(f.ui.messages.size(), 1);
        QVERIFY(f.ui.messages[0].text.contains(QDir::toNativeSeparators(f.dataDir + "todo.dat")));
        QVERIFY(f.form->cmd_syuryo_Click());
        QVERIFY(readBytes(f.dataDir + "todo.dat").startsWith(cr));
    }
};

PORUKA_TEST_MAIN(TestStartupFaults)
#include "test_startup_faults.moc"
