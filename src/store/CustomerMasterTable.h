#pragma once
#include "store/Records.h"
#include "store/SqlRunner.h"
#include "store/StoreResult.h"

#include <QList>

#include <optional>

// 顧客マスタ on MainDb.
namespace CustomerMasterTable {
// The rows of one category in 行番号 order (Null names included), read forward one at a time:
// a long list is never held whole.
class CategoryRows {
public:
    explicit CategoryRows(const QString& category);
    // The next row; nothing at the end, or when reading failed (error() says so).
    std::optional<CustomerRecord> next();
    // "" while every row could be read.
    QString error() const { return error_; }

private:
    SqlRunner sql_;
    bool reading_ = false;
    QString error_;
};

// Rows of one category in 行番号 order (Null names included; callers skip them).
QList<CustomerRecord> readCategory(const QString& category, bool* ok = nullptr);
// Rows of every category, by category name, then in 行番号 order.
QList<CustomerRecord> readAll(bool* ok = nullptr);
// Deletes the category's rows and inserts `rows` under it, all or nothing, raising the
// category's saved version; refused when that is no longer `loaded` (see SavedVersions::save).
StoreResult replaceCategory(const QString& category, const QList<CustomerRecord>& rows,
                            std::optional<qint64> loaded = std::nullopt, qint64* saved = nullptr);
} // namespace CustomerMasterTable
