// File access: case-insensitive names, how failures are classified, and the
// exclusive use of list files against a real second process holding a lock.

#include "common/held_lock.h"
#include "common/temp_files.h"
#include "common/test_main.h"

#include "store/file_access.h"
#include "store/file_calls.h"
#include "store/writer_lock.h"

#include <QDateTime>
#include <QDir>
#include <QFileInfo>
#include <QProcess>
#include <QScopeGuard>
#include <QTemporaryDir>

#include <cstdarg>
#include <dlfcn.h>
#include <fcntl.h>
#include <functional>
#include <sys/stat.h>
#include <unistd.h>

namespace {

// Runs once, the next time a whole-file read lock is asked for: what another
// program might do between the reader's open and its lock.
std::function<void()> beforeNextReadLock;

int forwardFcntl(const char* name, int fd, int cmd, void* arg)
{
    if ((cmd == F_OFD_SETLK || cmd == F_SETLK) && beforeNextReadLock &&
        static_cast<struct flock*>(arg)->l_type == F_RDLCK)
        std::exchange(beforeNextReadLock, {})();
    using Real = int (*)(int, int, ...);
    const auto real = reinterpret_cast<Real>(dlsym(RTLD_NEXT, name));
    return real(fd, cmd, arg);
}

}   // namespace

// The store takes its locks through fcntl; this program's own definition comes
// first, lets the test step in, then hands over to the C library's.
extern "C" int fcntl(int fd, int cmd, ...)
{
    va_list ap;
    va_start(ap, cmd);
    void* arg = va_arg(ap, void*);
    va_end(ap);
    return forwardFcntl("fcntl", fd, cmd, arg);
}

extern "C" int fcntl64(int fd, int cmd, ...)
{
    va_list ap;
    va_start(ap, cmd);
    void* arg = va_arg(ap, void*);
    va_end(ap);
    return forwardFcntl("fcntl64", fd, cmd, arg);
}

namespace {

QString dirOf(const QTemporaryDir& d) { return d.path() + QLatin1Char('/'); }

QStringList entries(const QString& dir)
{
    QStringList l = QDir(dir).entryList(QDir::AllEntries | QDir::Hidden | QDir::NoDotAndDotDot);
    l.sort();
    return l;
}

}   // namespace

class TestFileAccess : public QObject {
    Q_OBJECT

private slots:
    void resolvePath_data();
    void resolvePath();
    void saveThroughOtherCase();
    void readFailures_data();
    void readFailures();
    void readIntoMemoryHandedIn_data();
    void readIntoMemoryHandedIn();
    void contentHashSeesEveryByte();
    void writeFailures_data();
    void writeFailures();
    void writeIntoReadOnlyFolder();
    void writeReplacesAndKeepsMode();
    void locks_data();
    void locks();
    void unlockedReadIgnoresLocks();
    void readerOpensAgainAfterARename();
    void writerOpensAgainAfterARename();
    void writeThroughASymbolicLink();
    void appendAfterALastLineWithoutEnd();
    void linksAndSpecialFiles_data();
    void linksAndSpecialFiles();
    void folderReachedThroughALink();
    void relativePathsAreNeverUsed();
    void leftoverTemporariesRemoved();
    void writerLock_data();
    void writerLock();
    void reasonsInJapanese_data();
    void reasonsInJapanese();
};

void TestFileAccess::resolvePath_data()
{
    QTest::addColumn<QStringList>("present");
    QTest::addColumn<QString>("asked");
    QTest::addColumn<QString>("resolved");

    QTest::newRow("other case found") << QStringList{"TODO.DAT"} << "todo.dat"
                                      << "TODO.DAT";
    QTest::newRow("mixed case found") << QStringList{"Sche.Dat"} << "SCHE.DAT"
                                      << "Sche.Dat";
    QTest::newRow("exact name wins") << QStringList{"SCHE.DAT", "sche.dat", "Sche.dat"} << "sche.dat"
                                     << "sche.dat";
    QTest::newRow("missing: name as given") << QStringList{"todo.dat.bak", "xtodo.dat"} << "todo.dat"
                                            << "todo.dat";
    QTest::newRow("memo name") << QStringList{"~0000042.TXT"} << "~0000042.txt"
                               << "~0000042.TXT";
}

void TestFileAccess::resolvePath()
{
    QFETCH(QStringList, present);
    QFETCH(QString, asked);
    QFETCH(QString, resolved);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    for (const QString& name : present)
        writeBytes(dirOf(dir) + name, name.toUtf8());
    QCOMPARE(::resolvePath(dirOf(dir), asked), dirOf(dir) + resolved);
    QCOMPARE(fileExistsIgnoringCase(dirOf(dir), asked), present.contains(resolved));
}

void TestFileAccess::saveThroughOtherCase()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    writeBytes(dirOf(dir) + "todo.dat", "old\r\n");

    const QString path = ::resolvePath(dirOf(dir), QStringLiteral("TODO.DAT"));
    QVERIFY(writeFile(path, "new\r\n", Locking::Exclusive).ok());
    QCOMPARE(entries(dir.path()), QStringList{"todo.dat"});
    QCOMPARE(readBytes(dirOf(dir) + "todo.dat"), QByteArray("new\r\n"));
    const ReadResult r = readFile(::resolvePath(dirOf(dir), QStringLiteral("Todo.Dat")), Locking::Exclusive);
    QVERIFY(r.ok());
    QCOMPARE(r.bytes, QByteArray("new\r\n"));
}

void TestFileAccess::readFailures_data()
{
    QTest::addColumn<QString>("relative");
    QTest::addColumn<int>("error");

    QTest::newRow("missing file") << "todo.dat" << int(FileError::FileNotFound);
    QTest::newRow("missing folder") << "gone/todo.dat" << int(FileError::PathNotFound);
    QTest::newRow("missing folders") << "gone/deeper/todo.dat" << int(FileError::PathNotFound);
    QTest::newRow("folder is a file") << "plain/todo.dat" << int(FileError::PathNotFound);
}

void TestFileAccess::readFailures()
{
    QFETCH(QString, relative);
    QFETCH(int, error);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    writeBytes(dirOf(dir) + "plain", "x");
    for (Locking l : {Locking::None, Locking::Exclusive}) {
        // Memory handed in to read into never comes back as the file's bytes.
        const ReadResult r = readFile(dirOf(dir) + relative, l, -1, QByteArray(64, 'z'));
        QCOMPARE(int(r.status.error), error);
        QVERIFY(r.bytes.isEmpty());
        QCOMPARE(r.status.path, dirOf(dir) + relative);
    }
}

void TestFileAccess::readIntoMemoryHandedIn_data()
{
    QTest::addColumn<QByteArray>("buffer");
    QTest::addColumn<qint64>("limit");
    QTest::addColumn<bool>("shared");

    QTest::newRow("none") << QByteArray() << qint64(-1) << false;
    QTest::newRow("larger, old bytes in it") << QByteArray(4096, 'z') << qint64(-1) << false;
    QTest::newRow("smaller") << QByteArray(3, 'z') << qint64(-1) << false;
    QTest::newRow("shared with another") << QByteArray(4096, 'z') << qint64(-1) << true;
    QTest::newRow("larger, with a limit") << QByteArray(4096, 'z') << qint64(10) << false;
}

void TestFileAccess::readIntoMemoryHandedIn()
{
    QFETCH(QByteArray, buffer);
    QFETCH(qint64, limit);
    QFETCH(bool, shared);

    QTemporaryDir dir;
    const QByteArray bytes = "@header\r\n2026/12/11\r\n\x93\xfa\x96\x7b\r\n";
    writeBytes(dirOf(dir) + "todo.dat", bytes);
    QByteArray other;
    if (shared)
        other = buffer;
    const ReadResult r = readFile(dirOf(dir) + "todo.dat", Locking::Exclusive, limit, std::move(buffer));
    QVERIFY(r.ok());
    QCOMPARE(r.bytes, limit < 0 ? bytes : bytes.first(limit));
    QCOMPARE(other, shared ? QByteArray(4096, 'z') : QByteArray());
    if (limit < 0)
        QCOMPARE(r.fingerprint.hash, contentHash(bytes));
}

void TestFileAccess::contentHashSeesEveryByte()
{
    // Every length around the 8- and 32-byte steps, every byte changed in
    // turn, and a byte moved to the next place: a different hash each time.
    for (int size = 0; size <= 70; ++size) {
        QByteArray bytes(size, Qt::Uninitialized);
        for (int i = 0; i < size; ++i)
            bytes[i] = char('a' + i % 26);
        const quint64 h = contentHash(bytes);
        QCOMPARE(contentHash(QByteArray(bytes)), h);
        QVERIFY2(contentHash(bytes + '\0') != h, qPrintable(QString::number(size)));
        for (int i = 0; i < size; ++i) {
            QByteArray changed = bytes;
            changed[i] = char(changed[i] ^ 0x01);
            QVERIFY2(contentHash(changed) != h, qPrintable(QStringLiteral("%1 at %2").arg(size).arg(i)));
            if (i + 1 < size) {
                QByteArray swapped = bytes;
                std::swap(swapped[i], swapped[i + 1]);
                QVERIFY2(contentHash(swapped) != h, qPrintable(QStringLiteral("%1 swap %2").arg(size).arg(i)));
            }
        }
    }
}

void TestFileAccess::writeFailures_data()
{
    QTest::addColumn<QString>("relative");
    QTest::addColumn<QList<int>>("errors");   // any of these is right

    const int pathNotFound = int(FileError::PathNotFound);
    QTest::newRow("missing folder") << "gone/todo.dat" << QList<int>{pathNotFound};
    QTest::newRow("folder is a file") << "plain/todo.dat" << QList<int>{pathNotFound, int(FileError::Other)};
    QTest::newRow("target is a folder") << "sub" << QList<int>{int(FileError::Other)};
    QTest::newRow("name too long") << QString(300, 'n') << QList<int>{int(FileError::Other)};
}

void TestFileAccess::writeFailures()
{
    QFETCH(QString, relative);
    QFETCH(QList<int>, errors);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    writeBytes(dirOf(dir) + "plain", "x");
    QVERIFY(QDir(dir.path()).mkdir("sub"));
    const QStringList before = entries(dir.path());
    for (Locking l : {Locking::None, Locking::Exclusive}) {
        const FileStatus s = writeFile(dirOf(dir) + relative, "data\r\n", l);
        QVERIFY2(errors.contains(int(s.error)), qPrintable(QString::number(int(s.error))));
        // Nothing created, no temporary file left, the file in the way untouched.
        QCOMPARE(entries(dir.path()), before);
        QVERIFY(QDir(dirOf(dir) + "sub").isEmpty());
        QCOMPARE(readBytes(dirOf(dir) + "plain"), QByteArray("x"));
    }
}

void TestFileAccess::writeIntoReadOnlyFolder()
{
    // Root may write anywhere it likes in an ordinary folder; sysfs refuses even
    // root, so that case runs everywhere there is a /sys.
    QStringList folders;
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const auto restore = qScopeGuard([&] {
        QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    });
    if (::geteuid() != 0) {
        writeBytes(dirOf(dir) + "todo.dat", "old\r\n");
        QVERIFY(QFile::setPermissions(dir.path(), QFileDevice::ReadOwner | QFileDevice::ExeOwner));
        folders << dirOf(dir);
    }
    if (QFileInfo(QStringLiteral("/sys/kernel")).isDir())
        folders << QStringLiteral("/sys/kernel/");
    if (folders.isEmpty())
        QSKIP("running as root and no /sys: no folder here refuses a write");

    for (const QString& folder : folders) {
        for (Locking l : {Locking::None, Locking::Exclusive}) {
            const FileStatus s = writeFile(folder + "todo.dat", "new\r\n", l);
            QVERIFY2(s.error == FileError::Other, qPrintable(folder + QString::number(int(s.error))));
        }
    }
    if (::geteuid() != 0) {
        QCOMPARE(readBytes(dirOf(dir) + "todo.dat"), QByteArray("old\r\n"));
        QCOMPARE(entries(dir.path()), QStringList{"todo.dat"});
    }
}

void TestFileAccess::writeReplacesAndKeepsMode()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dirOf(dir) + "sche.dat";
    for (Locking l : {Locking::None, Locking::Exclusive}) {
        writeBytes(path, "a much longer old content\r\n");
        QVERIFY(writeFile(path, "short\r\n", l).ok());
        QCOMPARE(readBytes(path), QByteArray("short\r\n"));
        QCOMPARE(entries(dir.path()), QStringList{"sche.dat"});
    }
    // A list file rewritten by its owner keeps the permissions it was given.
    const auto mode =
        QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ReadGroup | QFileDevice::WriteGroup;
    QVERIFY(QFile::setPermissions(path, mode));
    QVERIFY(writeFile(path, "again\r\n", Locking::Exclusive).ok());
    const int ownerGroupOther = 0x7077;
    QCOMPARE(int(QFile::permissions(path)) & ownerGroupOther, int(mode));

    // A write creates a missing file.
    QVERIFY(QFile::remove(path));
    QVERIFY(writeFile(path, "", Locking::Exclusive).ok());
    QVERIFY(QFileInfo(path).isFile());
    QCOMPARE(QFileInfo(path).size(), 0);
}

void TestFileAccess::locks_data()
{
    QTest::addColumn<QString>("mode");
    QTest::addColumn<bool>("readAllowed");

    QTest::newRow("other program writing (OFD lock)") << "ofd-write" << false;
    QTest::newRow("other program reading (OFD lock)") << "ofd-read" << true;
    QTest::newRow("other program writing (POSIX record lock)") << "posix-write" << false;
    QTest::newRow("other program reading (POSIX record lock)") << "posix-read" << true;
}

void TestFileAccess::locks()
{
    QFETCH(QString, mode);
    QFETCH(bool, readAllowed);

    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dirOf(dir) + "todo.dat";
    const QByteArray old = "old content\r\n";
    writeBytes(path, old);

    HeldLock holder(path, mode);
    QVERIFY(holder.isHeld());

    const ReadResult r = readFile(path, Locking::Exclusive);
    if (readAllowed) {
        QVERIFY(r.ok());
        QCOMPARE(r.bytes, old);
    } else {
        QCOMPARE(r.status.error, FileError::PermissionDenied);
        QVERIFY(r.bytes.isEmpty());
    }

    const FileStatus w = writeFile(path, "new content\r\n", Locking::Exclusive);
    QCOMPARE(w.error, FileError::PermissionDenied);
    QCOMPARE(w.path, path);
    QCOMPARE(readBytes(path), old);
    QCOMPARE(entries(dir.path()), QStringList{"todo.dat"});

    QVERIFY(holder.release());
    QVERIFY(writeFile(path, "new content\r\n", Locking::Exclusive).ok());
    const ReadResult after = readFile(path, Locking::Exclusive);
    QVERIFY(after.ok());
    QCOMPARE(after.bytes, QByteArray("new content\r\n"));
    QCOMPARE(entries(dir.path()), QStringList{"todo.dat"});
}

void TestFileAccess::unlockedReadIgnoresLocks()
{
    // The settings and memo files are read without locking: a list writer
    // elsewhere does not keep them from being read.
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dirOf(dir) + "poruka.ini";
    writeBytes(path, "settings\r\n");
    HeldLock holder(path, QStringLiteral("ofd-write"));
    QVERIFY(holder.isHeld());
    const ReadResult r = readFile(path, Locking::None);
    QVERIFY(r.ok());
    QCOMPARE(r.bytes, QByteArray("settings\r\n"));
    QVERIFY(holder.release());
}

// The owner's program renamed a new list over the old one between the reader's
// open and its lock: the reader must read the list the path names now, not the
// old file it happened to open.
void TestFileAccess::readerOpensAgainAfterARename()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dirOf(dir) + "todo.dat";
    writeBytes(path, "old\r\n");
    int renames = 0;
    beforeNextReadLock = [&] {
        writeBytes(dirOf(dir) + "new.tmp", "new\r\n");
        QVERIFY(::rename(QFile::encodeName(dirOf(dir) + "new.tmp").constData(), QFile::encodeName(path).constData()) ==
                0);
        ++renames;
    };
    const ReadResult r = readFile(path, Locking::Exclusive);
    beforeNextReadLock = {};
    QCOMPARE(renames, 1);
    QVERIFY(r.ok());
    QCOMPARE(r.bytes, QByteArray("new\r\n"));
}

// The same for a writer: another copy renames its new version over the list
// between this writer's open and its lock. The writer locks that new version
// and, seeing it is not the one it last read, takes it in before it writes.
void TestFileAccess::writerOpensAgainAfterARename()
{
    QTemporaryDir dir;
    const QString path = dirOf(dir) + "todo.dat";
    writeBytes(path, "old\r\n");
    Fingerprint seen = readFile(path, Locking::Exclusive).fingerprint;
    bool replaced = false;
    setFileCallHook([&](FileCall call, const QByteArray& at) {
        if (call == FileCall::Lock && at.endsWith("todo.dat") && !replaced) {
            writeBytes(dirOf(dir) + "new.tmp", "new\r\n");
            replaced = ::rename(QFile::encodeName(dirOf(dir) + "new.tmp").constData(),
                                QFile::encodeName(path).constData()) == 0;
        }
        return CallAnswer::Make;
    });
    std::optional<QByteArray> takenIn;
    const FileStatus s = rewriteChecked(path, seen, [&](const std::optional<QByteArray>& current) {
        takenIn = current;
        return current.value_or(QByteArray()) + "mine\r\n";
    });
    setFileCallHook({});
    QVERIFY(replaced);
    QVERIFY(s.ok());
    QCOMPARE(takenIn, std::optional<QByteArray>("new\r\n"));
    QCOMPARE(readBytes(path), QByteArray("new\r\nmine\r\n"));
}

// A list kept behind a symbolic link: the file it names is rewritten, the link
// stays a link.
void TestFileAccess::writeThroughASymbolicLink()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString target = dirOf(dir) + "real.dat";
    const QString link = dirOf(dir) + "todo.dat";
    writeBytes(target, "old\r\n");
    QVERIFY(QFile::link(target, link));
    QVERIFY(writeFile(link, "new\r\n", Locking::Exclusive).ok());
    QVERIFY(QFileInfo(link).isSymLink());
    QCOMPARE(readBytes(target), QByteArray("new\r\n"));
    QCOMPARE(entries(dir.path()), (QStringList{"real.dat", "todo.dat"}));
}

// An archive whose last line lost its line end (cut by another program, say):
// the appended record starts on a line of its own.
void TestFileAccess::appendAfterALastLineWithoutEnd()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString path = dirOf(dir) + "todo_kan.dat";
    writeBytes(path, "a\r\nb");
    QVERIFY(appendToFile(path, "c\r\n").ok());
    QCOMPARE(readBytes(path), QByteArray("a\r\nb\r\nc\r\n"));
    QVERIFY(appendToFile(path, "d\r\n").ok());
    QCOMPARE(readBytes(path), QByteArray("a\r\nb\r\nc\r\nd\r\n"));
    // A missing archive is created by the append.
    QVERIFY(appendToFile(dirOf(dir) + "sche_kan.dat", "e\r\n").ok());
    QCOMPARE(readBytes(dirOf(dir) + "sche_kan.dat"), QByteArray("e\r\n"));
}

// A data file that is a link or no regular file. Through a chain of links that
// stays in the file's folder the file at its end is read and rewritten, the
// links left as they are; a link out of the folder, or to anything but a
// regular file, is refused for reading and writing, and nothing changes there.
void TestFileAccess::linksAndSpecialFiles_data()
{
    QTest::addColumn<QString>("setup");
    QTest::addColumn<bool>("allowed");
    QTest::addColumn<int>("refusal");
    QTest::newRow("link to a file beside it") << "link" << true << 0;
    QTest::newRow("two-level chain in the folder") << "chain" << true << 0;
    QTest::newRow("link into a subfolder") << "sub" << true << 0;
    QTest::newRow("link out of the folder") << "out" << false << int(FileRefusal::LinkLeavesFolder);
    QTest::newRow("chain leading out") << "chainOut" << false << int(FileRefusal::LinkLeavesFolder);
    QTest::newRow("link to a device") << "device" << false << int(FileRefusal::NotARegularFile);
    QTest::newRow("link to a FIFO") << "fifoLink" << false << int(FileRefusal::NotARegularFile);
    QTest::newRow("a FIFO itself") << "fifo" << false << int(FileRefusal::NotARegularFile);
    QTest::newRow("link to a folder") << "folder" << false << int(FileRefusal::NotARegularFile);
}

void TestFileAccess::linksAndSpecialFiles()
{
    QFETCH(QString, setup);
    QFETCH(bool, allowed);
    QFETCH(int, refusal);
    QTemporaryDir root;
    QVERIFY(root.isValid());
    const QString data = root.path() + "/data/";
    const QString elsewhere = root.path() + "/elsewhere/";
    QVERIFY(QDir().mkpath(data + "sub") && QDir().mkpath(elsewhere));
    const QString list = data + "todo.dat";
    QString end;   // the file the chain ends at
    const auto link = [](const QString& to, const QString& at) { QVERIFY(QFile::link(to, at)); };
    const auto fifo = [](const QString& at) { QVERIFY(::mkfifo(QFile::encodeName(at).constData(), 0600) == 0); };
    if (setup == "link") {
        end = data + "real.dat";
        link("real.dat", list);
    } else if (setup == "chain") {
        end = data + "real.dat";
        link("l2", list);
        link(end, data + "l2");
    } else if (setup == "sub") {
        end = data + "sub/real.dat";
        link("sub/real.dat", list);
    } else if (setup == "out") {
        end = elsewhere + "yours.txt";
        link(end, list);
    } else if (setup == "chainOut") {
        end = elsewhere + "yours.txt";
        link("l2", list);
        link(end, data + "l2");
    } else if (setup == "device") {
        link("/dev/null", list);
    } else if (setup == "fifoLink") {
        fifo(data + "pipe");
        link("pipe", list);
    } else if (setup == "fifo") {
        fifo(list);
    } else {
        link("sub", list);
    }
    if (!end.isEmpty())
        writeBytes(end, "old\r\n");

    const ReadResult read = readFile(list, Locking::Exclusive);
    const FileStatus written = writeFile(list, "new\r\n", Locking::Exclusive);
    const FileStatus appended = appendToFile(list, "more\r\n");
    if (allowed) {
        QVERIFY(read.ok());
        QCOMPARE(read.bytes, QByteArray("old\r\n"));
        QVERIFY(written.ok());
        QVERIFY(appended.ok());
        QCOMPARE(readBytes(end), QByteArray("new\r\nmore\r\n"));
        QVERIFY(QFileInfo(list).isSymLink());
        if (setup == "chain")
            QVERIFY(QFileInfo(data + "l2").isSymLink());
        return;
    }
    for (const FileStatus& s : {read.status, written, appended}) {
        QCOMPARE(int(s.error), int(FileError::Other));
        QCOMPARE(int(s.refusal), refusal);
        QCOMPARE(s.path, list);
        QVERIFY(!s.detail().isEmpty());
    }
    if (!end.isEmpty())
        QCOMPARE(readBytes(end), QByteArray("old\r\n"));
    QCOMPARE(QFileInfo(list).isSymLink(), setup != "fifo");
    QCOMPARE(QDir(data).entryList({"*.~tmp*"}, QDir::Files | QDir::Hidden).size(), 0);
}

// The data folder itself is reached through a link (a shared drive mounted
// elsewhere, say): its files are used as usual.
void TestFileAccess::folderReachedThroughALink()
{
    QTemporaryDir root;
    QVERIFY(root.isValid());
    QVERIFY(QDir().mkpath(root.path() + "/real"));
    QVERIFY(QFile::link(root.path() + "/real", root.path() + "/data"));
    writeBytes(root.path() + "/real/real.dat", "old\r\n");
    QVERIFY(QFile::link("real.dat", root.path() + "/real/todo.dat"));
    const QString list = root.path() + "/data/todo.dat";
    QVERIFY(readFile(list, Locking::Exclusive).ok());
    QVERIFY(writeFile(list, "new\r\n", Locking::Exclusive).ok());
    QCOMPARE(readBytes(root.path() + "/real/real.dat"), QByteArray("new\r\n"));
}

// An empty or damaged folder setting must never put files wherever the
// program was started.
void TestFileAccess::relativePathsAreNeverUsed()
{
    QTemporaryDir cwd;
    QVERIFY(cwd.isValid());
    const QString before = QDir::currentPath();
    QDir::setCurrent(cwd.path());
    const auto back = qScopeGuard([&] { QDir::setCurrent(before); });
    writeBytes(cwd.path() + "/todo.dat", "here\r\n");
    for (const QString& path : {QStringLiteral("todo.dat"), QStringLiteral("new.dat"), QStringLiteral("")}) {
        QCOMPARE(int(readFile(path, Locking::Exclusive).status.error), int(FileError::PathNotFound));
        QCOMPARE(int(writeFile(path, "x", Locking::Exclusive).error), int(FileError::PathNotFound));
        QCOMPARE(int(appendToFile(path, "x").error), int(FileError::PathNotFound));
        QCOMPARE(int(removeFile(path).error), int(FileError::PathNotFound));
    }
    QCOMPARE(entries(cwd.path()), QStringList{"todo.dat"});
    QCOMPARE(readBytes(cwd.path() + "/todo.dat"), QByteArray("here\r\n"));
}

// What a kill during a save leaves beside a file goes at the next start, but
// only what is provably abandoned: a temporary of a process of this computer
// that has ended, or one of another computer (or of an earlier version) that
// nobody has touched for an hour. A write going on now keeps its temporary,
// also on a folder another computer writes through a mount where locks do not
// reach.
void TestFileAccess::leftoverTemporariesRemoved()
{
    QTemporaryDir dir;
    QVERIFY(dir.isValid());
    const QString d = dirOf(dir);
    const QString machine = writerTag().section('-', 0, 0);
    QProcess ended;
    ended.start(QStringLiteral("true"));
    QVERIFY(ended.waitForFinished(10000));
    const QString deadTag = machine + '-' + QString::number(ended.processId());
    const QString liveTag = writerTag();
    const QString otherTag = QStringLiteral("0123456789ab-4242");
    const QDateTime twoHoursAgo = QDateTime::currentDateTime().addSecs(-7200);

    const QStringList gone{"todo.dat.~tmp-" + deadTag + "-Ab12Cd", "TODO.DAT.~tmp-" + deadTag + "-zzzzzz"};
    const QStringList goneOld{"SCHE.DAT.~tmp000000", "todo.dat.~tmp-" + otherTag + "-Q1w2E3"};
    const QStringList kept{"todo.dat",
                           "todo.dat.~tmp-" + liveTag + "-LIVE01",
                           "todo.dat.~tmp-" + otherTag + "-NOW123",
                           "SCHE.DAT.~tmpNOW456",
                           "todo.dat.~tmpAb12",
                           "other.dat.~tmp-" + deadTag + "-Ab12Cd",
                           "sche.dat.bak"};
    for (const QString& name : gone + goneOld + kept)
        writeBytes(d + name, "x");
    for (const QString& name : goneOld) {
        QFile f(d + name);
        QVERIFY(f.open(QIODevice::ReadWrite));
        QVERIFY(f.setFileTime(twoHoursAgo, QFileDevice::FileModificationTime));
    }
    const auto lists = [](const QString& name) {
        return name.compare("todo.dat", Qt::CaseInsensitive) == 0 || name.compare("SCHE.DAT", Qt::CaseInsensitive) == 0;
    };
    QCOMPARE(removeLeftoverTemporaries(d, lists), gone.size() + goneOld.size());
    QStringList expected = kept;
    expected.sort();
    QCOMPARE(entries(dir.path()), expected);
}

// One writer at a time through a lock file beside the list, also where file
// locks do not reach: held, it says "in use"; left behind by a holder that
// ended it is taken over (at once for a process of this computer, after an
// age for another computer's); gone with its holder.
void TestFileAccess::writerLock_data()
{
    QTest::addColumn<QByteArray>("holder");   // "dead", "live" or a lock file's content
    QTest::addColumn<int>("ageSecs");
    QTest::addColumn<bool>("taken");
    QTest::newRow("a process of this computer that ended") << QByteArray("dead") << 0 << true;
    QTest::newRow("a process of this computer at work") << QByteArray("live") << 0 << false;
    QTest::newRow("another computer, just now") << QByteArray("0123456789ab-42 other 1\n") << 5 << false;
    QTest::newRow("another computer, long ago") << QByteArray("0123456789ab-42 other 1\n") << 600 << true;
    QTest::newRow("no holder written, just now") << QByteArray() << 5 << false;
    QTest::newRow("no holder written, long ago") << QByteArray() << 600 << true;
}

void TestFileAccess::writerLock()
{
    QFETCH(QByteArray, holder);
    QFETCH(int, ageSecs);
    QFETCH(bool, taken);
    QTemporaryDir dir;
    const QString list = dirOf(dir) + "todo.dat";
    writeBytes(list, "x\r\n");
    QProcess ended;
    ended.start(QStringLiteral("true"));
    QVERIFY(ended.waitForFinished(10000));
    const QByteArray machine = writerTag().section('-', 0, 0).toUtf8();
    if (holder == "dead")
        holder = machine + '-' + QByteArray::number(ended.processId()) + " here 1\n";
    else if (holder == "live")
        holder = writerTag().toUtf8() + " here 1\n";
    writeBytes(list + ".~lock", holder);
    QFile f(list + ".~lock");
    QVERIFY(f.open(QIODevice::ReadWrite));
    QVERIFY(f.setFileTime(QDateTime::currentDateTime().addSecs(-ageSecs), QFileDevice::FileModificationTime));
    f.close();

    {
        const WriterLock lock(list);
        QCOMPARE(lock.held(), taken);
        if (!taken)
            QCOMPARE(lock.failure().error, FileError::PermissionDenied);
        else
            QVERIFY(readBytes(list + ".~lock").startsWith(writerTag().toUtf8()));
        Fingerprint seen;
        const FileStatus s = rewriteChecked(list, seen, [](const auto&) { return QByteArray("y\r\n"); });
        QCOMPARE(s.error, FileError::PermissionDenied);   // held: by this one or the other
    }
    QCOMPARE(QFileInfo::exists(list + ".~lock"), !taken);
    QVERIFY(QDir(dirOf(dir)).entryList({"*stale*"}, QDir::Files | QDir::Hidden).isEmpty());
}

void TestFileAccess::reasonsInJapanese_data()
{
    QTest::addColumn<int>("err");
    QTest::addColumn<QString>("reason");
    QTest::newRow("disk full") << ENOSPC << "ディスクの空き容量が足りません";
    QTest::newRow("no permission") << EACCES << "アクセスする権限がありません";
    QTest::newRow("read-only") << EROFS << "読み取り専用の場所です";
    QTest::newRow("a folder") << EISDIR << "ファイルではなくフォルダです";
    QTest::newRow("too many links") << ELOOP << "リンクが多すぎます";
    QTest::newRow("I/O error") << EIO << "読み書きの際に装置のエラーが起きました";
    QTest::newRow("too large") << EFBIG << "ファイルが大きすぎます";
}

void TestFileAccess::reasonsInJapanese()
{
    QFETCH(int, err);
    FileStatus s;
    s.error = FileError::Other;
    s.sysError = err;
    QTEST(s.detail(), "reason");
}

PORUKA_TEST_MAIN(TestFileAccess)
#include "test_file_access.moc"
