#pragma once
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QString>
#include <QVariantList>

// Runs statements with bound values; every value is bound, nothing is spliced into SQL text.
class SqlRunner {
public:
    explicit SqlRunner(QSqlDatabase db) : db_(std::move(db)) {}

    // Executes and keeps the query for reading; false on failure, with error() set.
    bool exec(const QString& sql, const QVariantList& values = {});
    QSqlQuery& query() { return query_; }
    QString error() const { return error_; }

private:
    QSqlDatabase db_;
    QSqlQuery query_;
    QString preparedSql_; // the statement query_ holds compiled
    QString error_;
};
