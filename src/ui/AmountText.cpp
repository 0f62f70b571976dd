#include "ui/AmountText.h"

#include <QLocale>

namespace AmountText {

QString thousands(qint64 amount)
{
    if (amount == 0)
        return {};
    return QLocale(QLocale::English, QLocale::UnitedStates).toString(amount);
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
