#include "register/ReissueFormatter.h"

#include "domain/Clock.h"
#include "receipt/KeptFiles.h"
#include "receipt/PrintRequest.h"
#include "receipt/ReceiptTexts.h"
#include "receipt/ReissueMark.h"
#include "receipt/TaxMarks.h"
#include "report/ReportDetail.h"
#include "report/ReportLayout.h"
#include "report/ReportRun.h"
#include "store/Connections.h"

#include <algorithm>

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
    // Tax and stamp as first printed: the class recorded, the issuer the entry shows (a
    // registration number; a stamp duty judged), and the rounding that gives the tax recorded.
    using namespace ConsumptionTax;
    request.TaxClass = fromKey(entry.税区分).value_or(TaxClass::None);
    request.RegistrationNumber = entry.登録番号;
    request.Issuer = !entry.登録番号.isEmpty()          ? IssuerKind::Qualified
                     : entry.印紙税額.isNull()          ? IssuerKind::Unset
                     : entry.印紙税額.toLongLong() > 0 ? IssuerKind::Unregistered
                                                       : IssuerKind::NonProfit;
    if (!entry.消費税額.isNull() && !entry.領収額.isNull())
        for (Rounding rounding : {Rounding::Down, Rounding::HalfUp, Rounding::Up})
            if (contained(entry.領収額.toLongLong(), rate(request.TaxClass), rounding) == entry.消費税額.toLongLong()) {
                request.TaxRounding = rounding;
                break;
            }
    return request;
}

void ReissueFormatter::reportStart(ReportLayout& layout)
{
    ReissueMark::addTo(layout, ReissueMark::text());
    // The places for tax and stamp that any of the originals had.
    QList<PrintRequest> requests;
    QList<ConsumptionTax::TaxClass> classes;
    for (const RegisterEntry& entry : entries_) {
        requests.append(requestOf(entry));
        classes.append(requests.last().TaxClass);
    }
    const auto most = std::max_element(requests.cbegin(), requests.cend(), [](const PrintRequest& a, const PrintRequest& b) {
        const auto weight = [](const PrintRequest& r) {
            return (r.Issuer == IssuerKind::Qualified ? 4 : r.Issuer == IssuerKind::Unregistered ? 2 : 0) + (r.PrintAmountFlag ? 1 : 0);
        };
        return weight(a) < weight(b);
    });
    if (most != requests.cend())
        TaxMarks::addTo(layout, *most, classes);
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
    KeptFiles::EntryFiles files;
    if (const QString unkept = KeptFiles::keep(archive_, std::exchange(written_, {}),
                                               [this](int cell) { return lastRecorded_.value(cell - firstRecordedCell_); },
                                               &files);
        !unkept.isEmpty())
        return unkept;
    if (const StoreResult confirmed = numbers_.confirm(lastRecorded_, [&files](qint64 id) { return files.of(id); });
        !confirmed)
        return QStringLiteral("発行記録に出力の完了を記録できませんでした。\n") + confirmed.error;
    lastRecorded_.clear();
    return {};
}

void ReissueFormatter::outputFailed(ReportRun&, const QString&)
{
    numbers_.withdraw(std::exchange(lastRecorded_, {}));
}
