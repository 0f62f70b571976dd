#pragma once
#include "store/PdfArchive.h"
#include "store/Records.h"
#include "store/StoreResult.h"

#include <QDate>
#include <QSqlDatabase>
#include <QStringList>

#include <optional>

// 発行記録 on MainDb: every receipt that went out with a number, newest last. Entries are only
// ever added; voiding one changes its state and reason, nothing else.
namespace RegisterTable {

// An entry is recorded as 出力中 when its number is issued, before its output begins, and
// becomes 発行 (an original) or 再発行 (a copy) once the output has completed.
inline const QString Pending = QStringLiteral("出力中");
inline const QString Issued = QStringLiteral("発行");
inline const QString Reissued = QStringLiteral("再発行");
inline const QString Voided = QStringLiteral("無効");
inline const QString ListRun = QStringLiteral("一覧");
inline const QString BlankRun = QStringLiteral("白紙");

// What the register window shows, in its column order. 記録番号 comes first and is hidden.
struct Column {
    QString field;
    QString header;
};
const QList<Column>& columns();
int columnOf(const QString& field);
// After those, the window also shows how a receipt was prepared for mail; the CSV export keeps
// to columns().
inline const Column MailColumn{QStringLiteral("メール"), QStringLiteral("メール")};

// Empty members do not filter; they combine. Dates of issue (発行日時) and of the receipt
// (領収日) and amounts include both ends.
struct Filter {
    std::optional<qint64> numberFrom;
    std::optional<qint64> numberTo;
    QString namePart;
    QDate issuedFrom;
    QDate issuedTo;
    QString state;
    QDate receiptFrom;
    QDate receiptTo;
    std::optional<qint64> amountFrom;
    std::optional<qint64> amountTo;
};

// A select of the filtered entries in columns() order and MailColumn, sorted by that column (then newest first);
// sortColumn < 0 gives newest first.
struct Query {
    QString sql;
    QVariantList values;
};
Query select(const Filter& filter, int sortColumn = -1, Qt::SortOrder order = Qt::AscendingOrder);

// The entries the filter finds, and the sum of their amounts as money received (a 再発行 entry
// is a copy of a receipt already counted, and a 無効 one received nothing), also per tax rate.
struct RateTotal {
    int rate = 0;    // percent
    qint64 amount = 0; // tax included
    qint64 tax = 0;
};
struct Totals {
    qint64 count = 0;
    qint64 amount = 0;
    QList<RateTotal> perRate; // issued receipts that printed a rate, highest rate first
};
std::optional<Totals> totals(const Filter& filter);

// Adds entries as they stand, on a transaction the caller holds on `db`; `ids` receives their
// 記録番号.
StoreResult insertWithin(QSqlDatabase db, const EntrySource& entries, QList<qint64>* ids = nullptr);
// Entries by 記録番号, in the order asked; an id not found is left out.
QList<RegisterEntry> read(const QList<qint64>& ids, bool* ok = nullptr);
// Every entry of a select made by select(), in its order.
QList<RegisterEntry> readAll(const Filter& filter, int sortColumn, Qt::SortOrder order, bool* ok = nullptr);

// The kept copy and SHA-256 of every file the register names, once each, oldest first.
std::optional<QList<PdfArchive::Recorded>> keptFiles();

} // namespace RegisterTable
