#include "receipt/StampNotice.h"

#include "domain/AmountText.h"
#include "receipt/ReceiptTexts.h"

namespace StampNotice {

QString of(const PrintRequest& request, const PrintRowSource& rows)
{
    qint64 receipts = 0;
    qint64 duty = 0;
    for (qsizetype at = 0; at < rows.count; ++at) {
        const PrintRow row = rows.at(at);
        // Judged as the receipt will be printed.
        const QString amount = row.領収額.isNull() ? QString() : row.領収額.toString();
        const qint64 due =
            ReceiptTexts::of(request, {{}, amount, amount, {}, ConsumptionTax::fromKey(row.税区分.toString())}, 0).tax.stampDuty;
        receipts += due > 0;
        duty += due;
    }
    if (receipts == 0)
        return {};
    return QStringLiteral("収入印紙が必要な領収証：%1 枚（%2 円）").arg(receipts).arg(AmountText::grouped(duty));
}

} // namespace StampNotice
