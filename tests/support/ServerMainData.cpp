#include "ServerMainData.h"

#include "PgServer.h"
#include "store/Connections.h"
#include "store/ServerAddress.h"
#include "store/ServerSchema.h"

#include <QUuid>

QString openMainDataOnServer(const PgServer& server, const QString& database, const QString& folder)
{
    if (const QString made = server.createDatabase(database); !made.isEmpty())
        return made;
    QString error;
    const std::optional<ServerAddress> address = ServerAddress::parse(server.connection(database), &error);
    if (!address)
        return error;
    const QString setup = QStringLiteral("setup");
    if (const QString opened = address->open(setup); !opened.isEmpty())
        return opened;
    const StoreResult made = ServerSchema::initialise(QSqlDatabase::database(setup, false));
    QSqlDatabase::database(setup, false).close();
    QSqlDatabase::removeDatabase(setup);
    if (!made)
        return made.error;
    Connections::close();
    const OpenOutcome opened = Connections::open(DataPaths::forFolder(folder), address->asMainData());
    return opened.ok ? QString() : opened.reason;
}

BackendData::BackendData(const PgServer* server)
{
    if (!data_.ok())
        error_ = QStringLiteral("no data folder");
    else if (server)
        error_ = openMainDataOnServer(
            *server, QStringLiteral("data_") + QUuid::createUuid().toString(QUuid::Id128), data_.folder());
}
