#include "app/SingleInstance.h"

#include <QLocalServer>
#include <QLocalSocket>

#include <unistd.h>

SingleInstance::SingleInstance(const QString& key, QObject* parent) : QObject(parent), key_(key) {}

QString SingleInstance::defaultKey() { return QStringLiteral("ledrium-%1").arg(getuid()); }

bool SingleInstance::askRunningCopy()
{
    QLocalSocket socket;
    socket.connectToServer(key_);
    if (!socket.waitForConnected(500))
        return false;
    socket.write("raise\n");
    socket.waitForBytesWritten(500);
    socket.waitForReadyRead(1000); // the running copy answers once it has raised its window
    socket.disconnectFromServer();
    return true;
}

bool SingleInstance::listen(std::function<void()> raise)
{
    raise_ = std::move(raise);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    // A socket file left behind by a crashed copy would make listen() fail.
    QLocalServer::removeServer(key_);
    if (!server_->listen(key_))
        return false;
    connect(server_, &QLocalServer::newConnection, this, [this] {
        while (QLocalSocket* socket = server_->nextPendingConnection()) {
            connect(socket, &QLocalSocket::readyRead, socket, [this, socket] {
                socket->readAll();
                if (raise_)
                    raise_();
                socket->write("ok\n");
                socket->flush();
                socket->disconnectFromServer();
            });
            connect(socket, &QLocalSocket::disconnected, socket, &QObject::deleteLater);
        }
    });
    return true;
}
