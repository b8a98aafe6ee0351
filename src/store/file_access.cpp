#include "store/file_access.h"

#include <QDir>
#include <QFileInfo>
#include <QRegularExpression>

#include <algorithm>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <optional>
#include <cstring>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace {

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
        s.error = QFileInfo(QFileInfo(path).absolutePath()).isDir() ? FileError::FileNotFound
                                                                      : FileError::PathNotFound;
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

// Holds a file descriptor and closes it (releasing its locks) when done.
class Fd {
public:
    explicit Fd(int fd) : fd_(fd) {}
    ~Fd()
    {
        if (fd_ >= 0)
            ::close(fd_);
    }
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    int get() const { return fd_; }
    int release()
    {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
};

// A whole-file lock on an open file description, taken without waiting. These
// locks belong to the open file, not the process, and conflict with the classic
// record locks other programs take, also over NFS.
bool lockWhole(int fd, short type)
{
    struct flock fl {};
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = 0;
    fl.l_len = 0;
    fl.l_pid = 0;
    return ::fcntl(fd, F_OFD_SETLK, &fl) == 0;
}

bool writeAll(int fd, const QByteArray& bytes)
{
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        const ssize_t n = ::write(fd, p, size_t(left));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        p += n;
        left -= n;
    }
    return true;
}

QByteArray local(const QString& path) { return QFile::encodeName(path); }

FileStatus refused(const QString& path, FileRefusal refusal)
{
    FileStatus s;
    s.error = FileError::Other;
    s.path = path;
    s.refusal = refusal;
    return s;
}

// The folder a path names, with every link in it resolved; empty when it
// does not exist.
QString realFolder(const QString& folder)
{
    char buf[PATH_MAX];
    if (!::realpath(local(folder).constData(), buf))
        return {};
    return QFile::decodeName(buf);
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
    struct stat st {};
    for (int hop = 0; ::lstat(local(current).constData(), &st) == 0 && S_ISLNK(st.st_mode); ++hop) {
        if (hop >= 32)
            return {path, failure(path, ELOOP)};
        char buf[PATH_MAX];
        const ssize_t n = ::readlink(local(current).constData(), buf, sizeof buf - 1);
        if (n < 0)
            return {path, failure(path, errno)};
        const QString next = QFile::decodeName(QByteArray(buf, n));
        current = QDir::isAbsolutePath(next) ? next : QFileInfo(current).absolutePath() + QLatin1Char('/') + next;
    }
    const bool exists = ::lstat(local(current).constData(), &st) == 0;
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
    // Whole seconds only: two versions within a second would look the same.
    if (st.st_mtim.tv_nsec == 0)
        f.hash = bytesHash(bytes);
    return f;
}

bool readWhole(int fd, QByteArray& out)
{
    struct stat st {};
    if (::fstat(fd, &st) == 0 && st.st_size > 0)
        out.reserve(qsizetype(st.st_size));
    char buf[1 << 16];
    for (off_t at = 0;;) {
        const ssize_t n = ::pread(fd, buf, sizeof buf, at);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            return false;
        }
        if (n == 0)
            return true;
        out.append(buf, n);
        at += n;
    }
}

}  // namespace

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
    case 0: return {};
    case ENOSPC: return QStringLiteral("ディスクの空き容量が足りません");
    case EDQUOT: return QStringLiteral("ディスクの使用量の上限を超えています");
    case EACCES:
    case EPERM: return QStringLiteral("アクセスする権限がありません");
    case EROFS: return QStringLiteral("読み取り専用の場所です");
    case EISDIR: return QStringLiteral("ファイルではなくフォルダです");
    case ELOOP:
    case EMLINK: return QStringLiteral("リンクが多すぎます");
    case EIO: return QStringLiteral("読み書きの際に装置のエラーが起きました");
    case EFBIG: return QStringLiteral("ファイルが大きすぎます");
    default: break;
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

QString programFile(const QString& programDir, const QString& name)
{
    return withTrailingSeparator(programDir) + name;
}

QString resolvePath(const QString& dir, const QString& name)
{
    const QString exact = dir + name;
    if (QFileInfo::exists(exact))
        return exact;
    const QDir d(dir);
    const QStringList entries = d.entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& e : entries) {
        if (e.size() == name.size() && e.compare(name, Qt::CaseInsensitive) == 0)
            return dir + e;
    }
    return exact;
}

bool fileExistsIgnoringCase(const QString& dir, const QString& name)
{
    return QFileInfo(resolvePath(dir, name)).isFile();
}

ReadResult readFile(const QString& requestedPath, Locking locking)
{
    ReadResult r;
    const Target target = accessTarget(requestedPath);
    if (!target.problem.ok()) {
        r.status = target.problem;
        return r;
    }
    const QString& path = target.path;
    // A writer renames its new file over the old one; a reader that opened the old
    // one just before would lock and read a file that is no longer the list.
    // Opening again until the locked file is the one the path names avoids that.
    std::optional<Fd> fd;
    for (int attempt = 0;; ++attempt) {
        // Never blocks on a FIFO swapped in meanwhile; no effect on a regular file.
        fd.emplace(::open(local(path).constData(), O_RDONLY | O_CLOEXEC | O_NONBLOCK));
        if (fd->get() < 0) {
            r.status = failure(requestedPath, errno);
            return r;
        }
        struct stat opened {};
        if (::fstat(fd->get(), &opened) != 0 || !S_ISREG(opened.st_mode)) {
            r.status = refused(requestedPath, FileRefusal::NotARegularFile);
            return r;
        }
        if (locking == Locking::None)
            break;
        if (!lockWhole(fd->get(), F_RDLCK)) {
            r.status = failure(requestedPath, errno == EACCES ? EAGAIN : errno);
            return r;
        }
        struct stat locked {}, named {};
        if (::fstat(fd->get(), &locked) != 0 || ::stat(local(path).constData(), &named) != 0 ||
            (locked.st_ino == named.st_ino && locked.st_dev == named.st_dev) || attempt >= 10)
            break;
    }
    if (!readWhole(fd->get(), r.bytes)) {
        r.status = failure(requestedPath, errno);
        r.bytes.clear();
        return r;
    }
    struct stat st {};
    if (::fstat(fd->get(), &st) == 0)
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
                   const std::function<std::optional<QByteArray>(int lockedFd, FileStatus& failed)>& contentFor,
                   Fingerprint* written)
{
    // A list kept behind a symbolic link stays a link: the file it names is replaced.
    const Target resolved = accessTarget(requestedPath);
    if (!resolved.problem.ok())
        return resolved.problem;
    const QString& path = resolved.path;

    std::optional<Fd> target;
    if (locking == Locking::Exclusive) {
        target.emplace(::open(local(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666));
        if (target->get() < 0)
            return failure(requestedPath, errno);
        struct stat opened {};
        if (::fstat(target->get(), &opened) != 0 || !S_ISREG(opened.st_mode))
            return refused(requestedPath, FileRefusal::NotARegularFile);
        if (!lockWhole(target->get(), F_WRLCK))
            return failure(requestedPath, errno == EACCES ? EAGAIN : errno);
    } else if (!QFileInfo(QFileInfo(path).absolutePath()).isDir()) {
        return failure(path, ENOENT);
    }
    FileStatus failed;
    const std::optional<QByteArray> bytes = contentFor(target ? target->get() : -1, failed);
    if (!bytes) {
        failed.path = requestedPath;
        return failed;
    }

    const QByteArray tmpl = local(path + QStringLiteral(".~tmpXXXXXX"));
    QByteArray tmpName = tmpl;
    Fd tmp(::mkstemp(tmpName.data()));
    if (tmp.get() < 0)
        return failure(path, errno);
    // The new file keeps the old one's permissions.
    struct stat st {};
    if ((target && ::fstat(target->get(), &st) == 0) || ::stat(local(path).constData(), &st) == 0)
        ::fchmod(tmp.get(), st.st_mode & 07777);
    else
        ::fchmod(tmp.get(), 0666 & ~[] { const mode_t m = ::umask(0); ::umask(m); return m; }());

    if (!writeAll(tmp.get(), *bytes) || ::fsync(tmp.get()) != 0) {
        const int err = errno;
        ::unlink(tmpName.constData());
        return failure(path, err);
    }
    struct stat done {};
    if (written && ::fstat(tmp.get(), &done) == 0)
        *written = fingerprintOf(done, *bytes);
    if (::close(tmp.release()) != 0 || ::rename(tmpName.constData(), local(path).constData()) != 0) {
        const int err = errno;
        ::unlink(tmpName.constData());
        return failure(path, err);
    }
    // Make the rename itself durable.
    Fd dir(::open(local(QFileInfo(path).absolutePath()).constData(), O_RDONLY | O_DIRECTORY | O_CLOEXEC));
    if (dir.get() >= 0)
        ::fsync(dir.get());
    FileStatus ok;
    ok.path = path;
    return ok;
}

}  // namespace

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
    return rewrite(requestedPath, locking, [&](int, FileStatus&) { return std::optional<QByteArray>(bytes); }, nullptr);
}

bool isUnchanged(const QString& path, const Fingerprint& seen)
{
    if (!seen.isKnown())
        return false;
    const Target target = accessTarget(path);
    struct stat st {};
    if (!target.problem.ok() || ::stat(local(target.path).constData(), &st) != 0)
        return false;
    Fingerprint now = fingerprintOf(st, {});
    if (!now.sameStat(seen))
        return false;
    if (!seen.hash)
        return true;
    const ReadResult r = readFile(path, Locking::None);
    return r.ok() && bytesHash(r.bytes) == *seen.hash;
}

FileStatus rewriteChecked(const QString& path, Fingerprint& seen,
                          const std::function<QByteArray(const std::optional<QByteArray>& current)>& produce)
{
    Fingerprint written;
    const FileStatus s = rewrite(
        path, Locking::Exclusive,
        [&](int fd, FileStatus& failed) -> std::optional<QByteArray> {
            struct stat st {};
            if (::fstat(fd, &st) != 0) {
                failed = failure(path, errno);
                return std::nullopt;
            }
            const Fingerprint now = fingerprintOf(st, {});
            // No version known, or an empty file (created just now, or emptied;
            // no program writes a list without its header): nothing to take in.
            if (!seen.isKnown() || st.st_size == 0)
                return produce(std::nullopt);
            bool unchanged = now.sameStat(seen);
            std::optional<QByteArray> current;
            if (!unchanged || seen.hash) {
                QByteArray bytes;
                if (!readWhole(fd, bytes)) {
                    failed = failure(path, errno);
                    return std::nullopt;
                }
                unchanged = unchanged && bytesHash(bytes) == *seen.hash;
                if (!unchanged)
                    current = std::move(bytes);
            }
            return produce(current);
        },
        &written);
    if (s.ok())
        seen = written;
    return s;
}

FileStatus appendToFile(const QString& requestedPath, const QByteArray& bytes)
{
    const Target resolved = accessTarget(requestedPath);
    if (!resolved.problem.ok())
        return resolved.problem;
    const QString& path = resolved.path;
    Fd fd(::open(local(path).constData(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC | O_NONBLOCK, 0666));
    if (fd.get() < 0)
        return failure(requestedPath, errno);
    struct stat opened {};
    if (::fstat(fd.get(), &opened) != 0 || !S_ISREG(opened.st_mode))
        return refused(requestedPath, FileRefusal::NotARegularFile);
    // Nobody reads the file half appended to.
    if (!lockWhole(fd.get(), F_WRLCK))
        return failure(requestedPath, errno == EACCES ? EAGAIN : errno);
    // A file whose last line has no line end must not glue it to the first new line.
    char last = '\n';
    const off_t size = ::lseek(fd.get(), 0, SEEK_END);
    if (size < 0 || (size > 0 && ::pread(fd.get(), &last, 1, size - 1) != 1))
        return failure(requestedPath, errno);
    const QByteArray out = last == '\n' ? bytes : "\r\n" + bytes;
    if (!writeAll(fd.get(), out) || ::fsync(fd.get()) != 0) {
        // A full disk may have taken part of it: the file goes back to what it
        // was, so it never ends in half a record.
        const int err = errno;
        if (::ftruncate(fd.get(), size) == 0)
            ::fsync(fd.get());
        return failure(requestedPath, err);
    }
    FileStatus ok;
    ok.path = requestedPath;
    return ok;
}

FileStatus copyFile(const QString& from, const QString& to)
{
    const ReadResult r = readFile(from, Locking::None);
    if (!r.ok())
        return r.status;
    return writeFile(to, r.bytes, Locking::None);
}

int removeLeftoverTemporaries(const QString& dir, const QStringList& names)
{
    static const QRegularExpression pattern(QStringLiteral("^(.+)\\.~tmp[A-Za-z0-9]{6}$"));
    int removed = 0;
    const QStringList entries = QDir(dir).entryList(QDir::Files | QDir::Hidden | QDir::System);
    for (const QString& entry : entries) {
        const QRegularExpressionMatch m = pattern.match(entry);
        if (!m.hasMatch())
            continue;
        const QString base = m.captured(1);
        if (std::none_of(names.begin(), names.end(),
                         [&](const QString& n) { return n.compare(base, Qt::CaseInsensitive) == 0; }))
            continue;
        // A writer holds the file it replaces from before the temporary exists
        // until after the rename; no lock on either means nobody is writing.
        const QString path = dir + entry;
        struct stat st {};
        if (::lstat(local(path).constData(), &st) != 0 || !S_ISREG(st.st_mode))
            continue;
        Fd temporary(::open(local(path).constData(), O_RDWR | O_CLOEXEC | O_NOFOLLOW | O_NONBLOCK));
        if (temporary.get() < 0 || !lockWhole(temporary.get(), F_WRLCK))
            continue;
        const QString target = resolvePath(dir, base);
        Fd replaced(::open(local(target).constData(), O_RDWR | O_CLOEXEC | O_NONBLOCK));
        if (replaced.get() >= 0 && !lockWhole(replaced.get(), F_WRLCK))
            continue;
        if (::unlink(local(path).constData()) == 0)
            ++removed;
    }
    return removed;
}

FileStatus claimFile(const QString& path)
{
    if (!QDir::isAbsolutePath(path))
        return failure(path, ENOENT);
    Fd fd(::open(local(path).constData(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666));
    if (fd.get() < 0)
        return failure(path, errno);
    FileStatus ok;
    ok.path = path;
    return ok;
}

FileStatus removeFile(const QString& path)
{
    if (!QDir::isAbsolutePath(path)) {
        FileStatus s;
        s.error = FileError::PathNotFound;
        s.path = path;
        return s;
    }
    if (::unlink(local(path).constData()) != 0)
        return failure(path, errno);
    FileStatus ok;
    ok.path = path;
    return ok;
}
