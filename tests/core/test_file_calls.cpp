// How many calls reach the data folder, which is often a shared drive over a
// slow link where each is a round trip: counted through the file layer's own
// seam, against the fewest each operation needs while keeping its guarantees
// (bench_slow_share.cpp explains each minimum and times them). A change that
// adds calls beyond half again the minimum fails here.
#include "common/file_calls_watch.h"
#include "common/temp_files.h"
#include "common/test_main.h"

#include "core/commands.h"
#include "core/core.h"
#include "store/list_file.h"
#include "store/settings_file.h"

#include <QDir>
#include <QTemporaryDir>

namespace {

constexpr int kReadList = 6;   // open, fstat, lock, the path's stat, read, close
constexpr int kRewriteList = 20;   // with the writer's lock file and the fingerprint check

struct Folder {
    QTemporaryDir root;
    QString programDir, dataDir;
    Folder()
    {
        QDir(root.path()).mkpath(QStringLiteral("prog"));
        QDir(root.path()).mkpath(QStringLiteral("data"));
        programDir = root.filePath(QStringLiteral("prog"));
        dataDir = root.filePath(QStringLiteral("data")) + QLatin1Char('/');
        writeBytes(programDir + QStringLiteral("/poruka.ini"),
                   serializeSettings(newSettings(QStringLiteral("山田"), dataDir, {0, 1500, 1500, 6975, 9450})));
        ItemList<TodoItem> todos;
        TodoItem t;
        t.date = Field("2026/12/24");
        t.content = Field(QStringLiteral("会議"));
        todos.append(t);
        writeBytes(dataDir + QStringLiteral("todo.dat"), serializeList(newListHeader(), todos));
        writeBytes(dataDir + QStringLiteral("SCHE.DAT"), serializeList(newListHeader(), ItemList<ScheduleItem>()));
    }
    QByteArray data() const { return QFile::encodeName(dataDir); }
    std::unique_ptr<Core> core() const
    {
        auto c = std::make_unique<Core>(programDir);
        c->resolvePaths();
        c->setSettings(readSettings(programDir + QStringLiteral("/poruka.ini")).settings);
        return c;
    }
};

bool startLists(Core& core)
{
    for (ListKind kind : {ListKind::Todo, ListKind::Schedule})
        if (!core.createOwnList(kind).ok() || !core.loadOwnList(kind).ok())
            return false;
    return true;
}

}   // namespace

class TestFileCalls : public QObject {
    Q_OBJECT
private slots:
    void startUpReadsEachListCheaply()
    {
        Folder f;
        auto core = f.core();
        const FileCallsWatch watch;
        QVERIFY(startLists(*core));
        const int calls = watch.callsIn(f.data());
        QVERIFY2(calls <= 2 * kReadList * 3 / 2, qPrintable(QString::number(calls)));
        QVERIFY(calls >= 2 * kReadList);   // every guarantee still there
    }

    void lookFindingNothingIsAStatPerFile()
    {
        Folder f;
        auto core = f.core();
        QVERIFY(startLists(*core));
        const FileCallsWatch watch;
        const FollowReport report = core->followOwnLists();
        QVERIFY(!report.changed);
        QCOMPARE(watch.callsIn(f.data()), 2);
        for (const FileCallsWatch::Call& c : watch.calls())
            QCOMPARE(c.call, FileCall::Stat);
    }

    void rewritingAList()
    {
        Folder f;
        auto core = f.core();
        QVERIFY(startLists(*core));
        TodoItem t;
        t.date = Field("2026/12/25");
        t.content = Field(QStringLiteral("新件"));
        const FileCallsWatch watch(0, true);
        TryOnce once;
        QVERIFY(core->run(commands::add(ListKind::Todo, recordBytes(t)), once).state == JobResult::State::Done);
        const int calls = watch.callsIn(f.data());
        QVERIFY2(calls <= kRewriteList * 3 / 2, qPrintable(QString::number(calls)));
        QVERIFY(calls >= kRewriteList - 2);
        QVERIFY(readBytes(f.dataDir + QStringLiteral("todo.dat")).contains(sjis(QStringLiteral("新件"))));
    }
};

PORUKA_TEST_MAIN(TestFileCalls)
#include "test_file_calls.moc"
