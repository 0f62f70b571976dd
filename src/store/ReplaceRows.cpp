#include "store/ReplaceRows.h"

#include "store/SqlRunner.h"
#include "store/Transaction.h"

StoreResult replaceRows(QSqlDatabase db, const QString& remove, const QVariantList& removeValues,
                        const QString& insert, const QList<QVariantList>& rows)
{
    Transaction transaction(db);
    if (!transaction.begun())
        return StoreResult::failure(transaction.error());
    SqlRunner sql(db);
    if (!sql.exec(remove, removeValues))
        return StoreResult::failure(sql.error());
    for (const QVariantList& values : rows)
        if (!sql.exec(insert, values))
            return StoreResult::failure(sql.error());
    if (!transaction.commit())
        return StoreResult::failure(transaction.error());
    return StoreResult::success();
}
