#pragma once
#include "store/Records.h"
#include "store/StoreResult.h"

#include <QList>

#include <optional>

// コードマスタ on MainDb.
namespace CodeMasterTable {
inline const QString CustomerCategoryKind = QStringLiteral("顧客区分");
inline const QString ProvisoKind = QStringLiteral("但書");

// The rows of one list (kcode) in code order.
QList<CodeRecord> readKind(const QString& kcode, bool* ok = nullptr);
// Replaces the list's rows with `names` numbered "01", "02", … by position, all or nothing,
// raising the list's saved version; refused when that is no longer `loaded` (see
// SavedVersions::save).
StoreResult replaceKind(const QString& kcode, const QList<QVariant>& names, std::optional<qint64> loaded = std::nullopt,
                        qint64* saved = nullptr);
} // namespace CodeMasterTable
