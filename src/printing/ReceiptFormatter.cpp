#include "printing/ReceiptFormatter.h"

#include "printing/PrintRunSettings.h"
#include "printing/ReceiptFormat.h"
#include "report/ReportDetail.h"
#include "report/ReportLayout.h"
#include "settings/ReceiptCounter.h"

void ReceiptFormatter::reportStart(ReportLayout& layout)
{
    // Margins, cell height and page are part of each layout's table.
    narrowBlankAmount_ = layout.name.startsWith(QStringLiteral("Rpt領収証A48"));
}

void ReceiptFormatter::detailFormat(ReportDetail& detail)
{
    const PrintRunSettings& s = PrintRunSettings::current();

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
        detail.setText(QStringLiteral("txt領収額"), narrowBlankAmount_ && s.PrintAmountFlag
                                                         ? ReceiptFormat::blankAmountNarrow()
                                                         : ReceiptFormat::blankAmountWide());
        detail.setText(QStringLiteral("txt領収額控"), ReceiptFormat::counterfoilBlankAmount());
    }

    numbered_ = s.PrintNumberFlag;
    const QString number = s.PrintNumberFlag ? ReceiptFormat::number(s.ReceiptNo) : QString();
    detail.setText(QStringLiteral("txtNo"), number);
    detail.setText(QStringLiteral("txtNo控"), number);
}

void ReceiptFormatter::detailAfterPrint()
{
    lastNumber_ = PrintRunSettings::current().ReceiptNo;
    formattedAny_ = true;
    PrintRunSettings::current().ReceiptNo += 1;
}

void ReceiptFormatter::printStart()
{
    recordedThisJob_ = false;
}

void ReceiptFormatter::printProgress(int)
{
    // One write per job: every page would store the same number, and a failure should reach
    // the user once, not once per page.
    if (!numbered_ || !formattedAny_ || recordedThisJob_)
        return;
    recordedThisJob_ = true;
    Access自社情報(QStringLiteral("領収証番号"), QStringLiteral("Set"), lastNumber_);
}
