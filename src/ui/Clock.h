#pragma once
#include <QDate>

// Today's date for the whole program; tests may fix it.
namespace Clock {
QDate today();
void fixToday(const QDate& date); // an invalid date returns to the system clock
} // namespace Clock
