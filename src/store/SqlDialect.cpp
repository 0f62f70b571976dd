#include "store/SqlDialect.h"

namespace SqlDialect {

Kind of(const QSqlDatabase& db)
{
    return db.driverName() == QLatin1String("QPSQL") ? Kind::Postgres : Kind::Sqlite;
}

bool reopenIfLost(QSqlDatabase& db)
{
    if (db.isOpen() || of(db) != Kind::Postgres)
        return db.isOpen();
    return db.open();
}

QStringList beginWriting(const QSqlDatabase& db)
{
    if (of(db) == Kind::Sqlite)
        return {QStringLiteral("BEGIN IMMEDIATE")};
    // Every writing transaction takes this lock first: it conflicts with itself only, so
    // writers take turns while readers go on.
    return {QStringLiteral("BEGIN"), QStringLiteral("LOCK TABLE 自社情報 IN SHARE ROW EXCLUSIVE MODE")};
}

QString typeOf(const QSqlDatabase& db, const QString& column)
{
    if (of(db) == Kind::Sqlite)
        return QStringLiteral("typeof(%1)").arg(column);
    // The server's columns hold their declared type only.
    return QStringLiteral("CASE WHEN %1 IS NULL THEN 'null' ELSE 'integer' END").arg(column);
}

QString literalOf(const QSqlDatabase& db, const QString& column)
{
    if (of(db) == Kind::Sqlite)
        return QStringLiteral("quote(%1)").arg(column);
    return QStringLiteral("coalesce(quote_literal(%1), 'NULL')").arg(column);
}

QString containsBoundText(const QSqlDatabase& db, const QString& column)
{
    return (of(db) == Kind::Sqlite ? QStringLiteral("instr(%1, ?) > 0") : QStringLiteral("strpos(%1, ?) > 0")).arg(column);
}

QString returningKey(const QSqlDatabase& db, const QString& keyColumn)
{
    // SQLite knows the last row's key per connection; the server's driver reports no key.
    return of(db) == Kind::Sqlite ? QString() : QStringLiteral(" RETURNING ") + keyColumn;
}

std::optional<qint64> insertedKey(const QSqlDatabase& db, QSqlQuery& insert)
{
    if (of(db) == Kind::Sqlite)
        return insert.lastInsertId().toLongLong();
    if (!insert.next())
        return std::nullopt;
    const qint64 key = insert.value(0).toLongLong();
    insert.finish();
    return key;
}

QString wholeSum(const QSqlDatabase& db, const QString& expression)
{
    if (of(db) == Kind::Sqlite) // total() sums as a real: amounts are whole yen far below 2^53
        return QStringLiteral("CAST(total(%1) AS INTEGER)").arg(expression);
    return QStringLiteral("CAST(coalesce(sum(%1), 0) AS BIGINT)").arg(expression);
}

bool hasColumn(const QSqlDatabase& db, const QString& table, const QString& column)
{
    QSqlQuery query(db);
    query.prepare(of(db) == Kind::Sqlite
                      ? QStringLiteral("SELECT count(*) FROM pragma_table_info(?) WHERE name = ?")
                      : QStringLiteral("SELECT count(*) FROM information_schema.columns "
                                       "WHERE table_schema = current_schema() AND table_name = ? AND column_name = ?"));
    query.addBindValue(table);
    query.addBindValue(column);
    return query.exec() && query.next() && query.value(0).toInt() > 0;
}

} // namespace SqlDialect
