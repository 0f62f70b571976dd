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
    for (const QVariant& value : values) {
        // SQLite would join a lone surrogate with the next character and store both wrongly.
        if (value.typeId() == QMetaType::QString && !QStringView(value.toString()).isValidUtf16()) {
            error_ = QStringLiteral("壊れた文字（対になっていないサロゲート）を含む値は書き込めません。");
            return false;
        }
        query_.addBindValue(value);
    }
    if (!query_.exec()) {
        error_ = query_.lastError().text();
        return false;
    }
    return true;
}
