#pragma once
#include <QDate>
#include <QDateTime>

// Today's date for the whole program; tests may fix it.
namespace Clock {
QDate today();
// This moment, to the second; on a fixed day, that day at the time of the system clock.
QDateTime now();
void fixToday(const QDate& date); // an invalid date returns to the system clock
} // namespace Clock
