#include "ui/HolidayCalendar.h"

#include "domain/Clock.h"
#include "domain/JapaneseHolidays.h"

#include <QTextCharFormat>

HolidayCalendar::HolidayCalendar(QWidget* parent) : QCalendarWidget(parent)
{
    setLocale(QLocale(QLocale::Japanese, QLocale::Japan)); // weekday names 日 月 火 水 木 金 土
    setFirstDayOfWeek(Qt::Sunday);
    setHorizontalHeaderFormat(QCalendarWidget::ShortDayNames);
    setVerticalHeaderFormat(QCalendarWidget::NoVerticalHeader);
    setGridVisible(true);
    setNavigationBarVisible(false); // the date box shows its own year-and-month bar
    QTextCharFormat saturday;
    saturday.setForeground(QColor(0x1d, 0x4e, 0xb0));
    setWeekdayTextFormat(Qt::Saturday, saturday);
    // The page shows days of the neighbouring years in January and December.
    connect(this, &QCalendarWidget::currentPageChanged, this, [this](int year, int) {
        for (int y = year - 1; y <= year + 1; ++y)
            markHolidays(y);
    });
    const int year = Clock::today().year();
    for (int y = year - 1; y <= year + 1; ++y)
        markHolidays(y);
}

void HolidayCalendar::markHolidays(int year)
{
    QTextCharFormat holiday;
    holiday.setForeground(QColor(0xc0, 0x1c, 0x1c));
    holiday.setBackground(QColor(0xfd, 0xe8, 0xe8));
    holiday.setFontWeight(QFont::Bold);
    const QMap<QDate, QString> holidays = JapaneseHolidays::ofYear(year);
    for (auto it = holidays.cbegin(); it != holidays.cend(); ++it) {
        holiday.setToolTip(it.value());
        setDateTextFormat(it.key(), holiday);
    }
}
