#pragma once
#include <QString>
#include <QVariant>

// Whole-yen amounts as the screens and receipts show them.
namespace AmountText {
inline const QString YenSign = QStringLiteral("\u00A5");
// Thousands separated by commas, with the sign: "-1,234,567"; zero gives "0".
QString grouped(qint64 value);
// "#,###": as grouped, but zero gives an empty text.
QString thousands(qint64 amount);
// Reads "12,345" or "12345" (half- or full-width digits); false for anything else.
bool parse(const QString& text, qint64* amount);
// The largest amount a receipt takes: ten digits.
inline constexpr qint64 Maximum = 9'999'999'999;
// An amount a receipt takes, read as parse reads it: a whole number from 0 to Maximum.
bool parseReceiptAmount(const QString& text, qint64* amount);
} // namespace AmountText
