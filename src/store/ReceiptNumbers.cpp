#include "store/ReceiptNumbers.h"

#include "store/RegisterChanges.h"
#include "store/RegisterTable.h"
#include "store/SqlDialect.h"
#include "store/SqlRunner.h"
#include "store/Transaction.h"

#include <algorithm>
#include <functional>

namespace {

const QString counterTable = QStringLiteral("自社情報");
const QString registerTable = QStringLiteral("発行記録");

QString notANumber(const QString& table, const QString& quoted)
{
    return QStringLiteral("%1の領収証番号に、番号として使えない値 %2 が保存されています"
                          "（0～%3 の整数だけが使えます）。値を直すまで領収証番号を振れません。")
        .arg(table, quoted, QString::number(LargestReceiptNumber));
}

// Reads a number with its SQLite type: anything but an integer in range is refused by name,
// so that text, a blob or a real never counts as 0 or as some other number.
std::optional<qint64> wholeNumber(const QSqlQuery& q, const QString& table, QString* error)
{
    const qint64 number = q.value(0).toLongLong();
    if (q.value(1).toString() == QLatin1String("integer") && number >= 0 && number <= LargestReceiptNumber)
        return number;
    *error = notANumber(table, q.value(2).toString());
    return std::nullopt;
}

// The counter in the first row of 自社情報.
struct Counter {
    bool rowExists = false;
    std::optional<qint64> number; // none stored yet
    QString error;
};

Counter readCounter(QSqlDatabase db)
{
    Counter counter;
    SqlRunner sql(db);
    if (!sql.exec(QStringLiteral("SELECT 領収証番号, %1, %2 FROM 自社情報 ORDER BY rowid LIMIT 1")
                      .arg(SqlDialect::typeOf(db, QStringLiteral("領収証番号")),
                           SqlDialect::literalOf(db, QStringLiteral("領収証番号"))))) {
        counter.error = sql.error();
        return counter;
    }
    if (!sql.query().next())
        return counter;
    counter.rowExists = true;
    const QString type = sql.query().value(1).toString();
    // Null, or an empty text left by an old screen: no number stored yet.
    if (type == QLatin1String("null") || (type == QLatin1String("text") && sql.query().value(0).toString().isEmpty()))
        return counter;
    counter.number = wholeNumber(sql.query(), counterTable, &counter.error);
    return counter;
}

// The highest number in the register, 0 when it is empty.
std::optional<qint64> readRegistered(QSqlDatabase db, QString* error)
{
    SqlRunner sql(db);
    qint64 highest = 0;
    // SQLite orders numbers before text and text before blobs, so the two ends of the number
    // index show any entry that is not a whole number in range, without reading every entry.
    for (const char* order : {"DESC", "ASC"}) {
        if (!sql.exec(QStringLiteral("SELECT 領収証番号, %1, %2 FROM 発行記録 ORDER BY 領収証番号 %3 LIMIT 1")
                          .arg(SqlDialect::typeOf(db, QStringLiteral("領収証番号")),
                               SqlDialect::literalOf(db, QStringLiteral("領収証番号")), QLatin1String(order)))) {
            *error = sql.error();
            return std::nullopt;
        }
        if (!sql.query().next())
            break;
        const std::optional<qint64> number = wholeNumber(sql.query(), registerTable, error);
        if (!number)
            return std::nullopt;
        highest = std::max(highest, *number);
    }
    return highest;
}

// The last number given out: the counter's and the register's, whichever is higher.
struct LastIssued {
    Counter counter;
    qint64 registered = 0;
    QString error;
    qint64 last() const { return std::max(counter.number.value_or(0), registered); }
};

LastIssued readLastIssued(QSqlDatabase db)
{
    LastIssued read{readCounter(db), 0, {}};
    read.error = read.counter.error;
    if (read.error.isEmpty())
        read.registered = readRegistered(db, &read.error).value_or(0);
    return read;
}

bool storeCounter(QSqlDatabase db, const Counter& counter, qint64 number, QString* error)
{
    SqlRunner sql(db);
    const bool done =
        counter.rowExists
            ? sql.exec(QStringLiteral("UPDATE 自社情報 SET 領収証番号 = ? WHERE rowid = (SELECT min(rowid) FROM 自社情報)"),
                       {number})
            : sql.exec(QStringLiteral("INSERT INTO 自社情報 (領収証番号) VALUES (?)"), {number});
    if (!done)
        *error = sql.error();
    return done;
}

const QString outOfRange = QStringLiteral("領収証番号が範囲を超えています。");

// Runs `statement` over the entries, with the values `valuesOf` gives for a run of consecutive
// 記録番号 (first, last) that `together`, when given, lets stand together: one statement per
// run, and the entries of one output are numbered in a row. All in one transaction; like every write here it takes the write lock before its first
// read: a transaction begun as a reader could be refused at once, without waiting, beside
// another writer.
StoreResult forEachEntry(QSqlDatabase db, QList<qint64> ids, const QString& statement,
                         const std::function<QVariantList(qint64, qint64)>& valuesOf,
                         const std::function<bool(qint64, qint64)>& together = {})
{
    std::sort(ids.begin(), ids.end());
    return Transaction::run(
        db,
        [&] {
            SqlRunner sql(db);
            for (qsizetype from = 0; from < ids.size();) {
                qsizetype to = from;
                while (to + 1 < ids.size() && ids.at(to + 1) <= ids.at(to) + 1 &&
                       (!together || together(ids.at(to), ids.at(to + 1))))
                    ++to;
                if (!sql.exec(statement, valuesOf(ids.at(from), ids.at(to))))
                    return StoreResult::failure(sql.error());
                from = to + 1;
            }
            return StoreResult::success();
        },
        Transaction::Lock::Immediate, Transaction::Pages::Spilled);
}

// Each copy printed again is a change of its receipt, kept with who printed it.
StoreResult copiesNoted(QSqlDatabase db, const QList<qint64>& copyIds, const IssuingProcess& by)
{
    QList<RegisterChanges::Change> changes;
    for (qint64 id : copyIds)
        changes.append(RegisterChanges::now(id, RegisterChanges::Reissuing, {}, RegisterTable::Pending, {}, by));
    QString error;
    return RegisterChanges::addWithin(db, changes, &error) ? StoreResult::success() : StoreResult::failure(error);
}

} // namespace

ReceiptNumbers::Next ReceiptNumbers::next() const
{
    const LastIssued stored = readLastIssued(db_);
    if (!stored.error.isEmpty())
        return {std::nullopt, stored.error};
    if (stored.last() >= LargestReceiptNumber)
        return {std::nullopt, outOfRange};
    return {stored.last() + 1, {}};
}

std::optional<qint64> ReceiptNumbers::highestRegistered(QString* error) const
{
    QString why;
    const std::optional<qint64> highest = readRegistered(db_, &why);
    if (error)
        *error = why;
    return highest;
}

EntrySource ReceiptNumbers::pending(const EntrySource& entries, bool originals) const
{
    return entries.changed([originals, by = issuer()](RegisterEntry& e, qsizetype) {
        e.状態 = RegisterTable::Pending;
        e.無効理由.clear();
        e.原本 = originals;
        e.発行端末 = by.host;
        e.発行プロセス = by.process;
        // A copy goes out in a file of its own, recorded when it is complete.
        e.SHA256.clear();
        e.保存ファイル.clear();
    });
}

ReceiptNumbers::Issued ReceiptNumbers::issue(qint64 first, qint64 count, const EntrySource& entries,
                                             const EntrySource& copies) const
{
    Issued issued;
    // The write lock comes first: no other connection can issue between the read and the write.
    issued.result = Transaction::run(
        db_,
        [&]() -> StoreResult {
            const LastIssued stored = readLastIssued(db_);
            if (!stored.error.isEmpty())
                return StoreResult::failure(stored.error);
            const qint64 from = std::max(first, stored.last() + 1);
            if (first < 1 || count <= 0 || count > LargestReceiptNumber || from > LargestReceiptNumber - count + 1)
                return StoreResult::failure(outOfRange);
            if (from != first)
                issued.renumbered = stored.registered >= first ? Renumbered::NumbersTaken : Renumbered::CounterRaised;
            if (QString error; !storeCounter(db_, stored.counter, from + count - 1, &error))
                return StoreResult::failure(error);
            issued.first = from;
            const EntrySource numbered =
                pending(entries, true).changed([from](RegisterEntry& e, qsizetype i) { e.領収証番号 = from + i; });
            if (const StoreResult recorded = RegisterTable::insertWithin(db_, numbered, &issued.ids); !recorded)
                return recorded;
            if (const StoreResult recorded = RegisterTable::insertWithin(db_, pending(copies, false), &issued.ids);
                !recorded)
                return recorded;
            return copiesNoted(db_, issued.ids.mid(entries.count), issuer());
        },
        Transaction::Lock::Immediate, Transaction::Pages::Spilled);
    if (!issued.result)
        issued.ids.clear();
    return issued;
}

StoreResult ReceiptNumbers::raise(qint64 number, bool* changed) const
{
    bool raised = false;
    const StoreResult result = Transaction::run(
        db_,
        [&]() -> StoreResult {
            if (number < 0 || number > LargestReceiptNumber)
                return StoreResult::failure(outOfRange);
            const Counter counter = readCounter(db_);
            // An odd stored value is never written over: it stays for the user to see and mend.
            if (!counter.error.isEmpty())
                return StoreResult::failure(counter.error);
            if (counter.number && *counter.number >= number)
                return StoreResult::success();
            if (QString error; !storeCounter(db_, counter, number, &error))
                return StoreResult::failure(error);
            raised = true;
            return StoreResult::success();
        },
        Transaction::Lock::Immediate);
    if (changed)
        *changed = result && raised;
    return result;
}

StoreResult ReceiptNumbers::reissue(const EntrySource& entries, QList<qint64>* ids) const
{
    const EntrySource copies = pending(entries, false);
    QList<qint64> added;
    const StoreResult recorded = Transaction::run(
        db_,
        [&] {
            const StoreResult inserted = RegisterTable::insertWithin(db_, copies, &added);
            return inserted ? copiesNoted(db_, added, issuer()) : inserted;
        },
        Transaction::Lock::Immediate);
    if (recorded && ids)
        *ids = added;
    return recorded;
}

StoreResult ReceiptNumbers::confirm(const QList<qint64>& ids, const QHash<qint64, OutputFile>& files) const
{
    return confirm(ids, [&files](qint64 id) -> std::optional<OutputFile> {
        const auto file = files.constFind(id);
        return file == files.constEnd() ? std::nullopt : std::optional<OutputFile>(*file);
    });
}

StoreResult ReceiptNumbers::confirm(const QList<qint64>& ids, const FileOf& fileOf) const
{
    return forEachEntry(db_, ids,
                        QStringLiteral("UPDATE 発行記録 SET 状態 = CASE WHEN 原本 = 1 THEN ? ELSE ? END, "
                                       "出力先 = coalesce(?, 出力先), sha256 = ?, 保存ファイル = ? "
                                       "WHERE 記録番号 BETWEEN ? AND ? AND 状態 = ?"),
                        [&fileOf](qint64 first, qint64 last) -> QVariantList {
                            const std::optional<OutputFile> file = fileOf(first);
                            const auto valueOr = [&](QString OutputFile::*field) {
                                return file ? QVariant((*file).*field) : QVariant();
                            };
                            return {RegisterTable::Issued, RegisterTable::Reissued, valueOr(&OutputFile::name),
                                    valueOr(&OutputFile::sha256), valueOr(&OutputFile::archived), first, last,
                                    RegisterTable::Pending};
                        },
                        // entries that went out in one file are confirmed together
                        [&fileOf](qint64 one, qint64 next) { return fileOf(one) == fileOf(next); });
}

StoreResult ReceiptNumbers::withdraw(const QList<qint64>& ids) const
{
    return forEachEntry(db_, ids,
                        QStringLiteral("DELETE FROM 発行記録 WHERE 記録番号 BETWEEN ? AND ? AND 原本 = 0 AND 状態 = ?"),
                        [](qint64 first, qint64 last) -> QVariantList { return {first, last, RegisterTable::Pending}; });
}

StoreResult ReceiptNumbers::voidEntries(const QList<qint64>& ids, const QString& reason) const
{
    const IssuingProcess by = issuer();
    return Transaction::run(
        db_,
        [&]() -> StoreResult {
            SqlRunner sql(db_);
            QList<RegisterChanges::Change> changes;
            for (qint64 id : ids) {
                if (!sql.exec(QStringLiteral("SELECT 状態 FROM 発行記録 WHERE 記録番号 = ?"), {id}))
                    return StoreResult::failure(sql.error());
                if (!sql.query().next())
                    continue;
                const QString before = sql.query().value(0).toString();
                if (!sql.exec(QStringLiteral("UPDATE 発行記録 SET 状態 = ?, 無効理由 = ? WHERE 記録番号 = ?"),
                              {RegisterTable::Voided, reason, id}))
                    return StoreResult::failure(sql.error());
                changes.append(RegisterChanges::now(id, RegisterChanges::Voiding, before, RegisterTable::Voided, reason, by));
            }
            QString error;
            return RegisterChanges::addWithin(db_, changes, &error) ? StoreResult::success() : StoreResult::failure(error);
        },
        Transaction::Lock::Immediate);
}

ReceiptNumbers::Abandoned ReceiptNumbers::voidAbandoned() const
{
    Abandoned abandoned;
    abandoned.result = Transaction::run(
        db_,
        [&]() -> StoreResult {
            SqlRunner sql(db_);
            if (!sql.exec(QStringLiteral("SELECT DISTINCT 発行プロセス FROM 発行記録 WHERE 状態 = ?"),
                          {RegisterTable::Pending}))
                return StoreResult::failure(sql.error());
            const IssuingProcess self = issuer();
            QStringList ended;
            while (sql.query().next())
                if (const QString process = sql.query().value(0).toString(); self.sawEnd(process))
                    ended << process;
            // The voiding is a change like any other: each entry's is logged, by this start.
            QList<RegisterChanges::Change> changes;
            for (const QString& process : ended) {
                if (!sql.exec(QStringLiteral("SELECT 記録番号, 領収証番号 FROM 発行記録 WHERE 状態 = ? AND 発行プロセス = ?"),
                              {RegisterTable::Pending, process}))
                    return StoreResult::failure(sql.error());
                while (sql.query().next()) {
                    changes.append(RegisterChanges::now(sql.query().value(0).toLongLong(), RegisterChanges::Voiding,
                                                        RegisterTable::Pending, RegisterTable::Voided,
                                                        abandonedReason(), self));
                    abandoned.numbers << sql.query().value(1).toLongLong();
                }
                if (!sql.exec(QStringLiteral("UPDATE 発行記録 SET 状態 = ?, 無効理由 = ? WHERE 状態 = ? AND 発行プロセス = ?"),
                              {RegisterTable::Voided, abandonedReason(), RegisterTable::Pending, process}))
                    return StoreResult::failure(sql.error());
            }
            QString error;
            return RegisterChanges::addWithin(db_, changes, &error) ? StoreResult::success() : StoreResult::failure(error);
        },
        Transaction::Lock::Immediate);
    if (!abandoned.result)
        abandoned.numbers.clear();
    std::sort(abandoned.numbers.begin(), abandoned.numbers.end());
    abandoned.numbers.erase(std::unique(abandoned.numbers.begin(), abandoned.numbers.end()), abandoned.numbers.end());
    return abandoned;
}
