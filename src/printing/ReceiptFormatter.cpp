#include "printing/ReceiptFormatter.h"

#include "printing/ReceiptFormat.h"
#include "report/ReportDetail.h"
#include "report/ReportLayout.h"
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
    const PrintRequest& s = request_;

    if (detail.text(QStringLiteral("txt但書")).isEmpty())
        detail.setText(QStringLiteral("txt但書"),
                       s.ReceiptProviso.isEmpty() ? ReceiptFormat::defaultProviso() : s.ReceiptProviso);

    detail.setText(QStringLiteral("txt会名称"), s.CompanyName);
    detail.setText(QStringLiteral("txt会情報"), s.CompanyInfo);
    detail.setText(QStringLiteral("Lbl領収証タイトル"), s.ReceiptTitle);

    const QString date = s.PrintDateFlag && !s.ReceiptDate.isEmpty() ? s.ReceiptDate : ReceiptFormat::blankDate();
    detail.setText(QStringLiteral("txt日付"), date);
    detail.setText(QStringLiteral("txt日付控"), date);

    const QString amount = detail.text(QStringLiteral("txt領収額"));
    if (s.PrintAmountFlag && !amount.isEmpty()) {
        const QString formatted = ReceiptFormat::amount(amount);
        detail.setText(QStringLiteral("txt領収額"),
                       ReceiptFormat::amountPrefix() + formatted + ReceiptFormat::amountSuffix());
        // The counterfoil shows the same column, with its own prefix and suffix.
        const QString own = ReceiptFormat::amount(detail.text(QStringLiteral("txt領収額控")));
        detail.setText(QStringLiteral("txt領収額控"),
                       ReceiptFormat::counterfoilPrefix() + own + ReceiptFormat::counterfoilSuffix());
    } else {
        detail.setText(QStringLiteral("txt領収額"), s.paper.eightUp && s.PrintAmountFlag
                                                         ? ReceiptFormat::blankAmountNarrow()
                                                         : ReceiptFormat::blankAmountWide());
        detail.setText(QStringLiteral("txt領収額控"), ReceiptFormat::counterfoilBlankAmount());
    }

    const QString number = s.PrintNumberFlag ? ReceiptFormat::number(nextNumber_) : QString();
    detail.setText(QStringLiteral("txtNo"), number);
    detail.setText(QStringLiteral("txtNo控"), number);

    if (!s.PrintNumberFlag)
        return; // only numbered receipts are recorded
    RegisterEntry entry;
    entry.領収証番号 = nextNumber_;
    entry.領収日付 = date;
    entry.顧客名 = detail.text(QStringLiteral("txt氏名"));
    if (s.PrintAmountFlag && !amount.isEmpty()) {
        bool whole = false;
        const qint64 yen = amount.toLongLong(&whole);
        entry.領収額 = whole ? QVariant(yen) : QVariant(amount);
    }
    entry.但書 = detail.text(QStringLiteral("txt但書"));
    entry.表題 = s.ReceiptTitle;
    entry.自社名 = s.CompanyName;
    entry.自社情報 = s.CompanyInfo;
    entry.用紙 = s.paper.name;
    entry.種別 = RegisterTable::ListRun; // blank forms carry no number
    entries_.append(entry);
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
    for (int cell = 0; cell < run.cellCount(); ++cell) {
        const QString number = ReceiptFormat::number(firstNumber_ + cell);
        run.setText(cell, QStringLiteral("txtNo"), number);
        run.setText(cell, QStringLiteral("txtNo控"), number);
    }
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
