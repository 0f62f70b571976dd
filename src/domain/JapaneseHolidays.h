#pragma once
#include <QDate>
#include <QMap>
#include <QString>

// Japan's national holidays (国民の祝日) as the holiday law has set them since it began on
// 1948-07-20, each year by the rules in force that year: the fixed and the "n-th Monday"
// days, the equinoxes, the one-off days of the imperial family and of the 2020 and 2021
// Olympic years, substitute holidays (振替休日, since 1973-04-12) and the days between two
// holidays (国民の休日, since 1985-12-27). Years before the law have none.
namespace JapaneseHolidays {
// The holidays of `year` with their names, by date.
QMap<QDate, QString> ofYear(int year);
} // namespace JapaneseHolidays
