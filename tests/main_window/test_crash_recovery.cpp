// Every command that changes more than one file, stopped by a crash at each of
// its durable steps in turn (every create, write, sync, rename, unlink): a
// fresh start on the files left behind ends in the state before the command
// or the state after it, never in between, and every memo a record names is
// there. A crash while that start finishes the command is survived as well.
#include "common/file_calls_watch.h"
#include "common/test_main.h"
#include "copy_commands.h"
#include "presenter_fixture.h"
#include "second_copy.h"

#include "core/job.h"

#include <QMap>

#include <type_traits>

namespace {

struct CrashFixture : PresenterFixture {
    // This test's process stands for the program that crashed, and lives on:
    // the lock files it held are what a process that ended leaves, and go as
    // the next start would take them over (one stopped before its holder's
    // name was in it waits out its age, which a test does not).
    void endProcess()
    {
        for (const QString& dir : {dataDir, programDir + '/'})
            for (const QString& lock : QDir(dir).entryList({"*.~lock"}, QDir::Files | QDir::Hidden)) {
                const QByteArray holder = readBytes(dir + lock);
                if (holder.isEmpty() || holder.startsWith(writerTag().toUtf8() + ' '))
                    QFile::remove(dir + lock);
            }
    }

    CrashFixture() { writeOffice(); }
};

// What the user sees of the files: the lists, the archives, and the memo of
// every record that names one (as "missing" when its file is gone). A memo
// file no record names does not count: a stray file harms nobody.
struct State {
    QByteArray todos, schedules, doneTodos, doneSchedules;
    QMap<int, QByteArray> memos;
    bool operator==(const State&) const = default;
};

template <class T> void collectMemos(const QByteArray& bytes, const QString& dir, QMap<int, QByteArray>& memos)
{
    // Open lists carry a header line; archives are bare records.
    ItemList<T> list;
    if constexpr (std::is_same_v<T, TodoItem> || std::is_same_v<T, ScheduleItem>) {
        QByteArray header;
        parseList(bytes, header, list);
    } else {
        parseRecords(bytes, list);
    }
    for (const T& item : list.items())
        if (const int n = memoNumber(item.memoNo))
            memos[n] = QFileInfo::exists(memoPath(dir, n)) ? readBytes(memoPath(dir, n)) : QByteArray("missing");
}

State stateOf(const CrashFixture& f)
{
    State s{readBytes(f.todoPath()),
            readBytes(f.schedulePath()),
            readBytes(f.archivePath(ListKind::Todo)),
            QFileInfo::exists(f.archivePath(ListKind::Schedule)) ? readBytes(f.archivePath(ListKind::Schedule))
                                                                 : QByteArray(),
            {}};
    collectMemos<TodoItem>(s.todos, f.dataDir, s.memos);
    collectMemos<ScheduleItem>(s.schedules, f.dataDir, s.memos);
    collectMemos<DoneTodoItem>(s.doneTodos, f.dataDir, s.memos);
    collectMemos<DoneScheduleItem>(s.doneSchedules, f.dataDir, s.memos);
    return s;
}

// Each command as the steps copy_commands.h runs: what goes before it, then it.
QMap<QString, QString> commands()
{
    return {
        {"complete a ToDo with a memo", "complete todo 二番"},
        {"complete a schedule item", "complete sche 会議"},
        {"delete a ToDo with its memo", "delete todo 一番"},
        {"delete an archived item with its memo", "view done;delete todo 済んだ件"},
        {"change an item and its memo", "memo todo 一番 新しいメモ"},
        {"change an item, memo emptied", "memo todo 二番 -"},
        {"move a ToDo to the schedule", "move todo 一番 メモ11"},
        {"move a schedule item to the ToDos", "move sche 会議 書き換えたメモ"},
        {"register a new item with a memo", "add sche 新件 新しいメモ"},
        {"transcribe a colleague's item with its memo", "view 1;transcribe todo 同僚の件"},
        {"reopen an archived item", "view done;reopen todo 済んだ件"},
        {"undo a deletion, the memo back", "delete todo 一番;undo"},
        {"undo a completion", "complete todo 二番;undo"},
        {"undo a move between the lists", "move todo 一番 移したメモ;undo"},
        {"redo a registration with a memo", "add sche 新件 新しいメモ;undo;redo"},
    };
}

QString run(CrashFixture& f, const QString& step)
{
    return runCopyCommand({*f.presenter, f.forms, f.time}, step.split(' '));
}

// The command's durable steps, and the states before and after it.
struct Outline {
    int steps = 0;
    State before, after;
};

Outline outline(const QString& command)
{
    const FileCallsWatch noSyncs;
    const QStringList steps = command.split(';');
    Outline o;
    CrashFixture f;
    if (!f.start())
        return o;
    for (const QString& step : steps.mid(0, steps.size() - 1))
        if (!run(f, step).isEmpty())
            return o;
    o.before = stateOf(f);
    {
        FileCallsWatch watch;
        if (!run(f, steps.last()).isEmpty())
            return o;
        o.steps = watch.durableCalls();
    }
    o.after = stateOf(f);
    return o;
}

}   // namespace

class TestCrashRecovery : public QObject {
    Q_OBJECT
private slots:
    void killedFromOutside_data();
    void killedFromOutside();
    void conversionKilledFromOutside();
    void crashAtEveryStep_data()
    {
        QTest::addColumn<QString>("command");
        QTest::addColumn<int>("stopAt");
        QTest::addColumn<int>("restartStopAt");   // a second crash while the start finishes it; 0 none
        const QMap<QString, QString> all = commands();
        for (auto it = all.begin(); it != all.end(); ++it) {
            const Outline o = outline(it.value());
            QVERIFY2(o.steps > 0, qPrintable(it.key()));
            for (int n = 1; n <= o.steps; ++n) {
                QTest::addRow("%s, step %d", qPrintable(it.key()), n) << it.key() << n << 0;
                // Crashed again while the next start finishes the job.
                for (int m = 1; m <= 3; ++m)
                    QTest::addRow("%s, step %d, again at %d", qPrintable(it.key()), n, m) << it.key() << n << m;
            }
        }
    }

    void crashAtEveryStep()
    {
        QFETCH(QString, command);
        QFETCH(int, stopAt);
        QFETCH(int, restartStopAt);
        const QStringList steps = commands().value(command).split(';');
        const Outline o = outline(commands().value(command));
        const FileCallsWatch noSyncs;

        CrashFixture f;
        QVERIFY(f.start());
        for (const QString& step : steps.mid(0, steps.size() - 1))
            QCOMPARE(run(f, step), QString());
        f.ui.giveUpAll = true;
        {
            FileCallsWatch crash(stopAt);
            run(f, steps.last());
            QVERIFY(crash.stopped());
        }
        f.presenter.reset();   // the program is gone: nothing more reaches the disk
        f.endProcess();

        if (restartStopAt > 0) {
            FileCallsWatch crash(restartStopAt);
            f.start();
            f.presenter.reset();
            f.endProcess();
        }
        f.ui.messages.clear();
        f.ui.giveUpAll = false;
        QVERIFY(f.start());
        QVERIFY2(f.ui.messages.isEmpty(), qPrintable(f.ui.messageTexts().join('|')));
        const State now = stateOf(f);
        QVERIFY2(now == o.before || now == o.after, "neither the state before nor the one after the command");
        for (auto it = now.memos.begin(); it != now.memos.end(); ++it)
            QVERIFY2(it.value() != "missing", qPrintable(QStringLiteral("memo %1 is gone").arg(it.key())));
        QVERIFY(!QFileInfo::exists(f.programDir + '/' + kJobFileName));
        // What the start showed is what the files hold.
        QCOMPARE(serializeList(f.store().todoHeader, f.store().todos), now.todos);
        QCOMPARE(serializeList(f.store().scheduleHeader, f.store().schedules), now.schedules);
    }
};

// The same with a real program, killed from outside while it works: a second
// process runs the command and stops at a durable step in its middle; killed
// there, it leaves the files to a fresh start here. What it left half written
// goes too, its process being gone.
void TestCrashRecovery::killedFromOutside_data()
{
    QTest::addColumn<QString>("command");
    QTest::newRow("完了") << "complete todo 二番";
    QTest::newRow("変更 into the other list") << "move todo 一番 移したメモ";
    QTest::newRow("削除 with its memo") << "delete todo 一番";
    QTest::newRow("転記 with its memo") << "view 1;transcribe todo 同僚の件";
    QTest::newRow("登録 with a memo") << "add sche 新件 新しいメモ";
}

void TestCrashRecovery::killedFromOutside()
{
    QFETCH(QString, command);
    const QStringList steps = command.split(';');
    // How many durable steps the last command takes, and the states around it.
    const Outline o = outline(command);
    QVERIFY(o.steps > 4);
    for (int stop : {o.steps / 3, o.steps / 2, o.steps - 2}) {
        CrashFixture f;
        {
            SecondCopy copy(f.programDir);
            QVERIFY(copy.isRunning());
            for (const QString& step : steps.mid(0, steps.size() - 1))
                QCOMPARE(copy.run(step), QStringLiteral("ok"));
            QCOMPARE(copy.run(QStringLiteral("stop-at %1").arg(stop)), QStringLiteral("ok"));
            QCOMPARE(copy.run(steps.last()), QStringLiteral("stopped"));
            copy.kill();
        }
        QVERIFY(f.start());
        const State now = stateOf(f);
        QVERIFY2(now == o.before || now == o.after, qPrintable(QStringLiteral("stopped at %1").arg(stop)));
        for (auto it = now.memos.begin(); it != now.memos.end(); ++it)
            QVERIFY(it.value() != "missing");
        for (const QString& dir : {f.dataDir, f.programDir})
            QVERIFY2(QDir(dir).entryList({"*.~tmp*"}, QDir::Files).isEmpty(), qPrintable(dir));
    }
}

// The conversion of old data, killed from outside: before its record was
// written (two backups and the record, six durable steps each) the next start
// asks again; after it, the next start finishes it without asking, from the
// backups, which keep the version-1 data.
void TestCrashRecovery::conversionKilledFromOutside()
{
    for (int stop : {8, 20, 27}) {
        PresenterFixture f;
        AppSettings s = newSettings(QStringLiteral("山田"), f.dataDir, {0, 1500, 1500, 6975, 9450});
        s.banner = Field(QStringLiteral("@ぽるか VER.1.05"));
        writeBytes(f.settingsPath(), serializeSettings(s));
        const QByteArray todos =
            crlfLines({"@", "99/12/01", "00/03/01", "10:00", "a", "b", " 0 ", " 9999 ", " 0 ", "", "", ""});
        writeBytes(f.todoPath(), todos);
        writeBytes(f.schedulePath(), crlfLines({"@"}));
        {
            SecondCopy copy(f.programDir, stop);
            QCOMPARE(copy.answer(), QStringLiteral("stopped"));
            copy.kill();
        }
        f.forms.conversions.enqueue(true);
        QVERIFY(f.start());
        QCOMPARE(f.forms.asked.contains(QStringLiteral("F_Y2K")), stop <= 18);
        QCOMPARE(f.store().todos[1].entryDate.bytes(), QByteArray("1999/12/01"));
        QCOMPARE(readBytes(f.dataDir + "todo.old"), todos);
        QVERIFY(readBytes(f.settingsPath()).startsWith(currentBanner()));
        QVERIFY(QDir(f.dataDir).entryList({"*.~tmp*"}, QDir::Files).isEmpty());
    }
}

PORUKA_TEST_MAIN(TestCrashRecovery)
#include "test_crash_recovery.moc"
