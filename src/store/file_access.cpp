#include "store/file_access.h"

#include <QDir>
#include <QFileInfo>

#include <cerrno>
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

}  // namespace

QString FileStatus::detail() const { return sysError ? QString::fromLocal8Bit(std::strerror(sysError)) : QString(); }

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

ReadResult readFile(const QString& path, Locking locking)
{
    ReadResult r;
    // A writer renames its new file over the old one; a reader that opened the old
    // one just before would lock and read a file that is no longer the list.
    // Opening again until the locked file is the one the path names avoids that.
    std::optional<Fd> fd;
    for (int attempt = 0;; ++attempt) {
        fd.emplace(::open(local(path).constData(), O_RDONLY | O_CLOEXEC));
        if (fd->get() < 0) {
            r.status = failure(path, errno);
            return r;
        }
        if (locking == Locking::None)
            break;
        if (!lockWhole(fd->get(), F_RDLCK)) {
            r.status = failure(path, errno == EACCES ? EAGAIN : errno);
            return r;
        }
        struct stat opened {}, named {};
        if (::fstat(fd->get(), &opened) != 0 || ::stat(local(path).constData(), &named) != 0 ||
            (opened.st_ino == named.st_ino && opened.st_dev == named.st_dev) || attempt >= 10)
            break;
    }
    struct stat st {};
    if (::fstat(fd->get(), &st) == 0 && st.st_size > 0)
        r.bytes.reserve(qsizetype(st.st_size));
    char buf[1 << 16];
    for (;;) {
        const ssize_t n = ::read(fd->get(), buf, sizeof buf);
        if (n < 0) {
            if (errno == EINTR)
                continue;
            r.status = failure(path, errno);
            r.bytes.clear();
            return r;
        }
        if (n == 0)
            break;
        r.bytes.append(buf, n);
    }
    r.status.path = path;
    return r;
}

FileStatus writeFile(const QString& requestedPath, const QByteArray& bytes, Locking locking)
{
    // A list kept behind a symbolic link stays a link: the file it names is replaced.
    const QFileInfo info(requestedPath);
    const QString path = info.isSymLink() ? info.symLinkTarget() : requestedPath;

    // Hold the target (created if missing) under a write lock while the new
    // content is prepared beside it, so no reader sees it half written.
    std::optional<Fd> target;
    if (locking == Locking::Exclusive) {
        target.emplace(::open(local(path).constData(), O_RDWR | O_CREAT | O_CLOEXEC, 0666));
        if (target->get() < 0)
            return failure(path, errno);
        if (!lockWhole(target->get(), F_WRLCK))
            return failure(path, errno == EACCES ? EAGAIN : errno);
    } else if (!QFileInfo(QFileInfo(path).absolutePath()).isDir()) {
        return failure(path, ENOENT);
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

    if (!writeAll(tmp.get(), bytes) || ::fsync(tmp.get()) != 0) {
        const int err = errno;
        ::unlink(tmpName.constData());
        return failure(path, err);
    }
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

FileStatus appendToFile(const QString& path, const QByteArray& bytes)
{
    Fd fd(::open(local(path).constData(), O_RDWR | O_APPEND | O_CREAT | O_CLOEXEC, 0666));
    if (fd.get() < 0)
        return failure(path, errno);
    // A file whose last line has no line end must not glue it to the first new line.
    char last = '\n';
    const off_t size = ::lseek(fd.get(), 0, SEEK_END);
    if (size > 0 && ::pread(fd.get(), &last, 1, size - 1) != 1)
        return failure(path, errno);
    const QByteArray out = last == '\n' ? bytes : "\r\n" + bytes;
    if (!writeAll(fd.get(), out) || ::fsync(fd.get()) != 0)
        return failure(path, errno);
    FileStatus ok;
    ok.path = path;
    return ok;
}

FileStatus copyFile(const QString& from, const QString& to)
{
    const ReadResult r = readFile(from, Locking::None);
    if (!r.ok())
        return r.status;
    return writeFile(to, r.bytes, Locking::None);
}

FileStatus removeFile(const QString& path)
{
    if (::unlink(local(path).constData()) != 0)
        return failure(path, errno);
    FileStatus ok;
    ok.path = path;
    return ok;
}
