#pragma once
#include "store/DataPaths.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

#include <functional>

inline constexpr const char* MainDbName = "MainDb";
inline constexpr const char* WorkDbName = "WorkDb";

// Result of opening the two databases: on failure, which file and why (in Japanese, for the user).
struct OpenOutcome {
    bool ok = true;
    QString file;
    QString reason;
};

// A PostgreSQL server that holds the main data instead of the main file: `open` opens the
// connection of the name it is given and returns "" or why not; `name` says which server, for
// messages.
struct MainServer {
    QString name;
    std::function<QString(const QString& connectionName)> open;
};

namespace Connections {
// Opens MainDb then WorkDb on existing files only; a missing, unreadable, read-only or
// foreign file is refused and nothing is created. With a server, MainDb is the server's
// database, which must hold this program's tables (see ServerSchema).
OpenOutcome open(const DataPaths& paths, const MainServer& server = {});
void close();
// The files of the databases open now (none when closed).
QStringList openFiles();
QSqlDatabase mainDb();
QSqlDatabase workDb();
} // namespace Connections
