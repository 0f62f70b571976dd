#include "store/PrintRowTable.h"

#include "store/Connections.h"
#include "store/CustomerWorkTable.h"
#include "store/ReplaceRows.h"
#include "store/SqlRunner.h"
#include "store/Transaction.h"

namespace PrintRowTable {

StoreResult replace(const QList<PrintRow>& rows)
{
    const RowSource values{[&rows, next = qsizetype(0)](QVariantList* values) mutable {
        if (next == rows.size())
            return false;
        const PrintRow& row = rows.at(next++);
        *values = {row.顧客名, row.領収額, row.但書, row.税区分};
        return true;
    }};
    return replaceRows(Connections::workDb(), QStringLiteral("DELETE FROM w領収証印刷"), {},
                       QStringLiteral("INSERT INTO w領収証印刷 (顧客名, 領収額, 但書, 税区分) VALUES (?, ?, ?, ?)"), values);
}

StoreResult replaceWithMarkedCustomers()
{
    const QSqlDatabase db = Connections::workDb();
    return Transaction::run(
        db,
        [&db] {
            SqlRunner sql(db);
            if (!sql.exec(QStringLiteral("DELETE FROM w領収証印刷")) ||
                !sql.exec(QStringLiteral("INSERT INTO w領収証印刷 (顧客名, 領収額, 但書, 税区分) "
                                         "SELECT 顧客名, 領収額, 但書, 税区分 FROM w顧客マスタ ") +
                          CustomerWorkTable::checkedCondition()))
                return StoreResult::failure(sql.error());
            return StoreResult::success();
        },
        Transaction::Lock::Deferred, Transaction::Pages::Spilled);
}

QList<PrintRow> rows(bool* ok)
{
    QList<PrintRow> result;
    SqlRunner sql(Connections::workDb());
    const bool done = sql.exec(QStringLiteral("SELECT 顧客名, 領収額, 但書, 税区分 FROM w領収証印刷 ORDER BY id"));
    while (done && sql.query().next())
        result.append({sql.query().value(0), sql.query().value(1), sql.query().value(2), sql.query().value(3)});
    if (ok)
        *ok = done;
    return result;
}

Reader::Reader() : sql_(Connections::workDb())
{
    ok_ = sql_.exec(QStringLiteral("SELECT count(*) FROM w領収証印刷")) && sql_.query().next();
    count_ = ok_ ? sql_.query().value(0).toLongLong() : 0;
}

PrintRow Reader::at(qsizetype row)
{
    if (row < first_ || row >= first_ + window_.size()) {
        // In order, the next window follows the last id read; otherwise it is counted from the top.
        const bool next = row == first_ + window_.size() && !window_.isEmpty();
        const QString select = QStringLiteral("SELECT id, 顧客名, 領収額, 但書, 税区分 FROM w領収証印刷 ");
        const bool read = next ? sql_.exec(select + QStringLiteral("WHERE id > ? ORDER BY id LIMIT ?"), {lastId_, Window})
                               : sql_.exec(select + QStringLiteral("ORDER BY id LIMIT ? OFFSET ?"), {Window, row});
        window_.clear();
        first_ = row;
        while (read && sql_.query().next()) {
            const QSqlQuery& q = sql_.query();
            lastId_ = q.value(0).toLongLong();
            window_.append({q.value(1), q.value(2), q.value(3), q.value(4)});
        }
        ok_ = ok_ && read && row < first_ + window_.size();
        if (row >= first_ + window_.size())
            return {};
    }
    return window_.at(row - first_);
}

PrintRowSource Reader::source()
{
    return {count_, [this](qsizetype row) { return at(row); }};
}

} // namespace PrintRowTable
