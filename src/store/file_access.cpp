#include "store/file_access.h"

#include "store/file_calls.h"
#include "store/file_system.h"
#include "store/writer_lock.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

#include <cerrno>
#include <climits>
#include <csignal>
#include <cstdlib>
#include <cstring>
#include <ctime>
#include <fcntl.h>
#include <optional>
#include <sys/stat.h>
#include <unistd.h>

using fs::Fd;
using fs::local;

namespace {

bool isFolder(const QString& path)
{
    struct stat st { };
    return fs::stat(local(path), st) && S_ISDIR(st.st_mode);
}

// Classifies errno from open(): a missing folder and a missing file are told apart
// by looking at the folder.
FileStatus failure(const QString& path, int err)
{
    FileStatus s;
    s.path = path;
    s.sysError = err;
    switch (err) {
    case ENOENT:
    case ENOTDIR:
        s.error = isFolder(QFileInfo(path).absolutePath()) ? FileError::FileNotFound : FileError::PathNotFound;
        break;
    case EACCES:
    case EPERM:
        // A file or folder we may not read or write is no collision: retrying
        // after the user's OK would never help. Only a lock held by another
        // program (EAGAIN below) is "in use".
        s.error = FileError::Other;
        break;
    case EAGAIN:
    case EBUSY:
    case ETXTBSY:
        s.error = FileError::PermissionDenied;
        break;
    default:
        s.error = FileError::Other;
    }
    return s;
}

FileStatus refused(const QString& path, FileRefusal refusal)
{
    FileStatus s;
    s.error = FileError::Other;
    s.path = path;
    s.refusal = refusal;
    return s;
}

FileStatus succeeded(const QString& path)
{
    FileStatus ok;
    ok.path = path;
    return ok;
}

// The folder a path names, with every link in it resolved; empty when it
// does not exist.
QString realFolder(const QString& folder)
{
    QByteArray resolved;
    if (!fs::realpath(local(folder), resolved))
        return {};
    return QFile::decodeName(resolved);
}

bool isWithin(const QString& folder, const QString& inner)
{
    return inner == folder || inner.startsWith(folder.endsWith(QLatin1Char('/')) ? folder : folder + QLatin1Char('/'));
}

// Where a read or write of `path` really goes: the end of its chain of
// symbolic links, checked as the header describes. The status is not ok when
// the access is refused (or the chain is too long).
struct Target {
    QString path;
    FileStatus problem;
};

Target accessTarget(const QString& path)
{
    // Never a file relative to wherever the program was started from: a folder
    // that is no absolute path (an empty or damaged setting) is a missing one.
    if (!QDir::isAbsolutePath(path)) {
        FileStatus s;
        s.error = FileError::PathNotFound;
        s.path = path;
        return {path, s};
    }
    QString current = path;
    struct stat st { };
    // One look at each name on the way: the last tells whether the file is there.
    bool exists = fs::lstat(local(current), st);
    for (int hop = 0; exists && S_ISLNK(st.st_mode); ++hop) {
        if (hop >= 32)
            return {path, failure(path, ELOOP)};
        QByteArray link;
        if (!fs::readlink(local(current), link))
            return {path, failure(path, errno)};
        const QString next = QFile::decodeName(link);
        current = QDir::isAbsolutePath(next) ? next : QFileInfo(current).absolutePath() + QLatin1Char('/') + next;
        exists = fs::lstat(local(current), st);
    }
    if (exists && !S_ISREG(st.st_mode))
        return {path, refused(path, FileRefusal::NotARegularFile)};
    if (current != path) {
        const QString home = realFolder(QFileInfo(path).absolutePath());
        const QString there = realFolder(QFileInfo(current).absolutePath());
        if (home.isEmpty() || there.isEmpty() || !isWithin(home, there))
            return {path, refused(path, FileRefusal::LinkLeavesFolder)};
    }
    return {current, {}};
}

Fingerprint fingerprintOf(const struct stat& st, QByteArrayView bytes)
{
    Fingerprint f;
    f.device = quint64(st.st_dev);
    f.inode = quint64(st.st_ino);
    f.size = qint64(st.st_size);
    f.modifiedNs = qint64(st.st_mtim.tv_sec) * 1000000000 + st.st_mtim.tv_nsec;
    f.hash = contentHash(bytes);
    // Whole seconds only: two versions within a second would look the same.
    f.wholeSeconds = st.st_mtim.tv_nsec == 0;
    return f;
}

bool sameFile(const struct stat& a, const struct stat& b) { return a.st_ino == b.st_ino && a.st_dev == b.st_dev; }

// Opens `path` and takes a whole-file lock of `type` on it, again and again
// until the file locked is the one the path names: a writer renames its new
// version over the old one, and a lock on the old one would guard nothing.
// `flags` are open()'s; `opened` gets the locked file's stat.
struct Locked {
    std::optional<Fd> fd;
    struct stat st { };
    FileStatus status;
};

Locked openLocked(const QString& path, const QString& requestedPath, int flags, short type)
{
    Locked l;
    for (int attempt = 0;; ++attempt) {
        // O_NONBLOCK never blocks on a FIFO swapped in meanwhile; no effect on a regular file.
        l.fd.emplace(fs::open(local(path), flags | O_CLOEXEC | O_NONBLOCK, 0666), local(path));
        if (l.fd->get() < 0) {
            l.status = failure(requestedPath, errno);
            return l;
        }
        if (!fs::fstat(l.fd->get(), local(path), l.st) || !S_ISREG(l.st.st_mode)) {
            l.status = refused(requestedPath, FileRefusal::NotARegularFile);
            return l;
        }
        if (type == F_UNLCK)
            return l;
        if (!fs::lockWhole(l.fd->get(), local(path), type)) {
            l.status = failure(requestedPath, errno == EACCES ? EAGAIN : errno);
            return l;
        }
        struct stat named { };
        if (!fs::stat(local(path), named) || sameFile(l.st, named) || attempt >= 10)
            return l;
    }
}

}   // namespace

// The computer (its machine id) and the process: the leftovers of a write cut
// short can then be told from a write going on now, also on a shared folder.
namespace {

thread_local QString threadWriterTag;

}   // namespace

void setThreadWriterTag(const QString& tag) { threadWriterTag = tag; }

const QString& writerTag()
{
    if (!threadWriterTag.isEmpty())
        return threadWriterTag;
    static const QString tag = [] {
        QString machine;
        for (const char* file : {"/etc/machine-id", "/var/lib/dbus/machine-id"}) {
            QFile f(QString::fromLatin1(file));
            if (f.open(QIODevice::ReadOnly)) {
                machine = QString::fromLatin1(f.readAll().trimmed().left(12)).toLower();
                break;
            }
        }
        static const QRegularExpression hex(QStringLiteral("^[0-9a-f]{12}$"));
        if (!hex.match(machine).hasMatch())
            machine = QStringLiteral("000000000000");
        return machine + QLatin1Char('-') + QString::number(::getpid());
    }();
    return tag;
}

namespace {

bool processAlive(qint64 pid) { return pid > 0 && (::kill(pid_t(pid), 0) == 0 || errno == EPERM); }

QString thisMachine() { return writerTag().section(QLatin1Char('-'), 0, 0); }

}   // namespace

FileStatus fileFailure(const QString& path, int err) { return failure(path, err); }

bool isEndedProcessOfThisComputer(const QString& tag)
{
    return tag.section(QLatin1Char('-'), 0, 0) == thisMachine() &&
        !processAlive(tag.section(QLatin1Char('-'), 1, 1).toLongLong());
}

QString FileStatus::detail() const
{
    switch (refusal) {
    case FileRefusal::LinkLeavesFolder:
        return QStringLiteral("リンク先がデータのフォルダの外にあるため、使用できません");
    case FileRefusal::NotARegularFile:
        return QStringLiteral("通常のファイルではないため、使用できません");
    case FileRefusal::None:
        break;
    }
    switch (sysError) {
    case 0:
        return {};
    case ENOSPC:
        return QStringLiteral("ディスクの空き容量が足りません");
    case EDQUOT:
        return QStringLiteral("ディスクの使用量の上限を超えています");
    case EACCES:
    case EPERM:
        return QStringLiteral("アクセスする権限がありません");
    case EROFS:
        return QStringLiteral("読み取り専用の場所です");
    case EISDIR:
        return QStringLiteral("ファイルではなくフォルダです");
    case ELOOP:
    case EMLINK:
        return QStringLiteral("リンクが多すぎます");
    case EIO:
        return QStringLiteral("読み書きの際に装置のエラーが起きました");
    case EFBIG:
        return QStringLiteral("ファイルが大きすぎます");
    default:
        break;
    }
    return QString::fromLocal8Bit(std::strerror(sysError));
}

QChar dirSeparator() { return QDir::separator(); }

QString withTrailingSeparator(const QString& dir)
{
    if (dir.endsWith(dirSeparator()) || dir.endsWith(QLatin1Char('/')))
        return dir;
    return dir + dirSeparator();
}

QString programFile(const QString& programDir, const QString& name) { return withTrailingSeparator(programDir) + name; }

QString resolvePath(const QString& dir, const QString& name)
{
    const QString exact = dir + name;
    struct stat st { };
    if (fs::lstat(local(exact), st))
        return exact;
    QList<QByteArray> entries;
    if (!fs::listFolder(local(dir), entries))
        return exact;
    const QByteArray wanted = local(name);
    for (const QByteArray& e : entries) {
        if (e.size() == wanted.size() && e.compare(wanted, Qt::CaseInsensitive) == 0)
            return dir + QFile::decodeName(e);
    }
    return exact;
}

bool fileExistsIgnoringCase(const QString& dir, const QString& name)
{
    // The name as given first: one call when it is there, as it nearly always is.
    struct stat st { };
    if (fs::stat(local(dir + name), st))
        return S_ISREG(st.st_mode);
    return fs::stat(local(resolvePath(dir, name)), st) && S_ISREG(st.st_mode);
}

bool fileExists(const QString& path)
{
    struct stat st { };
    return fs::stat(local(path), st);
}

ReadResult readFile(const QString& requestedPath, Locking locking, qint64 limit, QByteArray buffer)
{
    ReadResult r;
    const Target target = accessTarget(requestedPath);
    if (!target.problem.ok()) {
        r.status = target.problem;
        return r;
    }
    // A writer renames its new file over the old one; a reader that opened the old
    // one just before would lock and read a file that is no longer the list.
    const Locked l =
        openLocked(target.path, requestedPath, O_RDONLY, locking == Locking::Exclusive ? F_RDLCK : F_UNLCK);
    if (!l.status.ok()) {
        r.status = l.status;
        return r;
    }
    r.bytes = std::move(buffer);
    if (limit >= 0 && l.st.st_size > limit) {
        r.bytes.resize(limit);
        if (!fs::readAt(l.fd->get(), local(target.path), r.bytes.data(), limit, 0)) {
            r.status = failure(requestedPath, errno);
            r.bytes.clear();
            return r;
        }
        r.cut = true;
        r.status.path = requestedPath;
        return r;
    }
    if (!fs::readWhole(l.fd->get(), local(target.path), l.st.st_size, r.bytes)) {
        r.status = failure(requestedPath, errno);
        r.bytes.clear();
        return r;
    }
    // The size read, with the stat taken before: a file that grew or shrank
    // meanwhile (only a program that writes in place does that) gets the size read.
    struct stat st = l.st;
    st.st_size = r.bytes.size();
    r.fingerprint = fingerprintOf(st, r.bytes);
    r.status.path = requestedPath;
    return r;
}

namespace {

// The one way a file is rewritten: the target (created if missing) held under
// a write lock, when asked, while the new content, which contentFor gives
// once the lock is held, goes into a temporary file beside it, synced and
// renamed over it. Nothing is written when contentFor gives nothing.
FileStatus rewrite(const QString& requestedPath, Locking locking,
                   const std::function<std::optional<QByteArray>(const Locked* target, FileStatus& failed)>& contentFor,
                   Fingerprint* written, const WriterLock* writer = nullptr)
{
    // A list kept behind a symbolic link stays a link: the file it names is replaced.
    const Target resolved = accessTarget(requestedPath);
    if (!resolved.problem.ok())
        return resolved.problem;
    const QString& path = resolved.path;
    const QByteArray localPath = local(path);

    std::optional<Locked> target;
    if (locking == Locking::Exclusive) {
        target.emplace(openLocked(path, requestedPath, O_RDWR | O_CREAT, F_WRLCK));
        if (!target->status.ok())
            return target->status;
    } else if (!isFolder(QFileInfo(path).absolutePath())) {
        return failure(path, ENOENT);
    }
    FileStatus failed;
    const std::optional<QByteArray> bytes = contentFor(target ? &*target : nullptr, failed);
    if (!bytes) {
        failed.path = requestedPath;
        return failed;
    }

    QByteArray tmpName = local(path + QStringLiteral(".~tmp-") + writerTag() + QStringLiteral("-XXXXXX"));
    Fd tmp(fs::mkstemp(tmpName), tmpName);
    if (tmp.get() < 0)
        return failure(path, errno);
    // The new file keeps the old one's permissions.
    struct stat st { };
    if (target)
        st = target->st;
    if (target || fs::stat(localPath, st))
        fs::fchmod(tmp.get(), tmpName, st.st_mode & 07777);
    else
        fs::fchmod(
            tmp.get(), tmpName, 0666 & ~[] {
                const mode_t m = ::umask(0);
                ::umask(m);
                return m;
            }());

    if (!fs::writeAll(tmp.get(), tmpName, *bytes) || !fs::fsync(tmp.get(), tmpName)) {
        const int err = errno;
        fs::unlink(tmpName);
        return failure(path, err);
    }
    struct stat done { };
    if (written && fs::fstat(tmp.get(), tmpName, done))
        *written = fingerprintOf(done, *bytes);
    // A writer that stalled so long that another took its lock over must not
    // put its version over the other's.
    if (writer && !writer->stillHeld()) {
        fs::unlink(tmpName);
        return fileFailure(requestedPath, EAGAIN);
    }
    if (!fs::close(tmp.release(), tmpName) || !fs::rename(tmpName, localPath)) {
        const int err = errno;
        fs::unlink(tmpName);
        return failure(path, err);
    }
    // Make the rename itself durable.
    fs::syncFolder(local(QFileInfo(path).absolutePath()));
    return succeeded(path);
}

}   // namespace

quint64 bytesHash(QByteArrayView bytes)
{
    quint64 h = 14695981039346656037ULL;
    for (const char c : bytes) {
        h ^= static_cast<unsigned char>(c);
        h *= 1099511628211ULL;
    }
    return h;
}

FileStatus writeFile(const QString& requestedPath, const QByteArray& bytes, Locking locking)
{
    return rewrite(
        requestedPath, locking, [&](const Locked*, FileStatus&) { return std::optional<QByteArray>(bytes); }, nullptr);
}

bool isUnchanged(const QString& path, const Fingerprint& seen)
{
    if (!seen.isKnown())
        return false;
    // One stat (following a link to the list): the look that finds nothing
    // changed, over a slow share, costs no more. What is read afterwards is
    // checked as every read is.
    struct stat st { };
    if (!fs::stat(local(path), st) || !S_ISREG(st.st_mode))
        return false;
    Fingerprint now = fingerprintOf(st, {});
    if (!now.sameStat(seen))
        return false;
    if (!seen.wholeSeconds)
        return true;
    const ReadResult r = readFile(path, Locking::None);
    return r.ok() && contentHash(r.bytes) == seen.hash;
}

FileStatus rewriteChecked(const QString& path, Fingerprint& seen,
                          const std::function<QByteArray(const std::optional<QByteArray>& current)>& produce)
{
    // One writer at a time, also where file locks do not reach from one
    // computer to another: the lock file first, then the file lock.
    const WriterLock writer(path);
    if (!writer.held())
        return writer.failure();
    Fingerprint written;
    const FileStatus s = rewrite(
        path, Locking::Exclusive,
        [&](const Locked* target, FileStatus& failed) -> std::optional<QByteArray> {
            // The file's bytes, whatever its attributes say: a network mount
            // may show a size and time it cached before another copy's write.
            QByteArray bytes;
            if (!fs::readWhole(target->fd->get(), local(path), target->st.st_size, bytes)) {
                failed = failure(path, errno);
                return std::nullopt;
            }
            // No version known, or an empty file (created just now, or emptied;
            // no program writes a list without its header): nothing to take in.
            if (!seen.isKnown() || bytes.isEmpty() || contentHash(bytes) == seen.hash)
                return produce(std::nullopt);
            return produce(std::move(bytes));
        },
        &written, &writer);
    if (s.ok())
        seen = written;
    return s;
}

FileStatus appendToFile(const QString& requestedPath, const QByteArray& bytes)
{
    const Target resolved = accessTarget(requestedPath);
    if (!resolved.problem.ok())
        return resolved.problem;
    const QByteArray path = local(resolved.path);
    // Nobody reads the file half appended to.
    const Locked l = openLocked(resolved.path, requestedPath, O_RDWR | O_APPEND | O_CREAT, F_WRLCK);
    if (!l.status.ok())
        return l.status;
    const int fd = l.fd->get();
    // A file whose last line has no line end must not glue it to the first new line.
    const off_t size = l.st.st_size;
    char last = '\n';
    if (size > 0 && !fs::readAt(fd, path, &last, 1, size - 1))
        return failure(requestedPath, errno);
    const QByteArray out = last == '\n' ? bytes : "\r\n" + bytes;
    if (!fs::writeAll(fd, path, out) || !fs::fsync(fd, path)) {
        // A full disk may have taken part of it: the file goes back to what it
        // was, so it never ends in half a record.
        const int err = errno;
        if (fs::ftruncate(fd, path, size))
            fs::fsync(fd, path);
        return failure(requestedPath, err);
    }
    return succeeded(requestedPath);
}

FileStatus copyFile(const QString& from, const QString& to)
{
    const ReadResult r = readFile(from, Locking::None);
    if (!r.ok())
        return r.status;
    return writeFile(to, r.bytes, Locking::None);
}

namespace {

// A temporary file of ours: "<name>.~tmp-<machine>-<pid>-XXXXXX", or, from
// earlier versions, "<name>.~tmpXXXXXX".
struct TemporaryName {
    QString base;
    QString machine;   // empty for an earlier version's
    qint64 pid = 0;
};

std::optional<TemporaryName> parseTemporary(const QString& entry)
{
    static const QRegularExpression pattern(
        QStringLiteral("^(.+)\\.~tmp(?:-([0-9a-f]{12})-([0-9]{1,10})-)?[A-Za-z0-9]{6}$"));
    const QRegularExpressionMatch m = pattern.match(entry);
    if (!m.hasMatch())
        return std::nullopt;
    return TemporaryName{m.captured(1), m.captured(2), m.captured(3).toLongLong()};
}

// Older than any write lasts, by far, also with some difference between the
// clocks of two computers.
constexpr qint64 kSurelyDeadAfterSecs = 3600;

}   // namespace

int removeLeftoverTemporaries(const QString& dir, const std::function<bool(const QString& name)>& belongs)
{
    int removed = 0;
    QList<QByteArray> entries;
    if (!fs::listFolder(local(dir), entries))
        return 0;
    for (const QByteArray& raw : entries) {
        const QString entry = QFile::decodeName(raw);
        const std::optional<TemporaryName> tmp = parseTemporary(entry);
        if (!tmp || !belongs(tmp->base))
            continue;
        const QByteArray path = local(dir + entry);
        struct stat st { };
        if (!fs::lstat(path, st) || !S_ISREG(st.st_mode))
            continue;
        const bool ours = tmp->machine == thisMachine();
        if (ours && !isEndedProcessOfThisComputer(tmp->machine + QLatin1Char('-') + QString::number(tmp->pid)))
            continue;   // a copy on this computer is writing it now
        if (!ours && qint64(std::time(nullptr)) - qint64(st.st_mtim.tv_sec) < kSurelyDeadAfterSecs)
            continue;   // another computer's (or an earlier version's): maybe being written now
        if (fs::unlink(path))
            ++removed;
    }
    return removed;
}

FileStatus claimFile(const QString& path)
{
    if (!QDir::isAbsolutePath(path))
        return failure(path, ENOENT);
    Fd fd(fs::open(local(path), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666), local(path));
    if (fd.get() < 0)
        return failure(path, errno);
    return succeeded(path);
}

FileStatus removeFile(const QString& path)
{
    if (!QDir::isAbsolutePath(path)) {
        FileStatus s;
        s.error = FileError::PathNotFound;
        s.path = path;
        return s;
    }
    if (!fs::unlink(local(path)))
        return failure(path, errno);
    return succeeded(path);
}

FileStatus renameFile(const QString& from, const QString& to)
{
    if (!QDir::isAbsolutePath(from) || !QDir::isAbsolutePath(to))
        return failure(from, ENOENT);
    if (!fs::rename(local(from), local(to)))
        return failure(from, errno);
    fs::syncFolder(local(QFileInfo(to).absolutePath()));
    return succeeded(to);
}

qint64 fileSize(const QString& path)
{
    struct stat st { };
    return fs::stat(local(path), st) && S_ISREG(st.st_mode) ? qint64(st.st_size) : -1;
}
