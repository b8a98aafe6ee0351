#include "common/test_main.h"

#include "ui/drive_list.h"

#include <QDir>
#include <QSignalSpy>

Q_DECLARE_METATYPE(QList<VolumeInfo>)

class TestDriveList : public QObject {
    Q_OBJECT
private slots:
    void userVolumeRoots_data();
    void userVolumeRoots();
    void volumeRootOf_data();
    void volumeRootOf();
    void selectionFromCodeIsSilent();
    void startsOnTheWorkingDirectorysVolume();
};

void TestDriveList::userVolumeRoots_data()
{
#ifdef Q_OS_WIN
    QSKIP("Windows lists its drives unfiltered");
#endif
    QTest::addColumn<QList<VolumeInfo>>("volumes");
    QTest::addColumn<QStringList>("expected");

    QTest::newRow("disk kept") << QList<VolumeInfo>{{"/", "ext4"}, {"/home", "xfs"}} << QStringList{"/", "/home"};
    QTest::newRow("network share and tmp kept")
        << QList<VolumeInfo>{{"/mnt/share", "cifs"}, {"/tmp", "tmpfs"}} << QStringList{"/mnt/share", "/tmp"};

    // Each pseudo file system is dropped even where a user might look for data.
    const QList<QByteArray> pseudo{"proc",       "sysfs",     "devtmpfs", "devpts",  "cgroup",      "cgroup2",
                                   "securityfs", "pstore",    "debugfs",  "tracefs", "configfs",    "fusectl",
                                   "mqueue",     "hugetlbfs", "bpf",      "autofs",  "binfmt_misc", "rpc_pipefs",
                                   "nsfs",       "efivarfs",  "squashfs", "ramfs"};
    for (const QByteArray& type : pseudo)
        QTest::newRow(("pseudo " + type).constData())
            << QList<VolumeInfo>{{"/", "ext4"}, {"/mnt/x", type}} << QStringList{"/"};

    QTest::newRow("system folders dropped")
        << QList<VolumeInfo>{{"/proc", "ext4"},     {"/sys/fs/x", "ext4"},       {"/dev/shm", "tmpfs"},
                             {"/run", "tmpfs"},     {"/run/user/1000", "tmpfs"}, {"/snap/core/12", "ext4"},
                             {"/media/usb", "vfat"}}
        << QStringList{"/media/usb"};
    QTest::newRow("look-alike folders kept")
        << QList<VolumeInfo>{{"/running", "ext4"}, {"/devices", "ext4"}, {"/snapshots", "btrfs"}}
        << QStringList{"/devices", "/running", "/snapshots"};
    QTest::newRow("invalid or not ready dropped")
        << QList<VolumeInfo>{{"/a", "ext4", false, true}, {"/b", "ext4", true, false}, {"/c", "ext4", true, true}}
        << QStringList{"/c"};
    QTest::newRow("duplicates merged, sorted")
        << QList<VolumeInfo>{{"/home", "ext4"}, {"/", "overlay"}, {"/home/", "ext4"}, {"/", "ext4"}}
        << QStringList{"/", "/home"};
    QTest::newRow("nothing") << QList<VolumeInfo>{} << QStringList{};
}

void TestDriveList::userVolumeRoots()
{
    QFETCH(QList<VolumeInfo>, volumes);
    QFETCH(QStringList, expected);
    QCOMPARE(::userVolumeRoots(volumes), expected);
}

void TestDriveList::volumeRootOf_data()
{
    QTest::addColumn<QStringList>("roots");
    QTest::addColumn<QString>("path");
    QTest::addColumn<QString>("expected");

    const QStringList roots{"/", "/home", "/mnt/data"};
    QTest::newRow("nested mount wins") << roots << "/home/user/docs"
                                       << "/home";
    QTest::newRow("the mount point itself") << roots << "/mnt/data"
                                            << "/mnt/data";
    QTest::newRow("prefix is not a parent") << roots << "/homework"
                                            << "/";
    QTest::newRow("falls to the root") << roots << "/etc/x"
                                       << "/";
    QTest::newRow("no root holds it") << QStringList{"/home"} << "/etc"
                                      << "";
}

void TestDriveList::volumeRootOf()
{
    QFETCH(QStringList, roots);
    QFETCH(QString, path);
    QFETCH(QString, expected);
    QCOMPARE(::volumeRootOf(roots, path), expected);
}

void TestDriveList::selectionFromCodeIsSilent()
{
    DriveListBox drive;
    QSignalSpy changed(&drive, &QComboBox::currentIndexChanged);
    drive.setRoots({"/a", "/b", "/c"});
    QCOMPARE(drive.rootPath(), QString("/a"));
    QVERIFY(drive.selectRoot("/c"));
    QVERIFY(!drive.selectRoot("/zzz"));
    QCOMPARE(drive.rootPath(), QString("/c"));
    QVERIFY(drive.selectRootOf("/b/deep/er"));
    QCOMPARE(drive.rootPath(), QString("/b"));
    QCOMPARE(changed.count(), 0);

    drive.setCurrentIndex(0);   // as the user picks
    QCOMPARE(changed.count(), 1);
    QCOMPARE(drive.rootPath(), QString("/a"));
}

void TestDriveList::startsOnTheWorkingDirectorysVolume()
{
    DriveListBox drive;
    QVERIFY(!drive.roots().isEmpty());
    QCOMPARE(drive.rootPath(), ::volumeRootOf(drive.roots(), QDir::currentPath()));
}

PORUKA_TEST_MAIN(TestDriveList)
#include "test_drive_list.moc"
