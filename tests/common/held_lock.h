#pragma once
// Another process holding a whole-file lock, as a colleague's program would.
// Needs PORUKA_LOCK_HOLDER, the path of the store_lock_holder program.

#include <QProcess>
#include <QTest>

class HeldLock {
public:
    // mode: ofd-read, ofd-write, posix-read or posix-write. What the holder said
    // instead of "locked" goes to the test log.
    HeldLock(const QString& path, const QString& mode)
    {
        process_.start(QStringLiteral(PORUKA_LOCK_HOLDER), {path, mode});
        if (!process_.waitForStarted(10000)) {
            qWarning("lock holder did not start: %s", qPrintable(process_.errorString()));
            return;
        }
        QByteArray out;
        while (!out.contains('\n') && process_.waitForReadyRead(10000))
            out += process_.readAllStandardOutput();
        ok_ = out.trimmed() == "locked";
        if (!ok_)
            qWarning("lock holder: %s %s", out.constData(), process_.readAllStandardError().constData());
    }
    ~HeldLock() { release(); }
    HeldLock(const HeldLock&) = delete;
    HeldLock& operator=(const HeldLock&) = delete;

    bool isHeld() const { return ok_ && process_.state() == QProcess::Running; }
    // Lets the lock go. True when it was held and the holder has ended cleanly.
    bool release()
    {
        if (process_.state() != QProcess::NotRunning) {
            process_.write("\n");
            process_.closeWriteChannel();
            if (!process_.waitForFinished(10000)) {
                process_.kill();
                process_.waitForFinished(1000);
                return false;
            }
        }
        return ok_ && process_.exitStatus() == QProcess::NormalExit && process_.exitCode() == 0;
    }

private:
    QProcess process_;
    bool ok_ = false;
};
