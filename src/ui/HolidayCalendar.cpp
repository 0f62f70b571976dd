#include "ui/HolidayCalendar.h"

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
    const int year = QDate::currentDate().year();
    for (int y = year - 1; y <= year + 1; ++y)
        markHolidays(y);
}

const QList<QPair<int, int>>& HolidayCalendar::fixedHolidays()
{
    static const QList<QPair<int, int>> days = {{1, 1},  {1, 15}, {2, 11},  {4, 29},  {5, 3},   {5, 4},  {5, 5},
                                                {7, 20}, {9, 15}, {10, 10}, {11, 3}, {11, 23}, {12, 23}};
    return days;
}

void HolidayCalendar::markHolidays(int year)
{
    QTextCharFormat holiday;
    holiday.setForeground(QColor(0xc0, 0x1c, 0x1c));
    holiday.setBackground(QColor(0xfd, 0xe8, 0xe8));
    holiday.setFontWeight(QFont::Bold);
    for (const auto& [month, day] : fixedHolidays())
        setDateTextFormat(QDate(year, month, day), holiday);
}
