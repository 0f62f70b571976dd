#include "store/ReplaceRows.h"

#include "store/SqlRunner.h"
#include "store/Transaction.h"

namespace {

RowSource sourceOf(const QList<QVariantList>& rows)
{
    return {[&rows, next = qsizetype(0)](QVariantList* values) mutable {
        if (next == rows.size())
            return false;
        *values = rows.at(next++);
        return true;
    }};
}

} // namespace

StoreResult replaceRowsWithin(QSqlDatabase db, const QString& remove, const QVariantList& removeValues,
                              const QString& insert, const RowSource& rows)
{
    SqlRunner sql(std::move(db));
    if (!sql.exec(remove, removeValues))
        return StoreResult::failure(sql.error());
    QVariantList values;
    while (rows.next(&values))
        if (!sql.exec(insert, values))
            return StoreResult::failure(sql.error());
    if (const QString failure = rows.failure ? rows.failure() : QString(); !failure.isEmpty())
        return StoreResult::failure(failure);
    return StoreResult::success();
}

StoreResult replaceRowsWithin(QSqlDatabase db, const QString& remove, const QVariantList& removeValues,
                              const QString& insert, const QList<QVariantList>& rows)
{
    return replaceRowsWithin(std::move(db), remove, removeValues, insert, sourceOf(rows));
}

// Pages may spill: a whole customer list or print run is written here.
StoreResult replaceRows(QSqlDatabase db, const QString& remove, const QVariantList& removeValues,
                        const QString& insert, const RowSource& rows)
{
    return Transaction::run(
        db, [&] { return replaceRowsWithin(db, remove, removeValues, insert, rows); }, Transaction::Lock::Deferred,
        Transaction::Pages::Spilled);
}

StoreResult replaceRows(QSqlDatabase db, const QString& remove, const QVariantList& removeValues,
                        const QString& insert, const QList<QVariantList>& rows)
{
    return replaceRows(std::move(db), remove, removeValues, insert, sourceOf(rows));
}
