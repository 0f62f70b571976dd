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
    data.count = rows.size();
    data.value = [&rows](qsizetype row, int column) {
        const PrintRow& r = rows.at(row);
        return column == 0 ? r.顧客名 : column == 1 ? r.領収額 : r.但書;
    };
    run->format(data);
    return run;
}

std::shared_ptr<ReportRun> build(const QString& paperType)
{
    return build(paperType, PrintRowTable::rows());
}

ReportPreview* showReceiptPreview(const QString& paperType, QWidget* parent)
{
    auto* preview = new ReportPreview(build(paperType), parent);
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
