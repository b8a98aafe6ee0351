#pragma once
// One writer at a time for a file that several copies of the program rewrite
// (the own lists, when an office computer and a laptop share a data folder),
// also where file locks do not reach from one computer to the other (some
// network mounts): a lock file "<file>.~lock" beside it, made by exclusive
// creation, which every file system and network share does atomically.
//
// The lock file names its holder (computer and process). One left behind by a
// holder that ended without removing it (a crash) is taken over: at once when
// the holder was a process of this computer that is gone, else once nobody
// has touched it for kStaleLockSecs, far longer than any write lasts.

#include "store/file_access.h"

#include <QByteArray>
#include <QString>

#include <sys/stat.h>

inline constexpr qint64 kStaleLockSecs = 120;

class WriterLock {
public:
    // Takes the lock of the file at `path`. Held by someone else: failed()
    // is PermissionDenied (in use), as a file lock would be.
    explicit WriterLock(const QString& path);
    ~WriterLock();
    WriterLock(const WriterLock&) = delete;
    WriterLock& operator=(const WriterLock&) = delete;

    bool held() const { return held_; }
    const FileStatus& failure() const { return failure_; }
    // Whether the lock file is still this one (no one took it over meanwhile);
    // checked just before the write becomes visible.
    bool stillHeld() const;

private:
    QString lockPath_;
    QByteArray mark_;   // what this holder wrote into the lock file
    struct stat mine_ { };   // the lock file made: still it, unless taken over
    bool held_ = false;
    FileStatus failure_;
};
