#include "store/writer_lock.h"

#include "store/file_system.h"

#include <QRandomGenerator>
#include <QSysInfo>

#include <cerrno>
#include <ctime>
#include <fcntl.h>
#include <optional>

using fs::Fd;
using fs::local;

namespace {

FileStatus inUse(const QString& path)
{
    FileStatus s;
    s.error = FileError::PermissionDenied;
    s.path = path;
    s.sysError = EAGAIN;
    return s;
}

// What a lock file holds, read in one go; nothing when it is gone.
std::optional<QByteArray> contentOf(const QByteArray& path, struct stat& st)
{
    Fd fd(fs::open(path, O_RDONLY | O_CLOEXEC | O_NONBLOCK), path);
    QByteArray bytes;
    if (fd.get() < 0 || !fs::fstat(fd.get(), path, st) || !fs::readWhole(fd.get(), path, st.st_size, bytes))
        return std::nullopt;
    return bytes;
}

// A holder that ended without removing its lock: a process of this computer
// that is gone, or a lock nobody has touched for far longer than a write lasts
// (also one whose holder ended before it could write its name into it).
bool isAbandoned(const QByteArray& content, const struct stat& st)
{
    const QString tag = QString::fromUtf8(content.left(content.indexOf(' ')));
    if (isEndedProcessOfThisComputer(tag))
        return true;
    return qint64(std::time(nullptr)) - qint64(st.st_mtim.tv_sec) > kStaleLockSecs;
}

}   // namespace

WriterLock::WriterLock(const QString& path) : lockPath_(path + QStringLiteral(".~lock"))
{
    const QByteArray lock = local(lockPath_);
    mark_ = writerTag().toUtf8() + ' ' + QSysInfo::machineHostName().toUtf8() + ' ' +
        QByteArray::number(QRandomGenerator::global()->generate64(), 16) + '\n';
    for (int attempt = 0; attempt < 3; ++attempt) {
        Fd fd(fs::open(lock, O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666), lock);
        if (fd.get() >= 0) {
            if (!fs::writeAll(fd.get(), lock, mark_) || !fs::fstat(fd.get(), lock, mine_)) {
                failure_ = fileFailure(lockPath_, errno);
                fs::unlink(lock);
                return;
            }
            held_ = true;
            return;
        }
        if (errno != EEXIST) {
            failure_ = fileFailure(lockPath_, errno);
            return;
        }
        // Held, or left behind.
        struct stat st { };
        const std::optional<QByteArray> theirs = contentOf(lock, st);
        if (!theirs)
            continue;   // gone meanwhile
        if (!isAbandoned(*theirs, st)) {
            failure_ = inUse(path);
            return;
        }
        // Taken over by moving it aside: of two copies doing so at once only
        // one moves it. What was moved must be the lock judged abandoned; a
        // fresh one (its holder came just after) is put back, never replaced.
        const QByteArray aside = lock + ".~stale-" + writerTag().toUtf8();
        if (!fs::rename(lock, aside))
            continue;
        struct stat movedStat { };
        if (contentOf(aside, movedStat) != theirs || movedStat.st_ino != st.st_ino) {
            fs::link(aside, lock);
            fs::unlink(aside);
            failure_ = inUse(path);
            return;
        }
        fs::unlink(aside);
    }
    failure_ = inUse(path);
}

WriterLock::~WriterLock()
{
    if (held_ && stillHeld())
        fs::unlink(local(lockPath_));
}

bool WriterLock::stillHeld() const
{
    struct stat now { };
    return held_ && fs::stat(local(lockPath_), now) && now.st_ino == mine_.st_ino && now.st_dev == mine_.st_dev;
}
