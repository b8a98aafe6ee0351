#pragma once
// The file system calls of the file layer, each one passed through the hook of
// file_calls.h first. Paths are in the local 8-bit encoding. The functions
// return false (or -1) with errno set, as the calls they wrap do; a call the
// hook stops fails with kStoppedCallError.

#include <QByteArray>
#include <QList>
#include <QString>

#include <sys/stat.h>

namespace fs {

QByteArray local(const QString& path);

// Holds a file descriptor and closes it (releasing its locks) when done.
class Fd {
public:
    explicit Fd(int fd, QByteArray path = {}) : fd_(fd), path_(std::move(path)) { }
    ~Fd();
    Fd(const Fd&) = delete;
    Fd& operator=(const Fd&) = delete;
    Fd(Fd&& other) noexcept : fd_(other.release()), path_(std::move(other.path_)) { }
    int get() const { return fd_; }
    int release()
    {
        const int fd = fd_;
        fd_ = -1;
        return fd;
    }

private:
    int fd_;
    QByteArray path_;   // what the hook is told on closing
};

int open(const QByteArray& path, int flags, mode_t mode = 0);
// Creates a unique file from a name ending in XXXXXX, which it fills in.
int mkstemp(QByteArray& nameTemplate);
bool close(int fd, const QByteArray& path);
bool stat(const QByteArray& path, struct stat& st);
bool lstat(const QByteArray& path, struct stat& st);
bool fstat(int fd, const QByteArray& path, struct stat& st);
bool readlink(const QByteArray& path, QByteArray& target);
bool realpath(const QByteArray& path, QByteArray& resolved);
// The names in a folder, without "." and "..".
bool listFolder(const QByteArray& folder, QList<QByteArray>& names);
// A whole-file lock (F_RDLCK or F_WRLCK) on the open file description, taken
// without waiting. These locks belong to the open file, not the process, and
// conflict with the classic record locks other programs take, also over NFS.
bool lockWhole(int fd, const QByteArray& path, short type);
// Reads the whole file from its start: one read when `expectedSize` is right.
bool readWhole(int fd, const QByteArray& path, qint64 expectedSize, QByteArray& out);
bool readAt(int fd, const QByteArray& path, char* buffer, qint64 size, qint64 offset);
bool writeAll(int fd, const QByteArray& path, const QByteArray& bytes);
bool fsync(int fd, const QByteArray& path);
bool fchmod(int fd, const QByteArray& path, mode_t mode);
bool ftruncate(int fd, const QByteArray& path, qint64 size);
bool rename(const QByteArray& from, const QByteArray& to);
bool unlink(const QByteArray& path);
// A second name for a file; fails when the new name exists (atomic, also over NFS).
bool link(const QByteArray& from, const QByteArray& to);
// Makes the renames and removals in a folder durable.
void syncFolder(const QByteArray& folder);

}   // namespace fs
