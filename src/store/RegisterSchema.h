#pragma once
#include <QSqlDatabase>
#include <QString>

// The table of issued receipts (発行記録) in the main database.
namespace RegisterSchema {
// The compiled-in script that creates it where it is missing.
QString script();
// Adds the table and its indexes where they are missing, in one transaction; every other
// table stays as it is. A register that already holds two original entries for one number
// is refused with those numbers named. Returns an empty text, or why it failed (in Japanese).
QString ensure(QSqlDatabase db);
} // namespace RegisterSchema
