#include "common/temp_files.h"
#include "common/test_main.h"

#include "app/program_folders.h"
#include "store/settings_file.h"

#include <QDir>
#include <QProcess>
#include <QStandardPaths>
#include <QTemporaryDir>

// `cmake --install` into a temporary prefix: what lands there, that the
// desktop's validators accept it, and that the installed program keeps its
// files in the user's data folder and runs once per folder.
class TestInstall : public QObject {
    Q_OBJECT

    QTemporaryDir root_;
    QString prefix_;

    static QString run(const QString& program, const QStringList& args, int* exitCode)
    {
        QProcess p;
        p.setProcessChannelMode(QProcess::MergedChannels);
        p.start(program, args);
        if (!p.waitForFinished(120000)) {
            p.kill();
            p.waitForFinished();
        }
        *exitCode = p.exitStatus() == QProcess::NormalExit ? p.exitCode() : -1;
        return QString::fromLocal8Bit(p.readAll());
    }

    // A running program, started with its own temporary folder so that its
    // lock and socket can be seen.
    QProcess* startInstalled(const QString& xdg, const QString& tmp)
    {
        auto* p = new QProcess(this);
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("XDG_DATA_HOME"), xdg);
        env.insert(QStringLiteral("TMPDIR"), tmp);
        env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
        p->setProcessEnvironment(env);
        p->setProcessChannelMode(QProcess::ForwardedChannels);
        p->start(prefix_ + QStringLiteral("/bin/poruka"), {});
        return p;
    }

    // The lock names the process that holds it on its first line; a killed
    // copy's lock stays behind until the next start takes it over.
    static bool holds(const QProcess& process, const QString& tmp)
    {
        const QStringList locks = QDir(tmp).entryList({QStringLiteral("poruka-*.lock")}, QDir::Files);
        return locks.size() == 1 &&
            readBytes(tmp + '/' + locks.first()).split('\n').first() == QByteArray::number(process.processId()) &&
            !QDir(tmp).entryList({QStringLiteral("poruka-*")}, QDir::System).isEmpty();
    }

private slots:
    void initTestCase()
    {
        QVERIFY(root_.isValid());
        prefix_ = root_.filePath(QStringLiteral("usr"));
        int rc = 0;
        const QString out = run(
            QStringLiteral(PORUKA_CMAKE_COMMAND),
            {QStringLiteral("--install"), QStringLiteral(PORUKA_BUILD_DIR), QStringLiteral("--prefix"), prefix_}, &rc);
        QVERIFY2(rc == 0, qPrintable(out));
    }

    void laysDownTheDesktopFiles_data()
    {
        QTest::addColumn<QString>("path");
        for (const char* p :
             {"bin/poruka", "share/poruka/poruka.wri", "share/applications/poruka.desktop",
              "share/metainfo/jp.poruka.Poruka.metainfo.xml", "share/icons/hicolor/scalable/apps/poruka.svg",
              "share/icons/hicolor/16x16/apps/poruka.png", "share/icons/hicolor/32x32/apps/poruka.png",
              "share/icons/hicolor/48x48/apps/poruka.png", "share/icons/hicolor/64x64/apps/poruka.png",
              "share/icons/hicolor/128x128/apps/poruka.png", "share/icons/hicolor/256x256/apps/poruka.png",
              "share/doc/poruka/copyright"})
            QTest::newRow(p) << QString::fromLatin1(p);
    }

    void laysDownTheDesktopFiles()
    {
        QFETCH(QString, path);
        QVERIFY2(QFileInfo(prefix_ + '/' + path).isFile(), qPrintable(path));
    }

    void theGuideIsTheOneBuilt()
    {
        QCOMPARE(readBytes(prefix_ + QStringLiteral("/share/poruka/poruka.wri")),
                 readBytes(QStringLiteral(PORUKA_SOURCE_DIR "/resources/poruka.wri")));
    }

    void validatorsAccept_data()
    {
        QTest::addColumn<QString>("validator");
        QTest::addColumn<QStringList>("args");
        QTest::newRow("desktop entry") << "desktop-file-validate"
                                       << QStringList{prefix_ + QStringLiteral("/share/applications/poruka.desktop")};
        QTest::newRow("AppStream metadata")
            << "appstreamcli"
            << QStringList{QStringLiteral("validate"), QStringLiteral("--no-net"),
                           prefix_ + QStringLiteral("/share/metainfo/jp.poruka.Poruka.metainfo.xml")};
    }

    void validatorsAccept()
    {
        QFETCH(QString, validator);
        QFETCH(QStringList, args);
        const QString program = QStandardPaths::findExecutable(validator);
        QVERIFY2(!program.isEmpty(), qPrintable(validator + " is missing: scripts/install-deps.sh installs it"));
        int rc = 0;
        const QString out = run(program, args, &rc);
        QVERIFY2(rc == 0, qPrintable(out));
    }

    void theInstalledLayoutIsRecognised()
    {
        const ProgramFolders f = programFolders(prefix_ + QStringLiteral("/bin"), root_.filePath(QStringLiteral("xdg")),
                                                root_.filePath(QStringLiteral("home")));
        QVERIFY(f.installed);
        QCOMPARE(f.programDir, root_.filePath(QStringLiteral("xdg/poruka")));
        QCOMPARE(f.helpDocument, prefix_ + QStringLiteral("/share/poruka/poruka.wri"));
    }

    // Started twice on one program folder, the second start hands over to the
    // first and ends; after the first has been killed, a start runs again.
    void runsOncePerFolder()
    {
        const QString xdg = root_.filePath(QStringLiteral("xdg"));
        const QString data = root_.filePath(QStringLiteral("data")) + '/';
        QVERIFY(QDir().mkpath(xdg + QStringLiteral("/poruka")));
        QVERIFY(QDir().mkpath(data));
        writeBytes(xdg + QStringLiteral("/poruka/poruka.ini"),
                   serializeSettings(newSettings(QStringLiteral("山田"), data, {0, 1500, 1500, 6975, 9450})));

        QTemporaryDir tmp;
        for (int round = 0; round < 2; ++round) {
            QProcess* first = startInstalled(xdg, tmp.path());
            QVERIFY(first->waitForStarted());
            QTRY_VERIFY_WITH_TIMEOUT(holds(*first, tmp.path()), 30000);

            QProcess* second = startInstalled(xdg, tmp.path());
            QVERIFY(second->waitForFinished(30000));
            QCOMPARE(second->exitStatus(), QProcess::NormalExit);
            QCOMPARE(second->exitCode(), 0);
            QCOMPARE(first->state(), QProcess::Running);

            // Killed outright: nothing is left that keeps the next start out.
            first->kill();
            QVERIFY(first->waitForFinished());
        }
        // Nothing was written beside the installed program.
        QCOMPARE(QDir(prefix_ + QStringLiteral("/bin")).entryList(QDir::Files), QStringList{QStringLiteral("poruka")});
    }
};

PORUKA_TEST_MAIN(TestInstall)
#include "test_install.moc"
