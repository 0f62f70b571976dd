#include "printing/ReceiptFormatter.h"

#include "printing/ReceiptFormat.h"
#include "printing/ReceiptTexts.h"
#include "report/ReportRun.h"
#include "store/Connections.h"
#include "store/RegisterTable.h"
#include "ui/Clock.h"

#include <utility>

ReceiptFormatter::ReceiptFormatter(PrintRequest request, ReceiptNumbers numbers)
    : request_(std::move(request)), numbers_(std::move(numbers)), nextNumber_(request_.ReceiptNo),
      firstNumber_(request_.ReceiptNo)
{
}

ReceiptFormatter::ReceiptFormatter(PrintRequest request)
    : ReceiptFormatter(std::move(request), ReceiptNumbers(Connections::mainDb()))
{
}

void ReceiptFormatter::detailFormat(ReportDetail& detail)
{
    const ReceiptTexts texts = ReceiptTexts::of(request_, ReceiptTexts::rowOf(detail), nextNumber_);
    texts.writeTo(detail);
    if (request_.PrintNumberFlag) // only numbered receipts are recorded
        entries_.append(texts.entry(request_));
}

QList<RegisterEntry> ReceiptFormatter::entriesFor(const QString& outputName) const
{
    const QString now = Clock::now().toString(Qt::ISODate);
    QList<RegisterEntry> entries = entries_;
    for (qsizetype i = 0; i < entries.size(); ++i) {
        entries[i].領収証番号 = firstNumber_ + i;
        entries[i].出力先 = outputName;
        entries[i].発行日時 = now;
        entries[i].状態 = RegisterTable::Issued;
    }
    return entries;
}

void ReceiptFormatter::detailAfterPrint()
{
    ++count_;
    ++nextNumber_;
}

OutputClearance ReceiptFormatter::clearForOutput(ReportRun& run, const QString& outputName)
{
    if (!request_.PrintNumberFlag || count_ == 0)
        return {};
    if (issued_) {
        // The same receipts once more: recorded as reissued; the first entries stay as they are.
        const StoreResult recorded = numbers_.reissue(entriesFor(outputName), &lastRecorded_);
        lastIssued_ = false;
        if (!recorded)
            return {false, QStringLiteral("発行記録を保存できなかったため、印刷を中止しました。\n") + recorded.error, {}};
        return {};
    }
    const ReceiptNumbers::Issued issued = numbers_.issue(firstNumber_, count_, entriesFor(outputName));
    lastRecorded_ = issued.ids;
    lastIssued_ = true;
    if (!issued.result)
        return {false, QStringLiteral("領収証番号を保存できなかったため、印刷を中止しました。\n") + issued.result.error,
                {}};
    issued_ = true;
    const bool voided = std::exchange(voided_, false);
    if (issued.first == firstNumber_)
        return {};
    // Another run issued these numbers after this one was previewed, or an output of this run
    // failed and voided them: this run takes the next free ones, and the preview shows them.
    firstNumber_ = issued.first;
    for (int cell = 0; cell < run.cellCount(); ++cell)
        ReceiptTexts::writeNumber(run, cell, ReceiptFormat::number(firstNumber_ + cell));
    QString numbers = ReceiptFormat::number(firstNumber_);
    if (count_ > 1)
        numbers += QStringLiteral("～") + ReceiptFormat::number(firstNumber_ + count_ - 1);
    const QString why = voided ? QStringLiteral("前回の出力ができなかった番号は無効として発行記録に残したため")
                        : issued.renumbered == ReceiptNumbers::Renumbered::CounterRaised
                            ? QStringLiteral("設定で領収証番号がこの番号より先に進められたため")
                            : QStringLiteral("ほかの出力が先にこの番号を使ったため");
    return {true, {}, QStringLiteral("%1、領収証番号を %2 に振り直しました。").arg(why, numbers)};
}

void ReceiptFormatter::outputFailed(ReportRun&, const QString& reason)
{
    if (!lastIssued_) {
        numbers_.withdraw(lastRecorded_);
    } else if (issued_) {
        numbers_.voidEntries(lastRecorded_, QStringLiteral("出力できませんでした：") + reason);
        issued_ = false;
        voided_ = true;
    }
    lastRecorded_.clear();
}
