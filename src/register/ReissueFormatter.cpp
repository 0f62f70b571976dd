#include "register/ReissueFormatter.h"

#include "domain/Clock.h"
#include "receipt/KeptFiles.h"
#include "receipt/PrintRequest.h"
#include "receipt/ReceiptTexts.h"
#include "receipt/ReissueMark.h"
#include "report/ReportDetail.h"
#include "report/ReportLayout.h"
#include "report/ReportRun.h"
#include "store/Connections.h"

ReissueFormatter::ReissueFormatter(QList<RegisterEntry> entries, ReceiptNumbers numbers, PdfArchive archive)
    : entries_(std::move(entries)), numbers_(std::move(numbers)), archive_(std::move(archive))
{
}

ReissueFormatter::ReissueFormatter(QList<RegisterEntry> entries)
    : ReissueFormatter(std::move(entries), ReceiptNumbers(Connections::mainDb()), PdfArchive::ofOpenData())
{
}

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
    ReissueMark::addTo(layout, ReissueMark::text());
}

void ReissueFormatter::detailFormat(ReportDetail& detail)
{
    if (cell_ >= entries_.size())
        return;
    const RegisterEntry& entry = entries_.at(cell_);
    ReceiptTexts::of(requestOf(entry), ReceiptTexts::rowOf(detail), entry.領収証番号).writeTo(detail);
}

OutputClearance ReissueFormatter::clearForOutput(ReportRun& run, const QString& outputName, OutputPages pages)
{
    const auto [first, end] = run.cellsOn(pages);
    QList<RegisterEntry> entries = entries_.mid(first, std::max(0, std::min(end, int(entries_.size())) - first));
    const QString now = Clock::now().toString(Qt::ISODate);
    for (RegisterEntry& entry : entries) {
        entry.出力先 = outputName;
        entry.発行日時 = now;
    }
    firstRecordedCell_ = first;
    const StoreResult recorded = numbers_.reissue(entries, &lastRecorded_);
    if (!recorded)
        return {false, QStringLiteral("発行記録を保存できなかったため、印刷を中止しました。\n") + recorded.error, {}};
    return {};
}

QString ReissueFormatter::outputCompleted(ReportRun&)
{
    QHash<qint64, ReceiptNumbers::OutputFile> files;
    if (const QString unkept = KeptFiles::keep(archive_, std::exchange(written_, {}),
                                               [this](int cell) { return lastRecorded_.value(cell - firstRecordedCell_); },
                                               &files);
        !unkept.isEmpty())
        return unkept;
    if (const StoreResult confirmed = numbers_.confirm(lastRecorded_, files); !confirmed)
        return QStringLiteral("発行記録に出力の完了を記録できませんでした。\n") + confirmed.error;
    lastRecorded_.clear();
    return {};
}

void ReissueFormatter::outputFailed(ReportRun&, const QString&)
{
    numbers_.withdraw(std::exchange(lastRecorded_, {}));
}
