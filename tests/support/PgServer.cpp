#include "PgServer.h"

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSqlDatabase>
#include <QStandardPaths>

#include <algorithm>
#include <pwd.h>
#include <unistd.h>

namespace {

const QString Superuser = QStringLiteral("postgres");
// The socket folder is the test's own, so no other server can hold this port there.
const QString Port = QStringLiteral("5432");

// Debian keeps each major version's server programs in /usr/lib/postgresql/<version>/bin; the
// newest is taken.
QString binFolder()
{
    QDir versions(QStringLiteral("/usr/lib/postgresql"));
    QStringList names = versions.entryList(QDir::Dirs | QDir::NoDotAndDotDot);
    std::sort(names.begin(), names.end(), [](const QString& a, const QString& b) { return a.toInt() > b.toInt(); });
    for (const QString& name : names) {
        const QString bin = versions.filePath(name + QStringLiteral("/bin"));
        if (QFileInfo(bin + QStringLiteral("/initdb")).isExecutable())
            return bin;
    }
    return QString();
}

bool isRoot() { return geteuid() == 0; }

} // namespace

QString PgServer::missing()
{
    if (binFolder().isEmpty())
        return QStringLiteral("PostgreSQL is not installed (no /usr/lib/postgresql/*/bin/initdb)");
    if (!QSqlDatabase::isDriverAvailable(QStringLiteral("QPSQL")))
        return QStringLiteral("Qt's QPSQL driver is not installed (libqt6sql6-psql)");
    if (isRoot() && (!getpwnam("postgres") || QStandardPaths::findExecutable(QStringLiteral("runuser")).isEmpty()))
        return QStringLiteral("running as root, but there is no user postgres or no runuser to start PostgreSQL as it");
    return QString();
}

PgServer::~PgServer()
{
    if (running_)
        stop();
}

QString PgServer::run(const QString& program, const QStringList& arguments) const
{
    QString command = binFolder() + QLatin1Char('/') + program;
    QStringList all = arguments;
    if (isRoot()) {
        all = QStringList{QStringLiteral("-u"), Superuser, QStringLiteral("--"), command} + all;
        command = QStringLiteral("runuser");
    }
    QProcess process;
    process.setProcessChannelMode(QProcess::MergedChannels);
    process.setWorkingDirectory(dir_.path()); // a folder "postgres" may enter
    process.start(command, all);
    if (!process.waitForFinished(120000) || process.exitStatus() != QProcess::NormalExit || process.exitCode() != 0)
        return QStringLiteral("%1 %2 failed:\n%3")
            .arg(command, all.join(QLatin1Char(' ')), QString::fromLocal8Bit(process.readAll()));
    return QString();
}

QString PgServer::start()
{
    if (!dir_.isValid())
        return QStringLiteral("no temporary folder: %1").arg(dir_.errorString());
    if (!created_) {
        if (isRoot()) {
            const passwd* owner = getpwnam("postgres");
            if (!owner || chown(QFile::encodeName(dir_.path()).constData(), owner->pw_uid, owner->pw_gid) != 0)
                return QStringLiteral("cannot hand %1 to postgres").arg(dir_.path());
        }
        const QString failure = run(QStringLiteral("initdb"),
                                    {QStringLiteral("-D"), dataFolder(), QStringLiteral("--auth=trust"),
                                     QStringLiteral("--username=") + Superuser, QStringLiteral("-E"),
                                     QStringLiteral("UTF8"), QStringLiteral("--locale=C"), QStringLiteral("--no-sync")});
        if (!failure.isEmpty())
            return failure;
        created_ = true;
    }
    const QString options = QStringLiteral("-c listen_addresses='' -c unix_socket_directories='%1' -p %2")
                                .arg(dir_.path(), Port);
    const QString failure = run(QStringLiteral("pg_ctl"),
                                {QStringLiteral("-D"), dataFolder(), QStringLiteral("-l"),
                                 dir_.path() + QStringLiteral("/server.log"), QStringLiteral("-o"), options,
                                 QStringLiteral("-w"), QStringLiteral("start")});
    running_ = failure.isEmpty();
    return failure;
}

QString PgServer::stop()
{
    const QString failure = run(QStringLiteral("pg_ctl"), {QStringLiteral("-D"), dataFolder(), QStringLiteral("-m"),
                                                           QStringLiteral("fast"), QStringLiteral("-w"),
                                                           QStringLiteral("stop")});
    running_ = !failure.isEmpty();
    return failure;
}

QString PgServer::createDatabase(const QString& name) const
{
    return run(QStringLiteral("createdb"), {QStringLiteral("-h"), dir_.path(), QStringLiteral("-p"), Port,
                                            QStringLiteral("-U"), Superuser, name});
}

QString PgServer::connection(const QString& database) const
{
    return QStringLiteral("host='%1' port=%2 dbname='%3' user=%4").arg(dir_.path(), Port, database, Superuser);
}
