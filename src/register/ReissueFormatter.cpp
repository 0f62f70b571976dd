#include "register/ReissueFormatter.h"

#include "printing/PrintRequest.h"
#include "printing/ReceiptTexts.h"
#include "report/ReportDetail.h"
#include "report/ReportLayout.h"
#include "store/Connections.h"
#include "store/ReceiptNumbers.h"
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

QRect ReissueFormatter::markBox(const ReportLayout& layout)
{
    constexpr int width = 950; // 【再発行】 at 9 pt
    constexpr int height = 230;
    constexpr int gap = 120;
    const int cellWidth = layout.cellWidth > 0 ? layout.cellWidth
                                               : layout.paper.width() - layout.margins.left() - layout.margins.right();
    QList<QRect> candidates;
    // Beside the number it marks, or under it, else the cell's top right corner.
    QRect number;
    for (const char* name : {"LblNo", "txtNo"})
        if (const ReportControl* c = layout.control(QString::fromUtf8(name)))
            number = number.isNull() ? c->box : number.united(c->box);
    if (!number.isNull()) {
        candidates << QRect(number.left() - gap - width, number.top(), width, height);
        candidates << QRect(number.left() - gap - width, number.bottom() - height, width, height);
        candidates << QRect(number.left(), number.bottom() + gap / 3, width, height);
    }
    candidates << QRect(cellWidth - 170 - width, 50, width, height);
    for (const QRect& candidate : candidates) {
        bool free = candidate.left() >= 0 && candidate.right() < cellWidth;
        for (const ReportControl& c : layout.controls) {
            if (!c.isText())
                continue;
            // A text that runs on may reach the cell's right edge.
            const QRect taken = c.runsOn ? QRect(c.box.topLeft(), QPoint(cellWidth, c.box.bottom())) : c.box;
            free = free && !taken.intersects(candidate);
        }
        if (free)
            return candidate;
    }
    return candidates.last();
}

void ReissueFormatter::reportStart(ReportLayout& layout)
{
    ReportControl mark = Controls::label(markControl(), 0, 0, 0, 0, 9, Qt::AlignRight, QStringLiteral("【再発行】"));
    mark.box = markBox(layout);
    mark.colour = QColor(0xB0, 0x1E, 0x1E);
    layout.controls.append(mark);
}

void ReissueFormatter::detailFormat(ReportDetail& detail)
{
    if (cell_ >= entries_.size())
        return;
    const RegisterEntry& entry = entries_.at(cell_);
    ReceiptTexts::of(requestOf(entry), ReceiptTexts::rowOf(detail), entry.領収証番号).writeTo(detail);
}

OutputClearance ReissueFormatter::clearForOutput(ReportRun&, const QString& outputName)
{
    QList<RegisterEntry> entries = entries_;
    const QString now = Clock::now().toString(Qt::ISODate);
    for (RegisterEntry& entry : entries) {
        entry.出力先 = outputName;
        entry.発行日時 = now;
    }
    const StoreResult recorded = ReceiptNumbers(Connections::mainDb()).reissue(entries, &lastRecorded_);
    if (!recorded)
        return {false, QStringLiteral("発行記録を保存できなかったため、印刷を中止しました。\n") + recorded.error, {}};
    return {};
}

void ReissueFormatter::outputFailed(ReportRun&, const QString&)
{
    ReceiptNumbers(Connections::mainDb()).withdraw(lastRecorded_);
    lastRecorded_.clear();
}
