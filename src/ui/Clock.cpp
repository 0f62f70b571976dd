#include "ui/Clock.h"

namespace {
QDate& fixed()
{
    static QDate date;
    return date;
}
} // namespace

namespace Clock {
QDate today() { return fixed().isValid() ? fixed() : QDate::currentDate(); }
void fixToday(const QDate& date) { fixed() = date; }
} // namespace Clock
