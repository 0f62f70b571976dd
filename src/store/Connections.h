#pragma once
#include "store/DataPaths.h"

#include <QSqlDatabase>
#include <QString>
#include <QStringList>

inline constexpr const char* MainDbName = "MainDb";
inline constexpr const char* WorkDbName = "WorkDb";

// Result of opening the two databases: on failure, which file and why (in Japanese, for the user).
struct OpenOutcome {
    bool ok = true;
    QString file;
    QString reason;
};

namespace Connections {
// Opens MainDb then WorkDb on existing files only; a missing, unreadable, read-only or
// foreign file is refused and nothing is created.
OpenOutcome open(const DataPaths& paths);
void close();
// The files of the databases open now (none when closed).
QStringList openFiles();
QSqlDatabase mainDb();
QSqlDatabase workDb();
} // namespace Connections
