#include "printing/ReceiptRun.h"

#include "printing/ReceiptFormatter.h"
#include "printing/layouts/ReceiptLayouts.h"
#include "report/ReportOutput.h"
#include "report/ReportPreview.h"
#include "report/ReportRun.h"
#include "store/PrintRowTable.h"

namespace ReceiptRun {

std::shared_ptr<ReportRun> build(const QString& paperType, const QList<PrintRow>& rows)
{
    auto run = std::make_shared<ReportRun>(ReceiptLayouts::forPaperType(paperType),
                                           std::make_unique<ReceiptFormatter>());
    ReportRows data;
    data.columns = {ReceiptLayouts::NameColumn, ReceiptLayouts::AmountColumn, ReceiptLayouts::ProvisoColumn};
    data.values.reserve(rows.size());
    for (const PrintRow& row : rows)
        data.values.append({row.顧客名, row.領収額, row.但書});
    run->format(data);
    return run;
}

std::shared_ptr<ReportRun> build(const QString& paperType)
{
    return build(paperType, PrintRowTable::rows());
}

ReportPreview* showReceiptPreview(const QString& paperType)
{
    auto* preview = new ReportPreview(build(paperType));
    preview->show();
    preview->raise();
    preview->activateWindow();
    return preview;
}

bool writePdf(ReportRun& run, const QString& path, QString* error)
{
    return ReportOutput::writePdf(run, path, error);
}

} // namespace ReceiptRun
