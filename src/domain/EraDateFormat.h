#pragma once
#include <QDate>
#include <QString>

// Dates as the date box shows them: "yyyy年mm月dd日" or, in the era form, "ggg ee年mm月dd日"
// (era name and two-digit year within the era, from ICU's Japanese calendar).
namespace EraDateFormat {
inline const QString GregorianPattern = QStringLiteral("yyyy年mm月dd日");
inline const QString EraPattern = QStringLiteral("ggg ee年mm月dd日");
inline const QString GregorianYearMonthPattern = QStringLiteral("yyyy年mm月");
inline const QString EraYearMonthPattern = QStringLiteral("ggg ee年mm月");

// Only the setting "和暦", exactly, selects the era form.
inline bool isEraSetting(const QString& setting) { return setting == QStringLiteral("和暦"); }
inline QString patternForSetting(const QString& setting) { return isEraSetting(setting) ? EraPattern : GregorianPattern; }

// Formats `date` by one of the four patterns above; "" for an invalid date or another pattern.
QString format(const QDate& date, const QString& pattern);
// Reads a date typed in `pattern` (full-date patterns only); an invalid date when the text
// is not a whole, existing date of that form. Leading zeros may be left out.
QDate parse(const QString& text, const QString& pattern);
} // namespace EraDateFormat
