#pragma once
#include <QSqlDatabase>
#include <QString>

// Columns and tables added to the main data after a store was first made, on either kind of
// store (a SQLite file or a server database). Each step adds only what is missing, so a store
// made by this program, or already upgraded, is left as it is; all steps run in one transaction.
class SqlRunner;

namespace StoreUpgrades {
// Adds the column to the table unless it is there already (for a step's use).
bool addColumn(QSqlDatabase db, SqlRunner& sql, const QString& table, const QString& column, const QString& definition);
// Returns an empty text, or why the store could not be brought up to date (in Japanese).
QString ensure(QSqlDatabase db);
// The same for the work file.
QString ensureWork(QSqlDatabase db);
} // namespace StoreUpgrades
