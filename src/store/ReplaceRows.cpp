#include "store/ReplaceRows.h"

#include "store/SqlRunner.h"
#include "store/Transaction.h"

StoreResult replaceRowsWithin(QSqlDatabase db, const QString& remove, const QVariantList& removeValues,
                              const QString& insert, const QList<QVariantList>& rows)
{
    SqlRunner sql(std::move(db));
    if (!sql.exec(remove, removeValues))
        return StoreResult::failure(sql.error());
    for (const QVariantList& values : rows)
        if (!sql.exec(insert, values))
            return StoreResult::failure(sql.error());
    return StoreResult::success();
}

StoreResult replaceRows(QSqlDatabase db, const QString& remove, const QVariantList& removeValues,
                        const QString& insert, const QList<QVariantList>& rows)
{
    return Transaction::run(db, [&] { return replaceRowsWithin(db, remove, removeValues, insert, rows); });
}
