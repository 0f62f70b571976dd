#include "ui/AmountText.h"

#include "ui/NumberBox.h"

namespace AmountText {

QString thousands(qint64 amount)
{
    return amount == 0 ? QString() : NumberBox::formatted(amount);
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

} // namespace AmountText
