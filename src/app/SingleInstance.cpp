#include "app/SingleInstance.h"

#include "store/DataPaths.h"

#include <QCryptographicHash>
#include <QDeadlineTimer>
#include <QDir>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QStandardPaths>
#include <QSysInfo>
#include <QThread>

SingleInstance::SingleInstance(const QString& dataFolder, QObject* parent)
    : QObject(parent), folder_(dataFolder), lock_(lockFilePathFor(dataFolder))
{
    // A running copy holds its lock for days; only a holder that is gone makes a lock stale.
    lock_.setStaleLockTime(0);
}

SingleInstance::~SingleInstance()
{
    if (server_)
        server_->close(); // removes the socket file before the lock is let go
}

QString SingleInstance::lockFilePathFor(const QString& dataFolder)
{
    return QDir(dataFolder).filePath(QLatin1String(LockFileName));
}

QString SingleInstance::serverNameFor(const QString& dataFolder)
{
    const QFileInfo folder(dataFolder);
    const QString canonical = folder.canonicalFilePath().isEmpty() ? folder.absoluteFilePath()
                                                                  : folder.canonicalFilePath();
    const QByteArray hash = QCryptographicHash::hash(canonical.toUtf8(), QCryptographicHash::Sha256).toHex().left(32);
    return QStandardPaths::writableLocation(QStandardPaths::RuntimeLocation) + QStringLiteral("/ledrium-") +
           QString::fromLatin1(hash);
}

SingleInstance::Claim SingleInstance::hold()
{
    // A closing run removes its lock file; one that is there and yet can be taken is stale.
    const bool leftBehind = QFileInfo::exists(lockFilePathFor(folder_));
    if (lock_.tryLock(0)) {
        tookOver_ = leftBehind;
        return Claim::Holder;
    }
    return lock_.error() == QLockFile::LockFailedError ? Claim::InUse : Claim::LockFailed;
}

SingleInstance::Claim SingleInstance::claim(std::chrono::milliseconds patience)
{
    const QDeadlineTimer deadline(patience);
    for (;;) {
        if (const Claim held = hold(); held != Claim::InUse)
            return held;
        if (askHolder())
            return Claim::HandedOver;
        qint64 pid = 0;
        QString host, application;
        const bool known = lock_.getLockInfo(&pid, &host, &application);
        // A holder on another computer can never be reached over a local socket.
        // Nor does a folder in the lock file's place ever become a holder.
        if ((known && !host.isEmpty() && host != QSysInfo::machineHostName()) ||
            QFileInfo(lockFilePathFor(folder_)).isDir() || deadline.hasExpired())
            return Claim::InUse;
        QThread::msleep(100);
    }
}

QString SingleInstance::refusal(Claim claim) const
{
    if (claim == Claim::LockFailed) {
        const QString reason = !QFileInfo(folder_).isDir()
                                   ? QStringLiteral("データフォルダがありません。")
                                   : QStringLiteral("データフォルダに書き込めません（アクセス権がありません）。");
        return QStringLiteral("データフォルダを使う準備ができないため、起動できません。\nフォルダ：%1\n理由：%2")
            .arg(QDir::toNativeSeparators(folder_), reason);
    }
    QString text = QStringLiteral("このデータは別の Ledrium が使用中のため、起動できません。\nフォルダ：%1")
                       .arg(QDir::toNativeSeparators(folder_));
    qint64 pid = 0;
    QString host, application;
    if (lock_.getLockInfo(&pid, &host, &application)) {
        if (!host.isEmpty())
            text += QStringLiteral("\nコンピュータ：%1").arg(host);
        if (pid > 0)
            text += QStringLiteral("\nプロセス番号：%1").arg(pid);
        return text;
    }
    // A lock nobody can read names no holder: say what is wrong with it instead.
    const QString lockPath = lockFilePathFor(folder_);
    const QFileInfo lock(lockPath);
    const QString why = lock.isDir()         ? QStringLiteral("ロックファイルの名前のフォルダがあります。")
                        : !lock.isReadable() ? QStringLiteral("ロックファイルを読み込めません（アクセス権がありません）。")
                                             : QStringLiteral("ロックファイルの中身を読めません。");
    return QStringLiteral("データフォルダのロックファイルを使えないため、起動できません。\n"
                          "ファイル：%1\n理由：%2\n"
                          "ほかに Ledrium を起動していないときは、このファイル（またはフォルダ）を削除してから起動してください。")
        .arg(QDir::toNativeSeparators(lockPath), why);
}

bool SingleInstance::askHolder() const
{
    QLocalSocket socket;
    socket.connectToServer(serverNameFor(folder_));
    if (!socket.waitForConnected(500))
        return false;
    socket.write("raise\n");
    socket.waitForBytesWritten(500);
    // The holder answers once it has raised its window; a socket without an answer is no hand-over.
    const bool answered = socket.waitForReadyRead(2000) && socket.readAll().startsWith("ok");
    socket.disconnectFromServer();
    return answered;
}

bool SingleInstance::listen(std::function<void()> raise)
{
    raise_ = std::move(raise);
    server_ = new QLocalServer(this);
    server_->setSocketOptions(QLocalServer::UserAccessOption);
    const QString name = serverNameFor(folder_);
    // A live socket belongs to a running server and is left alone (listen() would replace it).
    // One nobody answers on was left behind by a copy that was killed.
    QLocalSocket probe;
    probe.connectToServer(name);
    if (probe.waitForConnected(500))
        return false;
    QLocalServer::removeServer(name);
    if (!server_->listen(name))
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
