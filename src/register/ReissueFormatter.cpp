#include "register/ReissueFormatter.h"

#include "printing/PrintRequest.h"
#include "printing/ReceiptFormatter.h"
#include "report/ReportDetail.h"
#include "report/ReportLayout.h"
#include "store/RegisterTable.h"
#include "ui/Clock.h"

ReissueFormatter::ReissueFormatter(QList<RegisterEntry> entries) : entries_(std::move(entries)) {}

PrintRequest ReissueFormatter::requestOf(const RegisterEntry& entry)
{
    PrintRequest request;
    request.paper = ReceiptLayouts::paperOrDefault(entry.用紙);
    request.ReceiptTitle = entry.表題;
    request.ReceiptNo = entry.領収証番号;
    request.CompanyName = entry.自社名;
    request.CompanyInfo = entry.自社情報;
    request.ReceiptDate = entry.領収日付; // as printed: a blank date stays blank
    request.PrintDateFlag = true;
    request.PrintAmountFlag = !entry.領収額.isNull();
    request.PrintNumberFlag = true;
    request.ReceiptProviso = entry.但書;
    return request;
}

void ReissueFormatter::reportStart(ReportLayout& layout)
{
    // Top right of the cell, above the number and the date: no layout prints there.
    constexpr int width = 1100;
    constexpr int height = 260;
    const int right = (layout.cellWidth > 0 ? layout.cellWidth : layout.paper.width() - layout.margins.left() -
                                                                      layout.margins.right()) - 170;
    ReportControl mark = Controls::label(markControl(), right - width, 50, width, height, 9, Qt::AlignRight,
                                         QStringLiteral("【再発行】"));
    mark.colour = QColor(0xB0, 0x1E, 0x1E);
    layout.controls.append(mark);
}

void ReissueFormatter::detailFormat(ReportDetail& detail)
{
    if (cell_ >= entries_.size())
        return;
    ReceiptFormatter(requestOf(entries_.at(cell_))).detailFormat(detail);
}

OutputClearance ReissueFormatter::clearForOutput(ReportRun&, const QString& outputName)
{
    QList<RegisterEntry> entries = entries_;
    const QString now = Clock::now().toString(Qt::ISODate);
    for (RegisterEntry& entry : entries) {
        entry.出力先 = outputName;
        entry.発行日時 = now;
    }
    const StoreResult recorded = RegisterTable::recordReissue(entries);
    if (!recorded)
        return {false, QStringLiteral("発行記録を保存できなかったため、印刷を中止しました。\n") + recorded.error, {}};
    return {};
}
