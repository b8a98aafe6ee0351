#pragma once
// A second copy of the program: copy_driver in a process of its own,
// driven line by line with the commands of copy_commands.h.

#include <QProcess>
#include <QString>

class SecondCopy {
public:
    // stopAt: the durable file call at which the copy stops (says "stopped"
    // and waits to be killed), counted from its start; 0 none.
    explicit SecondCopy(const QString& programDir, int stopAt = 0)
    {
        process_.start(QStringLiteral(PORUKA_COPY_DRIVER), {programDir, QString::number(stopAt)});
        started_ = process_.waitForStarted(10000);
    }
    ~SecondCopy()
    {
        process_.closeWriteChannel();
        if (!process_.waitForFinished(10000))
            process_.kill();
    }
    bool isRunning() const { return started_ && process_.state() == QProcess::Running; }
    QString run(const QString& command)
    {
        process_.write(command.toUtf8() + '\n');
        return answer();
    }
    // The next line the copy writes.
    QString answer()
    {
        while (!process_.canReadLine())
            if (!process_.waitForReadyRead(20000))
                return QStringLiteral("error no answer (%1)").arg(QString::fromUtf8(process_.readAllStandardError()));
        return QString::fromUtf8(process_.readLine()).trimmed();
    }
    // Ends it as a power cut or kill -9 would.
    void kill()
    {
        process_.kill();
        process_.waitForFinished(10000);
    }

private:
    QProcess process_;
    bool started_ = false;
};
