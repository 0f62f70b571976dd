#include "domain/Clock.h"

namespace {
QDate& fixed()
{
    static QDate date;
    return date;
}
} // namespace

namespace Clock {
QDate today() { return fixed().isValid() ? fixed() : QDate::currentDate(); }
QDateTime now()
{
    QDateTime moment = QDateTime::currentDateTime();
    moment.setTime(QTime(moment.time().hour(), moment.time().minute(), moment.time().second()));
    if (fixed().isValid())
        moment.setDate(fixed());
    return moment;
}
void fixToday(const QDate& date) { fixed() = date; }
} // namespace Clock
