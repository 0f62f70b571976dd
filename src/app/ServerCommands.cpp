#include "app/ServerCommands.h"

#include "store/Connections.h"
#include "store/ServerSchema.h"

#include <QSqlDatabase>
#include <QTextStream>

#include <functional>

namespace ServerCommands {

namespace {

const QString Setup = QStringLiteral("ServerSetup");

// Runs `work` on a connection of its own to the server, closed again afterwards.
int onServer(const ServerAddress& server, QTextStream& err, const std::function<int(QSqlDatabase)>& work)
{
    if (const QString refused = server.open(Setup); !refused.isEmpty()) {
        err << refused << "\n";
        return 1;
    }
    int status = 1;
    {
        QSqlDatabase db = QSqlDatabase::database(Setup);
        status = work(db);
        db.close();
    }
    QSqlDatabase::removeDatabase(Setup);
    return status;
}

} // namespace

int initialise(const ServerAddress& server, QTextStream& out, QTextStream& err)
{
    return onServer(server, err, [&](QSqlDatabase db) {
        if (const StoreResult made = ServerSchema::initialise(db); !made) {
            err << QStringLiteral("サーバーのデータベースを準備できませんでした（%1）。\n").arg(server.describe())
                << made.error << "\n";
            return 1;
        }
        out << QStringLiteral("サーバーのデータベースを準備しました（%1）。\n").arg(server.describe());
        return 0;
    });
}

int copyDataFolder(const QString& dataFolder, const ServerAddress& server, QTextStream& out, QTextStream& err)
{
    const OpenOutcome opened = Connections::open(DataPaths::forFolder(dataFolder));
    if (!opened.ok) {
        err << opened.file << "\n" << opened.reason << "\n";
        return 1;
    }
    return onServer(server, err, [&](QSqlDatabase db) {
        const ServerSchema::Copied copied = ServerSchema::copyFrom(Connections::mainDb(), db);
        if (!copied.result) {
            err << QStringLiteral("データをサーバーに写せませんでした。サーバーのデータベースは変わっていません（%1）。\n")
                       .arg(server.describe())
                << copied.result.error << "\n";
            return 1;
        }
        out << QStringLiteral("データをサーバーに写しました（%1）：顧客 %2 件、コード %3 件、設定 %4 件、発行記録 %5 件。\n")
                   .arg(server.describe())
                   .arg(copied.customers)
                   .arg(copied.codes)
                   .arg(copied.settings)
                   .arg(copied.entries);
        return 0;
    });
}

} // namespace ServerCommands
