#include "settings/ReceiptCounter.h"

#include "store/CompanyTable.h"
#include "store/Connections.h"
#include "store/RegisterTable.h"

QVariant Access自社情報(const QVariant& field, const QVariant& mode, const QVariant& value)
{
    if (field.toString() != QStringLiteral("領収証番号"))
        return QString();
    const QString modeText = mode.toString();
    if (modeText == QLatin1String("Get")) {
        bool ok = false;
        const std::optional<CompanySettingsRecord> row = CompanyTable::readFirst(&ok);
        if (!ok) // an unreadable counter must not hand out 1 again
            return QString();
        // A number in the register was given out even when the counter was lowered since.
        const std::optional<qint64> recorded = RegisterTable::highestNumber(Connections::mainDb());
        if (!recorded)
            return QString();
        if (!row || row->領収証番号.isNull() || row->領収証番号.toString().isEmpty())
            return *recorded + 1;
        return std::max(row->領収証番号.toLongLong(), *recorded) + 1;
    }
    if (modeText == QLatin1String("Set")) {
        bool isNumber = false;
        const qint64 number = value.toString().toLongLong(&isNumber);
        if (!isNumber)
            return QString();
        CompanyTable::raiseReceiptNumber(number);
    }
    return QString();
}

StoreResult issueReceiptNumbers(qint64 first, qint64 count, qint64* issuedFirst, const QList<RegisterEntry>& entries,
                                QList<qint64>* recordedIds)
{
    qint64 from = first;
    const StoreResult result = CompanyTable::issueReceiptNumbers(first, count, &from, entries, recordedIds);
    if (result && issuedFirst)
        *issuedFirst = from;
    return result;
}
