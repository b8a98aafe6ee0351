#pragma once
// File access as values: every call says what went wrong in terms a caller can
// act on (missing file, missing folder, in use by someone else, anything else).
//
// List files are used exclusively: reading takes a whole-file read lock, writing
// a whole-file write lock, never waiting; a lock that cannot be had at once is
// PermissionDenied. Two readers do not block each other. A rewrite goes through a
// temporary file in the same folder, synced and renamed over the target, so a
// crash or a full disk leaves the previous file whole.

#include <QByteArray>
#include <QString>

enum class FileError {
    None,
    FileNotFound,
    PathNotFound,
    PermissionDenied,   // held by another program, or not ours to open
    Other,              // disk full, read-only medium, I/O error, ...
};

struct FileStatus {
    FileError error = FileError::None;
    QString path;
    int sysError = 0;   // errno, for the detail of a message

    bool ok() const { return error == FileError::None; }
    static FileStatus success() { return {}; }
    // A short human description of the system error, for "other" failures.
    QString detail() const;
};

struct ReadResult {
    FileStatus status;
    QByteArray bytes;
    bool ok() const { return status.ok(); }
};

enum class Locking { None, Exclusive };

// The separator a data-directory text ends with on this platform.
QChar dirSeparator();
// Appends the separator unless the text already ends with one.
QString withTrailingSeparator(const QString& dir);
// A file in the program directory: joined with a separator unless there is one.
QString programFile(const QString& programDir, const QString& name);

// The path of `name` in `dir` (dir ends with a separator): the exact name when it
// exists, else an entry equal without regard to ASCII case, else the name given.
QString resolvePath(const QString& dir, const QString& name);
bool fileExistsIgnoringCase(const QString& dir, const QString& name);

ReadResult readFile(const QString& path, Locking locking);
FileStatus writeFile(const QString& path, const QByteArray& bytes, Locking locking);
FileStatus appendToFile(const QString& path, const QByteArray& bytes);
FileStatus copyFile(const QString& from, const QString& to);
FileStatus removeFile(const QString& path);
