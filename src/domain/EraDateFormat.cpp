#include "domain/EraDateFormat.h"

#include <QRegularExpression>

#include <cmath>

#include <memory>
#include <unicode/calendar.h>
#include <unicode/smpdtfmt.h>
#include <unicode/timezone.h>

namespace {

icu::UnicodeString toIcu(const QString& text)
{
    return icu::UnicodeString(reinterpret_cast<const UChar*>(text.utf16()), int32_t(text.size()));
}

QString fromIcu(const icu::UnicodeString& text)
{
    return QString(reinterpret_cast<const QChar*>(text.getBuffer()), text.length());
}

// Era patterns in ICU's letters. "y=latn" keeps the first year of an era a number (01, not 元).
std::unique_ptr<icu::SimpleDateFormat> eraFormatter(const char* icuPattern)
{
    UErrorCode status = U_ZERO_ERROR;
    auto formatter = std::make_unique<icu::SimpleDateFormat>(
        icu::UnicodeString::fromUTF8(icuPattern), icu::UnicodeString::fromUTF8("y=latn"),
        icu::Locale("ja_JP@calendar=japanese"), status);
    if (U_FAILURE(status))
        return nullptr;
    formatter->adoptTimeZone(icu::TimeZone::getGMT()->clone());
    formatter->setLenient(false);
    return formatter;
}

icu::SimpleDateFormat* eraPrinter(bool withDay)
{
    static const auto full = eraFormatter("G yy年MM月dd日");
    static const auto yearMonth = eraFormatter("G yy年MM月");
    return withDay ? full.get() : yearMonth.get();
}

// Dates go to ICU as noon UTC of the day, so no time zone can move them to another day.
UDate toUDate(const QDate& date)
{
    return (double(date.toJulianDay()) - 2440587.5) * 86400000.0;
}

QDate fromUDate(UDate when)
{
    return QDate::fromJulianDay(qint64(std::floor(when / 86400000.0 + 2440588.0)));
}

QDate parseGregorian(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^\\s*(\\d{1,4})年(\\d{1,2})月(\\d{1,2})日\\s*$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return {};
    return QDate(m.captured(1).toInt(), m.captured(2).toInt(), m.captured(3).toInt());
}

QDate parseEra(const QString& text)
{
    static const QRegularExpression form(QStringLiteral("^\\s*(\\S+?)\\s*(\\d{1,2})年(\\d{1,2})月(\\d{1,2})日\\s*$"));
    const QRegularExpressionMatch m = form.match(text);
    if (!m.hasMatch())
        return {};
    static const auto reader = eraFormatter("G y年M月d日");
    if (!reader)
        return {};
    auto two = [](const QString& digits) { return QStringLiteral("%1").arg(digits.toInt(), 2, 10, QLatin1Char('0')); };
    const QString canonical = m.captured(1) + QLatin1Char(' ') + two(m.captured(2)) + QStringLiteral("年") +
                              two(m.captured(3)) + QStringLiteral("月") + two(m.captured(4)) + QStringLiteral("日");
    const icu::UnicodeString source = toIcu(canonical);
    icu::ParsePosition position(0);
    const UDate when = reader->parse(source, position);
    if (position.getErrorIndex() >= 0 || position.getIndex() != source.length())
        return {};
    // The reader still takes days an era never reached (昭和 64年12月31日): only a date that
    // formats back to the same text is real.
    const QDate date = fromUDate(when);
    return EraDateFormat::format(date, EraDateFormat::EraPattern) == canonical ? date : QDate();
}

} // namespace

namespace EraDateFormat {

QString format(const QDate& date, const QString& pattern)
{
    if (!date.isValid())
        return {};
    if (pattern == GregorianPattern)
        return QStringLiteral("%1年%2月%3日")
            .arg(date.year(), 4, 10, QLatin1Char('0'))
            .arg(date.month(), 2, 10, QLatin1Char('0'))
            .arg(date.day(), 2, 10, QLatin1Char('0'));
    if (pattern == GregorianYearMonthPattern)
        return QStringLiteral("%1年%2月").arg(date.year(), 4, 10, QLatin1Char('0')).arg(date.month(), 2, 10, QLatin1Char('0'));
    const bool full = pattern == EraPattern;
    if (!full && pattern != EraYearMonthPattern)
        return {};
    icu::SimpleDateFormat* printer = eraPrinter(full);
    if (!printer)
        return {};
    icu::UnicodeString out;
    printer->format(toUDate(date), out);
    return fromIcu(out);
}

QDate parse(const QString& text, const QString& pattern)
{
    if (pattern == GregorianPattern)
        return parseGregorian(text);
    if (pattern == EraPattern)
        return parseEra(text);
    return {};
}

} // namespace EraDateFormat
