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

// When opening reads every page of a file for damage, which grows with the data. It always
// does after a cut-off save (its journal was played back) and for a file the program has not
// opened in its place before.
enum class WholeFileCheck {
    WhenDue,
    Always, // also for a file opened here before: the last run may have ended without closing
};

namespace Connections {
// Opens MainDb then WorkDb on existing files only; a missing, unreadable, read-only or
// foreign file is refused and nothing is created. With a server, MainDb is the server's
// database, which must hold this program's tables (see ServerSchema).
OpenOutcome open(const DataPaths& paths, const MainServer& server = {},
                 WholeFileCheck check = WholeFileCheck::Always);
void close();
// The files of the databases open now (none when closed).
QStringList openFiles();
// The data folder of the databases open now, ending with '/' (empty when closed): the folder of
// the work file, which stays on this computer whatever holds the main data.
QString dataFolder();
QSqlDatabase mainDb();
QSqlDatabase workDb();
} // namespace Connections
