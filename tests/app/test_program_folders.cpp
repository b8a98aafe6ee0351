#include "common/temp_files.h"
#include "common/test_main.h"

#include "app/program_folders.h"

#include <QDir>
#include <QTemporaryDir>

// Which folder holds the user's own files, decided by where the executable lies.
class TestProgramFolders : public QObject {
    Q_OBJECT
private slots:
    void decidedByTheLayout_data()
    {
        QTest::addColumn<QStringList>("files");   // laid down under the temporary root
        QTest::addColumn<QString>("executableDir");   // relative to the root
        QTest::addColumn<QString>("xdgDataHome");   // "<root>" stands for the root
        QTest::addColumn<QString>("programDir");
        QTest::addColumn<QString>("helpDocument");
        QTest::addColumn<bool>("installed");

        QTest::newRow("build folder") << QStringList{"build/bin/poruka", "build/bin/poruka.wri"} << "build/bin"
                                      << ""
                                      << "build/bin"
                                      << "build/bin/poruka.wri" << false;
        QTest::newRow("folder on a stick") << QStringList{"stick/poruka/poruka"} << "stick/poruka"
                                           << ""
                                           << "stick/poruka"
                                           << "stick/poruka/poruka.wri" << false;
        QTest::newRow("installed, default data home")
            << QStringList{"usr/bin/poruka", "usr/share/poruka/poruka.wri"} << "usr/bin"
            << ""
            << "home/.local/share/poruka"
            << "usr/share/poruka/poruka.wri" << true;
        QTest::newRow("installed, XDG_DATA_HOME set")
            << QStringList{"usr/bin/poruka", "usr/share/poruka/poruka.wri"} << "usr/bin"
            << "<root>/xdg"
            << "xdg/poruka"
            << "usr/share/poruka/poruka.wri" << true;
        QTest::newRow("installed, relative XDG_DATA_HOME ignored")
            << QStringList{"usr/bin/poruka", "usr/share/poruka/poruka.wri"} << "usr/bin"
            << "xdg"
            << "home/.local/share/poruka"
            << "usr/share/poruka/poruka.wri" << true;
        QTest::newRow("installed under /usr/local")
            << QStringList{"usr/local/bin/poruka", "usr/local/share/poruka/poruka.wri"} << "usr/local/bin/"
            << ""
            << "home/.local/share/poruka"
            << "usr/local/share/poruka/poruka.wri" << true;
        // A bin folder without the installed guide is somebody's portable copy.
        QTest::newRow("bin without share/poruka")
            << QStringList{"opt/bin/poruka", "opt/share/other/poruka.wri"} << "opt/bin"
            << "<root>/xdg"
            << "opt/bin"
            << "opt/bin/poruka.wri" << false;
        QTest::newRow("share/poruka without its guide")
            << QStringList{"opt/bin/poruka", "opt/share/poruka/README"} << "opt/bin"
            << "<root>/xdg"
            << "opt/bin"
            << "opt/bin/poruka.wri" << false;
        QTest::newRow("guide beside a folder not named bin")
            << QStringList{"opt/poruka/poruka", "opt/share/poruka/poruka.wri"} << "opt/poruka"
            << "<root>/xdg"
            << "opt/poruka"
            << "opt/poruka/poruka.wri" << false;
    }

    void decidedByTheLayout()
    {
        QFETCH(QStringList, files);
        QFETCH(QString, executableDir);
        QFETCH(QString, xdgDataHome);
        QFETCH(QString, programDir);
        QFETCH(QString, helpDocument);
        QFETCH(bool, installed);
        QTemporaryDir root;
        QVERIFY(root.isValid());
        const QString r = root.path();
        for (const QString& f : files) {
            QVERIFY(QDir().mkpath(QFileInfo(r + '/' + f).path()));
            writeBytes(r + '/' + f, "x");
        }
        xdgDataHome.replace(QStringLiteral("<root>"), r);

        // Every folder here can be written to: the layout alone decides.
        const ProgramFolders got = programFolders(r + '/' + executableDir, xdgDataHome, r + QStringLiteral("/home"));
        QCOMPARE(got.installed, installed);
        QCOMPARE(got.programDir, r + '/' + programDir);
        QCOMPARE(got.helpDocument, r + '/' + helpDocument);
    }
};

PORUKA_TEST_MAIN(TestProgramFolders)
#include "test_program_folders.moc"
