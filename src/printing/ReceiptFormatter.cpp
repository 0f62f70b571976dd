#include "printing/ReceiptFormatter.h"

#include "printing/ReceiptFormat.h"
#include "report/ReportDetail.h"
#include "report/ReportLayout.h"
#include "report/ReportRun.h"
#include "settings/ReceiptCounter.h"

ReceiptFormatter::ReceiptFormatter(PrintRequest request)
    : request_(std::move(request)), nextNumber_(request_.ReceiptNo), firstNumber_(request_.ReceiptNo)
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
}

void ReceiptFormatter::detailAfterPrint()
{
    ++count_;
    ++nextNumber_;
}

OutputClearance ReceiptFormatter::clearForOutput(ReportRun& run)
{
    if (!request_.PrintNumberFlag || count_ == 0 || issued_)
        return {};
    qint64 issuedFirst = firstNumber_;
    const StoreResult stored = issueReceiptNumbers(firstNumber_, count_, &issuedFirst);
    if (!stored)
        return {false, QStringLiteral("領収証番号を保存できなかったため、印刷を中止しました。\n") + stored.error, {}};
    issued_ = true;
    if (issuedFirst == firstNumber_)
        return {};
    // Another run issued these numbers after this one was previewed: this run takes the
    // next free ones, and the preview shows them.
    firstNumber_ = issuedFirst;
    for (int cell = 0; cell < run.cellCount(); ++cell) {
        const QString number = ReceiptFormat::number(firstNumber_ + cell);
        run.setText(cell, QStringLiteral("txtNo"), number);
        run.setText(cell, QStringLiteral("txtNo控"), number);
    }
    QString numbers = ReceiptFormat::number(firstNumber_);
    if (count_ > 1)
        numbers += QStringLiteral("～") + ReceiptFormat::number(firstNumber_ + count_ - 1);
    return {true, {},
            QStringLiteral("ほかの印刷が先にこの番号を使ったため、領収証番号を %1 に振り直しました。").arg(numbers)};
}
