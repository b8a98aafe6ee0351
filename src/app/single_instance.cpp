#include "app/single_instance.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

namespace {

// A name of its own for each user and program folder.
QString keyFor(const QString& programDir)
{
    const QString canonical = QFileInfo(programDir).canonicalFilePath();
    const QString folder = canonical.isEmpty() ? QDir::cleanPath(programDir) : canonical;
    const QByteArray id = folder.toUtf8() + '\n' + QByteArray::number(::getuid());
    return QStringLiteral("poruka-") +
        QString::fromLatin1(QCryptographicHash::hash(id, QCryptographicHash::Sha1).toHex().left(16));
}

}   // namespace

SingleInstance::SingleInstance(const QString& programDir, QObject* parent) : QObject(parent)
{
    const QString key = keyFor(programDir);
    // The lock decides who is first, also when two copies start at once; it
    // goes with the process, so a crashed copy leaves no lock behind.
    lock_ = std::make_unique<QLockFile>(QDir::temp().filePath(key + QStringLiteral(".lock")));
    lock_->setStaleLockTime(0);
    first_ = lock_->tryLock(0);
    if (first_) {
        QLocalServer::removeServer(key);
        server_ = new QLocalServer(this);
        server_->setSocketOptions(QLocalServer::UserAccessOption);
        connect(server_, &QLocalServer::newConnection, this, [this] {
            while (QLocalSocket* s = server_->nextPendingConnection()) {
                connect(s, &QLocalSocket::disconnected, s, &QObject::deleteLater);
                emit activationRequested();
            }
        });
        server_->listen(key);
        return;
    }
    QLocalSocket socket;
    socket.connectToServer(key);
    if (socket.waitForConnected(2000)) {
        socket.write("raise\n");
        socket.waitForBytesWritten(1000);
        socket.disconnectFromServer();
    }
}

SingleInstance::~SingleInstance() = default;
