// Two copies of the program on one data folder, each in its own process,
// each saving after every operation and at quit: the files end with both
// copies' effects, whatever the order; memo numbers stay distinct and every
// memo file belongs to a record. Also: a copy whose lock the other cannot
// see, and a colleague's list that changes while it is on screen.
#include "common/held_lock.h"
#include "common/test_main.h"
#include "copy_commands.h"
#include "main_form_fixture.h"
#include "presenter_fixture.h"
#include "second_copy.h"

#include "store/file_calls.h"
#include "store/memo.h"
#include "ui/grid.h"

#include <QProcess>
#include <QRegularExpression>

#include <sys/stat.h>

namespace {

quint64 inodeOf(const QString& path)
{
    struct stat st { };
    return ::stat(QFile::encodeName(path).constData(), &st) == 0 ? quint64(st.st_ino) : 0;
}

struct TwoCopies {
    std::unique_ptr<HeldLock> holder;
    quint64 markedInode = 0;
    QTemporaryDir root;
    QString programA, programB, dataDir, colleagueDir;
    FakeUi ui;
    FakeForms forms;
    FixedTimeSource time{QDateTime(QDate(2026, 12, 10), QTime(9, 0))};
    std::unique_ptr<Presenter> a;
    std::unique_ptr<SecondCopy> b;

    TwoCopies()
    {
        for (const char* d : {"progA", "progB", "data", "colleague"})
            QDir(root.path()).mkpath(QLatin1String(d));
        programA = root.filePath(QStringLiteral("progA"));
        programB = root.filePath(QStringLiteral("progB"));
        dataDir = root.filePath(QStringLiteral("data")) + QLatin1Char('/');
        colleagueDir = root.filePath(QStringLiteral("colleague")) + QLatin1Char('/');
        for (const QString& prog : {programA, programB}) {
            AppSettings s = newSettings(QStringLiteral("山田"), dataDir, {0, 1500, 1500, 6975, 9450});
            s.members[1] = {Field(QStringLiteral("鈴木")), Field(colleagueDir)};
            writeBytes(prog + "/poruka.ini", serializeSettings(s));
        }
        TodoItem c = todo("2026/12/24", "10:00", QStringLiteral("c1"), 5);
        ItemList<TodoItem> colleague;
        colleague.append(c);
        writeBytes(colleagueDir + "TODO.DAT", serializeList(newListHeader(), colleague));
        writeBytes(colleagueDir + "SCHE.DAT", serializeList(newListHeader(), ItemList<ScheduleItem>()));
        writeBytes(memoPath(colleagueDir, 5), sjis(QStringLiteral("同僚のメモ\r\n")));
    }

    bool start()
    {
        a = std::make_unique<Presenter>(programA, ui, forms, time);
        if (a->start() != Presenter::Start::Run)
            return false;
        b = std::make_unique<SecondCopy>(programB);
        return b->isRunning();
    }

    // "A:add todo x m" runs on this process's copy, "B:..." on the other.
    ~TwoCopies() { setFileCallHook({}); }

    // "A:..." runs on this process's copy, "B:..." on the other; "T:..." is
    // the test's own doing:
    //   A:quiet / A:noticed    a look that takes in no records / some
    //   A:unseen-locks         this copy takes no file locks from now on
    //   T:hold / T:release     another program holds todo.dat (the user gives
    //                          up waiting for it meanwhile)
    //   T:mark / T:unchanged   todo.dat has not been rewritten since the mark
    QString step(const QString& line)
    {
        const QString command = line.mid(2);
        if (line == "A:quiet" || line == "A:noticed") {
            const bool noticed = !a->followFiles().status.isEmpty();
            return noticed == (line == "A:noticed") ? QStringLiteral("ok") : QStringLiteral("error notice");
        }
        if (line == "A:unseen-locks") {
            setFileCallHook([](FileCall call, const QByteArray&) {
                return call == FileCall::Lock ? CallAnswer::Skip : CallAnswer::Make;
            });
            return QStringLiteral("ok");
        }
        if (line == "T:hold") {
            holder = std::make_unique<HeldLock>(dataDir + "todo.dat", QStringLiteral("ofd-write"));
            ui.giveUpAll = true;
            return holder->isHeld() ? QStringLiteral("ok") : QStringLiteral("error hold");
        }
        if (line == "T:release") {
            ui.giveUpAll = false;
            return holder->release() ? QStringLiteral("ok") : QStringLiteral("error release");
        }
        if (line == "T:mark") {
            markedInode = inodeOf(dataDir + "todo.dat");
            return QStringLiteral("ok");
        }
        if (line == "T:unchanged")
            return markedInode == inodeOf(dataDir + "todo.dat") ? QStringLiteral("ok")
                                                                : QStringLiteral("error rewritten");
        if (line.startsWith(QLatin1String("A:"))) {
            const QString error =
                runCopyCommand({*a, forms, time}, command.split(QLatin1Char(' '), Qt::SkipEmptyParts));
            return error.isEmpty() ? QStringLiteral("ok") : QStringLiteral("error ") + error;
        }
        return b->run(command);
    }

    // Contents of a list file, sorted.
    QStringList onFile(const QString& name) const
    {
        ItemList<TodoItem> todos;
        ItemList<ScheduleItem> schedules;
        QByteArray header;
        QStringList out;
        const QByteArray bytes = readBytes(resolvePath(dataDir, name));
        if (name == "todo.dat") {
            parseList(bytes, header, todos);
            for (const TodoItem& t : todos.items())
                out << t.content.text();
        } else {
            parseList(bytes, header, schedules);
            for (const ScheduleItem& s : schedules.items())
                out << s.content.text();
        }
        out.sort();
        return out;
    }

    // Every memo number named in the lists and archives, and every memo file there is.
    std::pair<QList<int>, QList<int>> memos() const
    {
        QList<int> named;
        QByteArray header;
        ItemList<TodoItem> todos;
        ItemList<ScheduleItem> schedules;
        parseList(readBytes(resolvePath(dataDir, "todo.dat")), header, todos);
        parseList(readBytes(resolvePath(dataDir, "SCHE.DAT")), header, schedules);
        for (const TodoItem& t : todos.items())
            if (memoNumber(t.memoNo))
                named << memoNumber(t.memoNo);
        for (const ScheduleItem& s : schedules.items())
            if (memoNumber(s.memoNo))
                named << memoNumber(s.memoNo);
        // A completed item keeps its memo, named from its copy's archive.
        for (const QString& prog : {programA, programB}) {
            ItemList<DoneTodoItem> done;
            parseRecords(readBytes(prog + "/todo_kan.dat"), done);
            for (const DoneTodoItem& d : done.items())
                if (memoNumber(d.memoNo))
                    named << memoNumber(d.memoNo);
        }
        QList<int> files;
        static const QRegularExpression memo(QStringLiteral("^~(\\d{7})\\.txt$"));
        for (const QString& e : QDir(dataDir).entryList(QDir::Files))
            if (const auto m = memo.match(e); m.hasMatch())
                files << m.captured(1).toInt();
        std::sort(named.begin(), named.end());
        std::sort(files.begin(), files.end());
        return {named, files};
    }
};

}   // namespace

class TestTwoCopies : public QObject {
    Q_OBJECT
private slots:
    void interleavings_data()
    {
        QTest::addColumn<QStringList>("steps");
        QTest::addColumn<QStringList>("todos");   // on file at the end, sorted
        QTest::addColumn<QStringList>("schedules");
        const auto steps = [](const char* text) { return QString::fromUtf8(text).split(QLatin1Char(';')); };
        QTest::newRow("both register, B quits first") << steps("A:add sche a1 memoA;B:add sche b1 memoB;B:quit;A:quit")
                                                      << QStringList{} << QStringList{"a1", "b1"};
        QTest::newRow("both register, A quits first") << steps("A:add sche a1 memoA;B:add sche b1 memoB;A:quit;B:quit")
                                                      << QStringList{} << QStringList{"a1", "b1"};
        QTest::newRow("many, both lists")
            << steps("A:add todo a1 m;B:add todo b1 m;A:add sche a2;B:add sche b2 m;A:add todo a3 m;B:quit;A:quit")
            << QStringList{"a1", "a3", "b1"} << QStringList{"a2", "b2"};
        QTest::newRow("change there, add here")
            << steps("A:add todo x;A:later;A:follow;B:follow;B:change todo x xb;A:add todo y;A:quit;B:quit")
            << QStringList{"xb", "y"} << QStringList{};
        QTest::newRow("both change the same item: both kept")
            << steps("A:add todo x;A:later;A:follow;B:follow;A:change todo x xa;B:change todo x xb;B:quit;A:quit")
            << QStringList{"xa", "xb"} << QStringList{};
        QTest::newRow("one deletes what the other changes: the change kept")
            << steps("A:add todo x m;A:later;A:follow;B:follow;A:delete todo x;B:change todo x xb;A:quit;B:quit")
            << QStringList{"xb"} << QStringList{};
        QTest::newRow("complete there, add here")
            << steps("A:add todo x;A:later;A:follow;B:follow;B:complete todo x;A:add todo y;A:quit;B:quit")
            << QStringList{"y"} << QStringList{};
        QTest::newRow("both delete the same")
            << steps("A:add sche x;A:later;A:follow;B:follow;A:delete sche x;B:delete sche x;B:quit;A:quit")
            << QStringList{} << QStringList{};
        QTest::newRow("transcribe here, register there")
            << steps("A:view 1;A:transcribe todo c1;B:add todo b1 m;A:view 0;B:quit;A:quit") << QStringList{"b1", "c1"}
            << QStringList{};
        QTest::newRow("copies whose locks the other cannot see")
            << steps("A:unseen-locks;B:unseen-locks;B:add todo b1 m;A:add todo a1 m;B:add todo b2;A:change todo a1 a2;"
                     "B:follow;B:delete todo a2;A:add todo a3;A:quit;B:quit")
            << QStringList{"a3", "b1", "b2"} << QStringList{};
        // The other copy took in what this one did; what this one does after
        // is never undone by the other's later writes.
        QTest::newRow("add, then delete after the other looked")
            << steps(
                   "A:add todo x m;B:follow;B:add todo y;A:delete todo x;A:follow;B:follow;B:add todo z;A:quit;B:quit")
            << QStringList{"y", "z"} << QStringList{};
        QTest::newRow("add, then change after the other looked")
            << steps("A:add todo x m;B:follow;B:add todo y;A:change todo x x2;A:follow;B:follow;B:add todo "
                     "z;A:quit;B:quit")
            << QStringList{"x2", "y", "z"} << QStringList{};
        QTest::newRow("add, change, change back")
            << steps("A:add todo x;B:follow;A:change todo x x2;A:change todo x2 x;B:add todo y;A:follow;A:quit;B:quit")
            << QStringList{"x", "y"} << QStringList{};
        QTest::newRow("the other copy deletes what it took in")
            << steps("A:add todo x m;B:follow;B:delete todo x;A:add todo y;A:follow;A:quit;B:quit") << QStringList{"y"}
            << QStringList{};
        QTest::newRow("the other copy completes what it took in")
            << steps("A:add todo x m;B:follow;B:complete todo x;A:add todo y;B:follow;B:add todo z;A:quit;B:quit")
            << QStringList{"y", "z"} << QStringList{};
        QTest::newRow("a write given up, then a look")
            << steps("T:hold;A:add todo x m;T:release;B:add todo y;A:follow;B:follow;B:add todo z;A:quit;B:quit")
            << QStringList{"x", "y", "z"} << QStringList{};
        // Both copies idle after changes of both: no file is rewritten, and
        // the other copy's quit, which rewrites the same records, is nothing
        // to tell.
        QTest::newRow("idle after a conflict, then the other quits")
            << steps("A:add todo x;B:add todo y;A:noticed;B:follow;T:mark;A:later;A:quiet;B:follow;A:later;A:quiet;"
                     "B:follow;A:later;A:quiet;T:unchanged;B:quit;A:quiet;A:quit")
            << QStringList{"x", "y"} << QStringList{};
    }
    void interleavings()
    {
        QFETCH(QStringList, steps);
        TwoCopies f;
        QVERIFY(f.start());
        for (const QString& s : steps) {
            const QString answer = f.step(s);
            QVERIFY2(answer == QStringLiteral("ok"), qPrintable(s + QStringLiteral(" -> ") + answer));
        }
        QTEST(f.onFile(QStringLiteral("todo.dat")), "todos");
        QTEST(f.onFile(QStringLiteral("SCHE.DAT")), "schedules");
        const auto [named, files] = f.memos();
        QCOMPARE(files, named);   // distinct, and every file belongs to a record
        QVERIFY(std::adjacent_find(named.begin(), named.end()) == named.end());
    }

    // A colleague registers while the colleague's lists are on screen: the
    // window shows the new item within seconds, without a click.
    void colleagueListFollowed()
    {
        TwoCopies f;
        // The colleague's copy: its own program folder naming the colleague folder.
        AppSettings s = newSettings(QStringLiteral("鈴木"), f.colleagueDir, {0, 1500, 1500, 6975, 9450});
        writeBytes(f.programB + "/poruka.ini", serializeSettings(s));
        FakeUi ui;
        Main_Form form(f.programA, ui, f.time);
        QVERIFY(form.Form_Load());
        form.show();
        form.Combo1_Click(1);
        QCOMPARE(form.Grid1->rows(), 2);
        SecondCopy colleague(f.programB);
        QVERIFY(colleague.isRunning());
        QCOMPARE(colleague.run(QStringLiteral("add todo 新しい件 -")), QStringLiteral("ok"));
        QVERIFY(QTest::qWaitFor([&] { return form.Grid1->rows() == 3; }, 5000));
        QCOMPARE(form.Grid1->cellText(0, 2), QStringLiteral("やること(2件)"));
        QVERIFY(ui.messages.isEmpty());
        colleague.run(QStringLiteral("quit"));
    }
};

PORUKA_TEST_MAIN(TestTwoCopies)
#include "test_two_copies.moc"
