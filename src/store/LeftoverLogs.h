#pragma once
#include <QString>

// Log files SQLite would read beside a database file before we could look at the data.
// The databases run with a rollback journal, so at rest no log file belongs beside them:
//  - a "-wal" file never comes from this program and is refused;
//  - a "-journal" file is ours only when a save was cut off, and then SQLite must roll it back.
//    One left over from before a backup was copied back would undo the restored file, so a
//    journal whose copy of page 1 does not match the file's header is refused.
namespace LeftoverLogs {
// Empty when SQLite may open `databasePath`; otherwise the reason, naming the log file.
QString problem(const QString& databasePath);
// Whether a journal lies beside `databasePath` that SQLite will play back at the first read:
// a save was cut off, and the whole file deserves a look once it is rolled back.
bool hasJournal(const QString& databasePath);
} // namespace LeftoverLogs
