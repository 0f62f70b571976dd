#pragma once
#include <QString>

// The printed texts of a receipt that do not come from the row. The yen sign is U+00A5:
// a backslash shows as ¥ only in some Japanese fonts and never in a PDF's text layer.
namespace ReceiptFormat {

QString defaultTitle();            // "領収証", the receipt form's title until the user changes it
QString defaultProviso();          // "但し、品代として"
QString blankDate();               // 3 spaces, U+3000, 3 spaces, 年, 2 U+3000, 月, 2 U+3000, 日
QString amountPrefix();            // U+3000, ¥
QString amountSuffix();            // "-", U+3000
QString blankAmountWide();         // U+3000, ¥, 6 U+3000
QString blankAmountNarrow();       // U+3000, ¥, 4 U+3000, 2 spaces
QString counterfoilPrefix();       // space, ¥
QString counterfoilSuffix();       // one space
QString counterfoilBlankAmount();  // U+3000, ¥, 5 U+3000

// "#,###": thousands separated by commas, no decimals, zero gives an empty text.
// A text that is not a number is returned as it is.
QString amount(const QString& text);
// "00000": at least five digits, longer numbers in full.
QString number(qint64 value);

} // namespace ReceiptFormat
