#include "settings/ReceiptCounter.h"

#include "store/Connections.h"
#include "store/ReceiptNumbers.h"

QVariant Access自社情報(const QVariant& field, const QVariant& mode, const QVariant& value)
{
    if (field.toString() != QStringLiteral("領収証番号"))
        return QString();
    const ReceiptNumbers numbers(Connections::mainDb());
    const QString modeText = mode.toString();
    if (modeText == QLatin1String("Get")) {
        // An unreadable or odd counter must not hand out 1 again.
        const ReceiptNumbers::Next next = numbers.next();
        return next.number ? QVariant(*next.number) : QVariant(QString());
    }
    if (modeText == QLatin1String("Set")) {
        bool isNumber = false;
        const qint64 number = value.toString().toLongLong(&isNumber);
        if (isNumber)
            numbers.raise(number);
    }
    return QString();
}
