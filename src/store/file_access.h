#pragma once
// File access as values: every call says what went wrong in terms a caller can
// act on (missing file, missing folder, in use by someone else, anything else).
//
// List files are used exclusively: reading takes a whole-file read lock, writing
// a whole-file write lock, never waiting; a lock that cannot be had at once is
// PermissionDenied. Two readers do not block each other. A rewrite goes through a
// temporary file in the same folder, synced and renamed over the target, so a
// crash or a full disk leaves the previous file whole.

#include "store/content_hash.h"

#include <QByteArray>
#include <QString>
#include <QStringList>

#include <functional>
#include <optional>

enum class FileError {
    None,
    FileNotFound,
    PathNotFound,
    PermissionDenied,   // held by another program, or not ours to open
    Other,   // disk full, read-only medium, I/O error, ...
};

// Files the program will not read or write although the system would let it.
enum class FileRefusal {
    None,
    LinkLeavesFolder,   // a symbolic link chain ending outside the file's own folder
    NotARegularFile,   // a folder, device, FIFO or socket where a data file belongs
};

struct [[nodiscard]] FileStatus {
    FileError error = FileError::None;
    QString path;
    int sysError = 0;   // errno, for the detail of a message
    FileRefusal refusal = FileRefusal::None;

    bool ok() const { return error == FileError::None; }
    static FileStatus success() { return {}; }
    // A short description of why an "other" failure happened, in Japanese for
    // the common causes, else the system's own text.
    QString detail() const;
};

// Which version of a file this copy of the program last read or wrote: the
// file's identity, size and modification time (with nanoseconds), and a hash
// of its bytes. A look at the file compares the first (a stat, and a read
// only where the file system keeps whole seconds); a writer, which must not
// be fooled by what a network mount caches of a file's attributes, compares
// the bytes.
struct Fingerprint {
    quint64 device = 0;
    quint64 inode = 0;
    qint64 size = -1;   // -1: no version known
    qint64 modifiedNs = 0;
    quint64 hash = 0;   // of the bytes
    bool wholeSeconds = false;   // the time tells no two versions within a second apart

    bool isKnown() const { return size >= 0; }
    bool sameStat(const Fingerprint& o) const
    {
        return device == o.device && inode == o.inode && size == o.size && modifiedNs == o.modifiedNs;
    }
};
// A 64-bit hash of a file's bytes (FNV-1a), the same in every run: for what
// is stored (the job file's check).
quint64 bytesHash(QByteArrayView bytes);

struct [[nodiscard]] ReadResult {
    FileStatus status;
    QByteArray bytes;
    Fingerprint fingerprint;   // of the version read
    bool cut = false;   // the file holds more than the limit read
    bool ok() const { return status.ok(); }
};

enum class Locking { None, Exclusive };

// A failed call's errno as a FileStatus: a missing file told from a missing
// folder, a lock held elsewhere (EAGAIN) as PermissionDenied.
FileStatus fileFailure(const QString& path, int err);
// Whether `tag` (as writerTag gives it) names a process of this computer
// that has ended.
bool isEndedProcessOfThisComputer(const QString& tag);

// The separator a data-directory text ends with on this platform.
QChar dirSeparator();
// Appends the separator unless the text already ends with one.
QString withTrailingSeparator(const QString& dir);
// A file in the program directory: joined with a separator unless there is one.
QString programFile(const QString& programDir, const QString& name);

// Symbolic links: a data file reached through a chain of links is read and
// written at the end of the chain, provided that lies in the folder the file
// belongs to (the folder of the path given, itself resolved) or below it and is
// a regular file (or does not exist yet). Anything else is refused, with
// FileError::Other and a FileRefusal, and nothing is read or written there.
// A path that is not absolute is PathNotFound: nothing is ever read or created
// relative to the folder the program happens to run in.

// The path of `name` in `dir` (dir ends with a separator): the exact name when it
// exists, else an entry equal without regard to ASCII case, else the name given.
QString resolvePath(const QString& dir, const QString& name);
bool fileExistsIgnoringCase(const QString& dir, const QString& name);
// Whether anything is at the path.
bool fileExists(const QString& path);
// The size of the regular file at the path; -1 when there is none.
qint64 fileSize(const QString& path);

// Reads the whole file, or with a limit (>= 0) at most that many bytes of its start.
// The bytes go into `buffer`'s memory when it is large enough: memory already
// in use is much cheaper to fill than fresh memory.
ReadResult readFile(const QString& path, Locking locking, qint64 limit = -1, QByteArray buffer = {});
FileStatus writeFile(const QString& path, const QByteArray& bytes, Locking locking);

// Whether the file at path is still the version `seen` stands for: a stat,
// and a read only where the file system keeps whole seconds. A file that is
// gone or cannot be looked at counts as changed.
bool isUnchanged(const QString& path, const Fingerprint& seen);

// Rewrites a list file as writeFile does with Locking::Exclusive, checking
// under the write lock whether the file is still the version `seen`: when it
// is, produce is called with nothing (no read); when another program changed
// it, with the file's present bytes, so that what is written can take them in.
// With no version known, or an empty file, there is nothing to take in. On
// success `seen` becomes the version written.
FileStatus rewriteChecked(const QString& path, Fingerprint& seen,
                          const std::function<QByteArray(const std::optional<QByteArray>& current)>& produce);
// Appends under a write lock. A write that fails (a full disk) takes the file
// back to its length before: it never ends in part of what was appended.
FileStatus appendToFile(const QString& path, const QByteArray& bytes);
FileStatus copyFile(const QString& from, const QString& to);
// Removes what writes cut short (a crash, a kill) left in `dir` (which ends
// with the separator): temporaries "<name>.~tmp..." of the files `belongs`
// names. Only those provably abandoned: of a process of this computer that
// has ended, or, when another computer (or an earlier version that put no
// writer into the name) left it, untouched for an hour. A temporary of a
// write going on now, here or on another computer, stays. Returns how many
// were removed.
int removeLeftoverTemporaries(const QString& dir, const std::function<bool(const QString& name)>& belongs);
// What this program puts into the names of its temporary files:
// "<machine>-<process>", the machine id's first twelve hex digits.
const QString& writerTag();
FileStatus removeFile(const QString& path);
// Gives a file another name in its folder (replacing what has that name).
FileStatus renameFile(const QString& from, const QString& to);
// Creates an empty file that must not exist yet; a file already there fails
// with sysError EEXIST. Atomic between programs (also over NFS 3 and later).
FileStatus claimFile(const QString& path);
