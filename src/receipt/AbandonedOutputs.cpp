#include "receipt/AbandonedOutputs.h"

#include "receipt/ReceiptFormat.h"
#include "store/ReceiptNumbers.h"

#include <QStringList>

namespace AbandonedOutputs {

namespace {

// 00041～00044、00050: runs of numbers, the first few of them.
QString rangesOf(const QList<qint64>& numbers)
{
    constexpr int shown = 5;
    QStringList ranges;
    for (qsizetype i = 0; i < numbers.size();) {
        qsizetype end = i + 1;
        while (end < numbers.size() && numbers.at(end) == numbers.at(end - 1) + 1)
            ++end;
        if (ranges.size() == shown) {
            ranges << QStringLiteral("ほか");
            break;
        }
        ranges << (end - i == 1 ? ReceiptFormat::number(numbers.at(i))
                                : ReceiptFormat::number(numbers.at(i)) + QStringLiteral("～") +
                                      ReceiptFormat::number(numbers.at(end - 1)));
        i = end;
    }
    return ranges.join(QStringLiteral("、"));
}

} // namespace

QString settle(QSqlDatabase mainDb)
{
    const ReceiptNumbers::Abandoned abandoned = ReceiptNumbers(std::move(mainDb)).voidAbandoned();
    if (!abandoned.result)
        return QStringLiteral("出力の途中で終了した発行記録を確かめられませんでした。\n") + abandoned.result.error;
    if (abandoned.numbers.isEmpty())
        return {};
    return QStringLiteral("前回、出力の途中でプログラムが終了したため、領収証番号 %1 の発行を「無効」として"
                          "発行記録に残しました（理由「%2」）。これらの番号が使われることはありません。"
                          "途中まで印刷された用紙があれば、発行記録と照らし合わせてください。")
        .arg(rangesOf(abandoned.numbers), ReceiptNumbers::abandonedReason());
}

} // namespace AbandonedOutputs
