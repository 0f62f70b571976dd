#include "store/SqlRunner.h"

#include <QSqlError>

bool SqlRunner::exec(const QString& sql, const QVariantList& values)
{
    query_ = QSqlQuery(db_);
    query_.setForwardOnly(true);
    if (!query_.prepare(sql)) {
        error_ = query_.lastError().text();
        return false;
    }
    for (const QVariant& value : values)
        query_.addBindValue(value);
    if (!query_.exec()) {
        error_ = query_.lastError().text();
        return false;
    }
    return true;
}
