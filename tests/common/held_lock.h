#pragma once
// Another process holding a whole-file lock, as a colleague's program would.
// Needs PORUKA_LOCK_HOLDER, the path of the store_lock_holder program.

#include <QProcess>
#include <QtTest>

class HeldLock {
public:
    // mode: ofd-read, ofd-write, posix-read or posix-write
    HeldLock(const QString& path, const QString& mode)
    {
        process_.start(QStringLiteral(PORUKA_LOCK_HOLDER), {path, mode});
        ok_ = process_.waitForStarted(5000) && process_.waitForReadyRead(5000) &&
              process_.readLine().trimmed() == "locked";
    }
    ~HeldLock() { release(); }
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;

    bool isHeld() const { return ok_ && process_.state() == QProcess::Running; }
    void release()
    {
        if (process_.state() == QProcess::NotRunning)
            return;
        process_.write("\n");
        process_.closeWriteChannel();
        if (!process_.waitForFinished(5000))
            process_.kill();
        process_.waitForFinished(1000);
    }

private:
    QProcess process_;
    bool ok_ = false;
};
