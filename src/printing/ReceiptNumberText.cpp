#include "printing/ReceiptNumberText.h"

namespace ReceiptNumberText {

QString format(qint64 number)
{
    const QString digits = QString::number(number < 0 ? -number : number).rightJustified(5, QLatin1Char('0'));
    return number < 0 ? QLatin1Char('-') + digits : digits;
}

QString formLabel(const QVariant& nextNumber)
{
    bool ok = false;
    const qint64 number = nextNumber.toLongLong(&ok);
    return QStringLiteral("No.") + (ok && !nextNumber.toString().isEmpty() ? format(number) : QString());
}

} // namespace ReceiptNumberText
