#include "store/file_system.h"

#include "store/file_calls.h"
#include "store/prefault.h"

#include <QFile>

#include <algorithm>

#include <cerrno>
#include <climits>
#include <cstdlib>
#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/sysmacros.h>
#include <unistd.h>

namespace {

thread_local FileCallHook hook;

CallAnswer answer(FileCall call, const QByteArray& path)
{
    if (!hook)
        return CallAnswer::Make;
    const CallAnswer a = hook(call, path);
    if (a == CallAnswer::Fail)
        errno = kStoppedCallError;
    return a;
}

// Whether a call that reads or looks may go ahead; when not, errno says why.
bool allowed(FileCall call, const QByteArray& path) { return answer(call, path) != CallAnswer::Fail; }

}   // namespace

void setFileCallHook(FileCallHook h) { hook = std::move(h); }
const FileCallHook& fileCallHook() { return hook; }

namespace fs {

QByteArray local(const QString& path) { return QFile::encodeName(path); }

Fd::~Fd()
{
    if (fd_ >= 0)
        close(fd_, path_);
}

int open(const QByteArray& path, int flags, mode_t mode)
{
    if (!allowed((flags & O_CREAT) ? FileCall::Create : FileCall::Open, path))
        return -1;
    return ::open(path.constData(), flags, mode);
}

int mkstemp(QByteArray& nameTemplate)
{
    if (!allowed(FileCall::Create, nameTemplate))
        return -1;
    return ::mkstemp(nameTemplate.data());
}

bool close(int fd, const QByteArray& path)
{
    // Never stopped: the system closes every file of a program that ends.
    if (hook)
        hook(FileCall::Close, path);
    return ::close(fd) == 0;
}

namespace {

// A file's attributes as the file server has them now, not as this computer
// cached them: a network mount may keep a size and time from before another
// computer's write for a while, and a read of the file would then stop at
// the old size. On a local disk this is the plain stat.
bool freshStat(int dirFd, const char* path, int flags, struct stat& st)
{
    struct statx x { };
    if (::statx(dirFd, path, flags | AT_STATX_FORCE_SYNC, STATX_BASIC_STATS, &x) != 0)
        return false;
    st = {};
    st.st_dev = makedev(x.stx_dev_major, x.stx_dev_minor);
    st.st_ino = x.stx_ino;
    st.st_mode = x.stx_mode;
    st.st_nlink = x.stx_nlink;
    st.st_size = off_t(x.stx_size);
    st.st_mtim.tv_sec = x.stx_mtime.tv_sec;
    st.st_mtim.tv_nsec = x.stx_mtime.tv_nsec;
    return true;
}

}   // namespace

bool stat(const QByteArray& path, struct stat& st)
{
    return allowed(FileCall::Stat, path) && freshStat(AT_FDCWD, path.constData(), 0, st);
}

bool lstat(const QByteArray& path, struct stat& st)
{
    return allowed(FileCall::Stat, path) && freshStat(AT_FDCWD, path.constData(), AT_SYMLINK_NOFOLLOW, st);
}

bool fstat(int fd, const QByteArray& path, struct stat& st)
{
    return allowed(FileCall::Stat, path) && freshStat(fd, "", AT_EMPTY_PATH, st);
}

bool readlink(const QByteArray& path, QByteArray& target)
{
    if (!allowed(FileCall::Stat, path))
        return false;
    char buf[PATH_MAX];
    const ssize_t n = ::readlink(path.constData(), buf, sizeof buf - 1);
    if (n < 0)
        return false;
    target = QByteArray(buf, n);
    return true;
}

bool realpath(const QByteArray& path, QByteArray& resolved)
{
    if (!allowed(FileCall::Stat, path))
        return false;
    char buf[PATH_MAX];
    if (!::realpath(path.constData(), buf))
        return false;
    resolved = QByteArray(buf);
    return true;
}

bool listFolder(const QByteArray& folder, QList<QByteArray>& names)
{
    if (!allowed(FileCall::List, folder))
        return false;
    DIR* d = ::opendir(folder.constData());
    if (!d)
        return false;
    while (const dirent* e = ::readdir(d)) {
        const QByteArray name(e->d_name);
        if (name != "." && name != "..")
            names.append(name);
    }
    ::closedir(d);
    return true;
}

bool lockWhole(int fd, const QByteArray& path, short type)
{
    if (const CallAnswer a = answer(FileCall::Lock, path); a != CallAnswer::Make)
        return a == CallAnswer::Skip;
    struct flock fl { };
    fl.l_type = type;
    fl.l_whence = SEEK_SET;
    fl.l_start = 0;
    fl.l_len = 0;
    fl.l_pid = 0;
    return ::fcntl(fd, F_OFD_SETLK, &fl) == 0;
}

bool readWhole(int fd, const QByteArray& path, qint64 expectedSize, QByteArray& out)
{
    out.resize(0);   // keeps the memory

    // One byte more than expected: a read that comes back short has met the end.
    qint64 want = std::max<qint64>(expectedSize, 0) + 1;
    for (qint64 at = 0;;) {
        if (!allowed(FileCall::Read, path))
            return false;
        out.resize(at + want);
        if (at == 0)
            prefault(out.data(), std::size_t(want));
        const ssize_t n = ::pread(fd, out.data() + at, std::size_t(want), off_t(at));
        if (n < 0) {
            if (errno == EINTR)
                continue;
            out.clear();
            return false;
        }
        at += n;
        if (n < want) {
            out.resize(at);
            return true;
        }
        want = std::max<qint64>(at, 1 << 16);   // it grew: read on in bigger steps
    }
}

bool readAt(int fd, const QByteArray& path, char* buffer, qint64 size, qint64 offset)
{
    return allowed(FileCall::Read, path) && ::pread(fd, buffer, std::size_t(size), off_t(offset)) == size;
}

bool writeAll(int fd, const QByteArray& path, const QByteArray& bytes)
{
    const char* p = bytes.constData();
    qsizetype left = bytes.size();
    while (left > 0) {
        if (!allowed(FileCall::Write, path))
            return false;
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

bool fsync(int fd, const QByteArray& path)
{
    if (const CallAnswer a = answer(FileCall::Sync, path); a != CallAnswer::Make)
        return a == CallAnswer::Skip;
    return ::fsync(fd) == 0;
}

bool fchmod(int fd, const QByteArray& path, mode_t mode)
{
    return allowed(FileCall::Write, path) && ::fchmod(fd, mode) == 0;
}

bool ftruncate(int fd, const QByteArray& path, qint64 size)
{
    return allowed(FileCall::Truncate, path) && ::ftruncate(fd, off_t(size)) == 0;
}

bool rename(const QByteArray& from, const QByteArray& to)
{
    return allowed(FileCall::Rename, to) && ::rename(from.constData(), to.constData()) == 0;
}

bool unlink(const QByteArray& path) { return allowed(FileCall::Unlink, path) && ::unlink(path.constData()) == 0; }

bool link(const QByteArray& from, const QByteArray& to)
{
    return allowed(FileCall::Create, to) && ::link(from.constData(), to.constData()) == 0;
}

void syncFolder(const QByteArray& folder)
{
    Fd dir(open(folder, O_RDONLY | O_DIRECTORY | O_CLOEXEC), folder);
    if (dir.get() >= 0)
        fsync(dir.get(), folder);
}

}   // namespace fs
