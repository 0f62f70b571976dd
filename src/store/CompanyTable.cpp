#include "store/CompanyTable.h"

#include "store/Connections.h"
#include "store/RegisterTable.h"
#include "store/SqlRunner.h"
#include "store/Transaction.h"

#include <functional>
#include <limits>

namespace {
const QString firstRow = QStringLiteral("rowid = (SELECT min(rowid) FROM 自社情報)");

// In one transaction: reads the stored last receipt number, lets `decide` give the number to
// store in its place (or none to leave it), and stores it, adding the row when there is none.
// `alsoWrite`, when given, writes more in the same transaction once the number is stored.
StoreResult changeLastNumber(const std::function<std::optional<qint64>(const QVariant& stored)>& decide,
                             bool* changed, const std::function<StoreResult()>& alsoWrite = {})
{
    if (changed)
        *changed = false;
    Transaction transaction(Connections::mainDb());
    if (!transaction.begun())
        return StoreResult::failure(transaction.error());
    SqlRunner sql(Connections::mainDb());
    if (!sql.exec(QStringLiteral("SELECT 領収証番号 FROM 自社情報 ORDER BY rowid LIMIT 1")))
        return StoreResult::failure(sql.error());
    const bool insert = !sql.query().next();
    const std::optional<qint64> number = decide(insert ? QVariant() : sql.query().value(0));
    if (number) {
        const bool done =
            insert ? sql.exec(QStringLiteral("INSERT INTO 自社情報 (領収証番号) VALUES (?)"), {*number})
                   : sql.exec(QStringLiteral("UPDATE 自社情報 SET 領収証番号 = ? WHERE ") + firstRow, {*number});
        if (!done)
            return StoreResult::failure(sql.error());
        if (alsoWrite)
            if (const StoreResult written = alsoWrite(); !written)
                return written;
    }
    if (!transaction.commit())
        return StoreResult::failure(transaction.error());
    if (changed)
        *changed = number.has_value();
    return StoreResult::success();
}
} // namespace

namespace CompanyTable {

std::optional<CompanySettingsRecord> readFirst(bool* ok)
{
    SqlRunner sql(Connections::mainDb());
    const bool done =
        sql.exec(QStringLiteral("SELECT 自社名, 自社情報, 年号, 領収証番号 FROM 自社情報 ORDER BY rowid LIMIT 1"));
    if (ok)
        *ok = done;
    if (!done || !sql.query().next())
        return std::nullopt;
    const QSqlQuery& q = sql.query();
    return CompanySettingsRecord{q.value(0), q.value(1), q.value(2), q.value(3)};
}

StoreResult writeFirst(const CompanySettingsRecord& r)
{
    Transaction transaction(Connections::mainDb());
    if (!transaction.begun())
        return StoreResult::failure(transaction.error());
    SqlRunner sql(Connections::mainDb());
    const QVariantList values = {r.自社名, r.自社情報, r.年号, r.領収証番号};
    if (!sql.exec(QStringLiteral("UPDATE 自社情報 SET 自社名 = ?, 自社情報 = ?, 年号 = ?, 領収証番号 = ? WHERE ") +
                      firstRow,
                  values))
        return StoreResult::failure(sql.error());
    if (sql.query().numRowsAffected() == 0 &&
        !sql.exec(QStringLiteral("INSERT INTO 自社情報 (自社名, 自社情報, 年号, 領収証番号) VALUES (?, ?, ?, ?)"),
                  values))
        return StoreResult::failure(sql.error());
    if (!transaction.commit())
        return StoreResult::failure(transaction.error());
    return StoreResult::success();
}

StoreResult raiseReceiptNumber(qint64 number, bool* changed)
{
    return changeLastNumber(
        [number](const QVariant& stored) -> std::optional<qint64> {
            if (!stored.isNull() && stored.toLongLong() >= number)
                return std::nullopt;
            return number;
        },
        changed);
}

StoreResult issueReceiptNumbers(qint64 first, qint64 count, qint64* issuedFirst, QList<RegisterEntry> entries,
                                QList<qint64>* recordedIds)
{
    QList<qint64> ids;
    constexpr qint64 highest = std::numeric_limits<qint64>::max() / 2;
    qint64 from = first;
    bool changed = false;
    bool registerRead = true;
    const StoreResult result = changeLastNumber(
        [&](const QVariant& stored) -> std::optional<qint64> {
            // A number in the register was given out, even when the counter was lowered or
            // cleared since (in the settings, or by a data initialisation that kept the register).
            const std::optional<qint64> recorded = RegisterTable::highestNumber(Connections::mainDb());
            registerRead = recorded.has_value();
            if (!registerRead)
                return std::nullopt;
            const qint64 storedLast = std::max(stored.isNull() ? 0 : stored.toLongLong(), *recorded);
            if (storedLast >= highest || first >= highest || count <= 0 || count >= highest)
                return std::nullopt;
            from = std::max(first, storedLast + 1);
            return from + count - 1;
        },
        &changed,
        [&] {
            for (qsizetype i = 0; i < entries.size(); ++i)
                entries[i].領収証番号 = from + i;
            return RegisterTable::insertWithin(Connections::mainDb(), entries, &ids);
        });
    if (!result)
        return result;
    if (!registerRead)
        return StoreResult::failure(QStringLiteral("発行記録を読み込めません。"));
    if (!changed)
        return StoreResult::failure(QStringLiteral("領収証番号が範囲を超えています。"));
    if (issuedFirst)
        *issuedFirst = from;
    if (recordedIds)
        *recordedIds = ids;
    return result;
}

} // namespace CompanyTable
