#pragma once
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QStringList>

#include <optional>

// What is written differently for the two kinds of store the main data can live in: a SQLite
// file beside the program, or a PostgreSQL database on a server shared by several computers.
// The tables ask here; nothing else looks at the driver.
namespace SqlDialect {

enum class Kind { Sqlite, Postgres };
Kind of(const QSqlDatabase& db);

// A server connection the server cut (a restart, a network fault) is closed by the driver: it is
// opened again before the next statement. False when it stays closed.
bool reopenIfLost(QSqlDatabase& db);
// The statements that begin a transaction holding the store's write lock before its first
// read: another writer waits until it has ended.
QStringList beginWriting(const QSqlDatabase& db);
// A column's stored type as SQLite names it ('integer', 'text', 'real', 'blob' or 'null'), and
// its value written as a literal, for messages.
QString typeOf(const QSqlDatabase& db, const QString& column);
QString literalOf(const QSqlDatabase& db, const QString& column);
// "The column holds the text bound here" (a % or _ in it is text, not a pattern).
QString containsBoundText(const QSqlDatabase& db, const QString& column);
// What an INSERT adds so that insertedKey() can read the key it gave the row, and that key.
QString returningKey(const QSqlDatabase& db, const QString& keyColumn);
std::optional<qint64> insertedKey(const QSqlDatabase& db, QSqlQuery& insert);
// The sum of whole numbers that never overflows, 0 over no rows.
QString wholeSum(const QSqlDatabase& db, const QString& expression);
// Whether the table has the column (false also when the store cannot be asked).
bool hasColumn(const QSqlDatabase& db, const QString& table, const QString& column);

} // namespace SqlDialect
