#include "receipt/ReceiptFormat.h"

#include "domain/AmountText.h"

#include <cmath>

namespace ReceiptFormat {

namespace {
const QChar Ideographic(0x3000);
const QChar Yen(0x00A5);

QString ideographic(int count) { return QString(count, Ideographic); }
} // namespace

QString defaultTitle() { return QStringLiteral("領収証"); }
QString defaultProviso() { return QStringLiteral("但し、品代として"); }

QString blankDate()
{
    return QStringLiteral("   ") + Ideographic + QStringLiteral("   年") + ideographic(2) + QStringLiteral("月") +
           ideographic(2) + QStringLiteral("日");
}

QString amountPrefix() { return QString(Ideographic) + Yen; }
QString amountSuffix() { return QStringLiteral("-") + Ideographic; }
QString blankAmountWide() { return QString(Ideographic) + Yen + ideographic(6); }
QString blankAmountNarrow() { return QString(Ideographic) + Yen + ideographic(4) + QStringLiteral("  "); }
QString counterfoilPrefix() { return QStringLiteral(" ") + Yen; }
QString counterfoilSuffix() { return QStringLiteral(" "); }
QString counterfoilBlankAmount() { return QString(Ideographic) + Yen + ideographic(5); }

QString amount(const QString& text)
{
    const QString trimmed = text.trimmed();
    bool isInteger = false;
    qint64 value = trimmed.toLongLong(&isInteger);
    if (!isInteger) {
        bool isNumber = false;
        const double real = trimmed.toDouble(&isNumber);
        if (!isNumber || !std::isfinite(real) || std::fabs(real) >= 9.2e18)
            return text;
        value = std::llround(real);
    }
    if (value == 0)
        return QString();
    return AmountText::thousands(value);
}

QString number(qint64 value)
{
    const quint64 magnitude = value < 0 ? quint64(-(value + 1)) + 1 : quint64(value);
    const QString digits = QStringLiteral("%1").arg(magnitude, 5, 10, QLatin1Char('0'));
    return value < 0 ? QStringLiteral("-") + digits : digits;
}

} // namespace ReceiptFormat
