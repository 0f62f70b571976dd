#include "domain/AmountText.h"

namespace AmountText {

QString grouped(qint64 value)
{
    // The magnitude as unsigned, so that the lowest qint64 has one too.
    const quint64 magnitude = value < 0 ? quint64(-(value + 1)) + 1 : quint64(value);
    QString digits = QString::number(magnitude);
    for (qsizetype at = digits.size() - 3; at > 0; at -= 3)
        digits.insert(at, QLatin1Char(','));
    return value < 0 ? QLatin1Char('-') + digits : digits;
}

QString thousands(qint64 amount)
{
    return amount == 0 ? QString() : grouped(amount);
}

bool parse(const QString& text, qint64* amount)
{
    QString digits = text.normalized(QString::NormalizationForm_KC).trimmed();
    digits.remove(QLatin1Char(','));
    if (digits.isEmpty())
        return false;
    bool ok = false;
    const qint64 value = digits.toLongLong(&ok);
    if (ok && amount)
        *amount = value;
    return ok;
}

bool parseReceiptAmount(const QString& text, qint64* amount)
{
    qint64 value = 0;
    if (!parse(text, &value) || value < 0 || value > Maximum)
        return false;
    if (amount)
        *amount = value;
    return true;
}

} // namespace AmountText
