#include "domain/JapaneseHolidays.h"

#include <cmath>

namespace JapaneseHolidays {

namespace {

const QDate LawBegan(1948, 7, 20);
const QDate SubstitutesBegan(1973, 4, 12);
const QDate DaysBetweenBegan(1985, 12, 27);

// The n-th Monday of a month.
QDate nthMonday(int year, int month, int n)
{
    const QDate first(year, month, 1);
    return first.addDays((8 - first.dayOfWeek()) % 7 + 7 * (n - 1));
}

// The equinox days as the National Astronomical Observatory's formula gives them for
// 1900–2099 (the years the date box accepts after the law began).
// The count of leap days is truncated towards zero, also for the negative counts before 1980:
// rounded down instead, most equinoxes from 1949 to 1978 would come a day late.
int equinox(int year, double base)
{
    const int leapDays = (year - (year < 1980 ? 1983 : 1980)) / 4;
    return int(std::floor(base + 0.242194 * (year - 1980) - leapDays));
}

int springEquinox(int year) { return equinox(year, year < 1980 ? 20.8357 : 20.8431); }

int autumnEquinox(int year) { return equinox(year, year < 1980 ? 23.2588 : 23.2488); }

// One rule of the table: the holiday's date in `year`, or an invalid date when the rule is
// not in force that year.
struct Rule {
    const char16_t* name;
    int from;
    int to;
    QDate (*date)(int year);
};

const Rule rules[] = {
    {u"元日", 1949, 9999, [](int y) { return QDate(y, 1, 1); }},
    {u"成人の日", 1949, 1999, [](int y) { return QDate(y, 1, 15); }},
    {u"成人の日", 2000, 9999, [](int y) { return nthMonday(y, 1, 2); }},
    {u"建国記念の日", 1967, 9999, [](int y) { return QDate(y, 2, 11); }},
    {u"天皇誕生日", 2020, 9999, [](int y) { return QDate(y, 2, 23); }},
    {u"春分の日", 1949, 9999, [](int y) { return QDate(y, 3, springEquinox(y)); }},
    {u"天皇誕生日", 1949, 1988, [](int y) { return QDate(y, 4, 29); }},
    {u"みどりの日", 1989, 2006, [](int y) { return QDate(y, 4, 29); }},
    {u"昭和の日", 2007, 9999, [](int y) { return QDate(y, 4, 29); }},
    {u"憲法記念日", 1949, 9999, [](int y) { return QDate(y, 5, 3); }},
    {u"みどりの日", 2007, 9999, [](int y) { return QDate(y, 5, 4); }},
    {u"こどもの日", 1949, 9999, [](int y) { return QDate(y, 5, 5); }},
    {u"海の日", 1996, 2002, [](int y) { return QDate(y, 7, 20); }},
    {u"海の日", 2003, 9999, [](int y) {
         return y == 2020 ? QDate(2020, 7, 23) : y == 2021 ? QDate(2021, 7, 22) : nthMonday(y, 7, 3);
     }},
    {u"山の日", 2016, 9999, [](int y) {
         return y == 2020 ? QDate(2020, 8, 10) : y == 2021 ? QDate(2021, 8, 8) : QDate(y, 8, 11);
     }},
    {u"敬老の日", 1966, 2002, [](int y) { return QDate(y, 9, 15); }},
    {u"敬老の日", 2003, 9999, [](int y) { return nthMonday(y, 9, 3); }},
    {u"秋分の日", 1948, 9999, [](int y) { return QDate(y, 9, autumnEquinox(y)); }},
    {u"体育の日", 1966, 1999, [](int y) { return QDate(y, 10, 10); }},
    {u"体育の日", 2000, 2019, [](int y) { return nthMonday(y, 10, 2); }},
    {u"スポーツの日", 2020, 9999, [](int y) {
         return y == 2020 ? QDate(2020, 7, 24) : y == 2021 ? QDate(2021, 7, 23) : nthMonday(y, 10, 2);
     }},
    {u"文化の日", 1948, 9999, [](int y) { return QDate(y, 11, 3); }},
    {u"勤労感謝の日", 1948, 9999, [](int y) { return QDate(y, 11, 23); }},
    {u"天皇誕生日", 1989, 2018, [](int y) { return QDate(y, 12, 23); }},
};

// Days made holidays by a law of their own.
const struct {
    QDate date;
    const char16_t* name;
} oneOffs[] = {
    {QDate(1959, 4, 10), u"皇太子明仁親王の結婚の儀"}, {QDate(1989, 2, 24), u"昭和天皇の大喪の礼"},
    {QDate(1990, 11, 12), u"即位礼正殿の儀"},          {QDate(1993, 6, 9), u"皇太子徳仁親王の結婚の儀"},
    {QDate(2019, 5, 1), u"天皇の即位の日"},            {QDate(2019, 10, 22), u"即位礼正殿の儀"},
};

} // namespace

QMap<QDate, QString> ofYear(int year)
{
    QMap<QDate, QString> holidays;
    for (const Rule& rule : rules)
        if (year >= rule.from && year <= rule.to)
            if (const QDate day = rule.date(year); day.isValid() && day >= LawBegan)
                holidays.insert(day, QString::fromUtf16(rule.name));
    for (const auto& day : oneOffs)
        if (day.date.year() == year)
            holidays.insert(day.date, QString::fromUtf16(day.name));

    const QMap<QDate, QString> named = holidays;
    // A holiday on a Sunday moves the rest to the next day that is none (until 2006: the Monday).
    for (auto it = named.cbegin(); it != named.cend(); ++it) {
        if (it.key().dayOfWeek() != Qt::Sunday || it.key() < SubstitutesBegan)
            continue;
        QDate next = it.key().addDays(1);
        if (year >= 2007)
            while (named.contains(next))
                next = next.addDays(1);
        if (!holidays.contains(next) && next.year() == year)
            holidays.insert(next, QStringLiteral("振替休日"));
    }
    // A day between two holidays (until 2006 not a Sunday), unless it is already a substitute:
    // that one keeps its name, as the law put it first.
    for (auto it = named.cbegin(); it != named.cend(); ++it) {
        const QDate between = it.key().addDays(1);
        if (between >= DaysBetweenBegan && named.contains(between.addDays(1)) && !holidays.contains(between) &&
            (year >= 2007 || between.dayOfWeek() != Qt::Sunday))
            holidays.insert(between, QStringLiteral("国民の休日"));
    }
    return holidays;
}

} // namespace JapaneseHolidays
