#pragma once
#include "store/StoreResult.h"

#include <QString>

// The tax class a customer category's receipts take by default, kept beside the code lists in
// コードマスタ (kind 税区分: code the category's name, name the class's key). A category without
// one takes none.
namespace CategoryTaxTable {
inline const QString Kind = QStringLiteral("税区分");
// The stored key ("none", "10", "8", "exempt", "outside"), or an empty text.
QString read(const QString& category);
// Stores the key for the category, replacing what was there, in one transaction.
StoreResult write(const QString& category, const QString& key);
} // namespace CategoryTaxTable
