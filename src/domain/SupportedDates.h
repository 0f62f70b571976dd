#pragma once
#include <QDate>

// The dates the program takes for a receipt, in the date box and on the command line alike:
// both date patterns show every day of this range correctly (the Gregorian calendar in Japan
// begins in 1873; eras after Reiwa are not known yet).
namespace SupportedDates {
inline const QDate First = QDate(1873, 1, 1);
inline const QDate Last = QDate(2099, 12, 31);
inline bool contains(const QDate& date) { return date >= First && date <= Last; }
} // namespace SupportedDates
