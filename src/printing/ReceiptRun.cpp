#include "printing/ReceiptRun.h"

#include "messages/ShowMsg.h"
#include "preview/ReportPreview.h"
#include "printing/ReceiptFormatter.h"
#include "report/ReportOutput.h"
#include "report/ReportRun.h"

namespace ReceiptRun {

std::shared_ptr<ReportRun> build(const PrintRequest& request, const QList<PrintRow>& rows)
{
    auto run = std::make_shared<ReportRun>(request.paper.layout(), std::make_unique<ReceiptFormatter>(request));
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

ReportPreview* showPreview(std::shared_ptr<ReportRun> run, QWidget* parent)
{
    auto* preview = new ReportPreview(std::move(run), parent);
    QObject::connect(preview, &ReportPreview::outputFinished, preview, [](bool, const QString& message) {
        if (!message.isEmpty())
            ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"), message);
    });
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
