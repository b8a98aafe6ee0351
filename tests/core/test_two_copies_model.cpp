// Two and three copies of the program on one data folder, simulated call by
// call (two_copies_model.h): for each row a number of seeds, each a random
// mix of every command in a random interleaving; with file locks that work
// and with locks no copy can see; with copies crashing at random calls. No
// item is ever lost, brought back or doubled, and memos follow their records.
// A failure names the seed and the shortest run that still fails, with its
// interleaving.
//
// More seeds and longer runs: PORUKA_MODEL_SEEDS=500 PORUKA_MODEL_COMMANDS=300;
// one seed again (a failure's): PORUKA_MODEL_SEED=27.
#include "common/test_main.h"
#include "two_copies_model.h"

namespace {

int fromEnvironment(const char* name, int fallback)
{
    bool ok = false;
    const int n = qEnvironmentVariableIntValue(name, &ok);
    return ok && n > 0 ? n : fallback;
}

}   // namespace

class TestTwoCopiesModel : public QObject {
    Q_OBJECT
private slots:
    void model_data()
    {
        QTest::addColumn<int>("copies");
        QTest::addColumn<bool>("blindLocks");
        QTest::addColumn<int>("crashes");
        QTest::newRow("two copies, locks work") << 2 << false << 0;
        QTest::newRow("two copies, locks unseen") << 2 << true << 0;
        QTest::newRow("three copies, locks unseen") << 3 << true << 0;
        QTest::newRow("two copies, locks unseen, a crash") << 2 << true << 1;
        QTest::newRow("three copies, locks work, two crashes") << 3 << false << 2;
    }

    void model()
    {
        QFETCH(int, copies);
        QFETCH(bool, blindLocks);
        QFETCH(int, crashes);
        const int seeds = fromEnvironment("PORUKA_MODEL_SEEDS", 12);
        const int commands = fromEnvironment("PORUKA_MODEL_COMMANDS", 60);
        const int only = fromEnvironment("PORUKA_MODEL_SEED", 0);
        int done = 0, expected = 0;
        for (int seed = only ? only : 1; seed <= (only ? only : seeds); ++seed) {
            ModelSettings s{copies, blindLocks, crashes, commands};
            ModelResult r = runModel(s, unsigned(seed));
            done += r.commandsDone;
            expected += r.expected;
            if (r.ok())
                continue;
            // The shortest run of this seed that still fails.
            int failing = commands;
            for (int shorter = commands - 1; shorter >= 1; --shorter) {
                s.commands = shorter;
                ModelResult tried = runModel(s, unsigned(seed));
                if (tried.ok())
                    break;
                failing = shorter;
                r = tried;
            }
            QFAIL(
                qPrintable(QStringLiteral("seed %1, %2 commands: lost %3, brought back %4, doubled %5, memo faults %6, "
                                          "archive faults %7\n%8\ninterleaving:\n%9")
                               .arg(seed)
                               .arg(failing)
                               .arg(r.lost)
                               .arg(r.broughtBack)
                               .arg(r.duplicated)
                               .arg(r.memoFaults)
                               .arg(r.archiveFaults)
                               .arg(r.faults.join('\n'), r.trace.join('\n'))));
        }
        qInfo("%d commands done, %d items expected at the end: all there, none brought back", done, expected);
        QVERIFY(done > (only ? 1 : seeds) * commands / 3);
    }
};

PORUKA_TEST_MAIN(TestTwoCopiesModel)
#include "test_two_copies_model.moc"
