#include "store/SqlRunner.h"

#include "store/SqlDialect.h"
#include "store/WriteFailure.h"

#include <QSqlError>

namespace {

// Why a statement failed; never empty, so that a failure is never read as a result (a closed
// connection fails without a text of its own).
QString failureOf(const QSqlQuery& query)
{
    const QString why = WriteFailure::describe(query.lastError());
    return why.trimmed().isEmpty() ? QStringLiteral("データベースに接続されていません。") : why;
}

} // namespace

bool SqlRunner::exec(const QString& sql, const QVariantList& values)
{
    if (!db_.isOpen() && SqlDialect::reopenIfLost(db_))
        preparedSql_.clear(); // statements prepared on the lost connection are gone with it
    // A server prepares no statement that defines tables or takes locks: such statements carry
    // no values and run as they are.
    if (values.isEmpty() && SqlDialect::of(db_) == SqlDialect::Kind::Postgres) {
        preparedSql_.clear();
        query_ = QSqlQuery(db_);
        query_.setForwardOnly(true);
        if (!query_.exec(sql)) {
            error_ = failureOf(query_);
            return false;
        }
        return true;
    }
    // The same statement run again (rows written in a loop) keeps its compiled form.
    if (sql != preparedSql_) {
        preparedSql_.clear();
        query_ = QSqlQuery(db_);
        query_.setForwardOnly(true);
        if (!query_.prepare(sql)) {
            error_ = failureOf(query_);
            return false;
        }
        preparedSql_ = sql;
    }
    for (qsizetype i = 0; i < values.size(); ++i) {
        const QVariant& value = values.at(i);
        // SQLite would join a lone surrogate with the next character and store both wrongly.
        if (value.typeId() == QMetaType::QString && !QStringView(value.toString()).isValidUtf16()) {
            error_ = QStringLiteral("壊れた文字（対になっていないサロゲート）を含む値は書き込めません。");
            return false;
        }
        query_.bindValue(int(i), value);
    }
    if (!query_.exec()) {
        error_ = failureOf(query_);
        return false;
    }
    return true;
}
