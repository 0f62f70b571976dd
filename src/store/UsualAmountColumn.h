#pragma once
#include <QSqlDatabase>
#include <QString>

// 顧客マスタ.領収額, the member's usual amount, in a main database from before it was kept.
namespace UsualAmountColumn {
// Adds the column (Null for every member) where it is missing, in one transaction; nothing
// else changes, and a database that has it is not written. Returns an empty text, or why it
// failed (in Japanese).
QString ensure(QSqlDatabase db);
} // namespace UsualAmountColumn
