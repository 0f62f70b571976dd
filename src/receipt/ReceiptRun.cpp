#include "receipt/ReceiptRun.h"

#include "domain/Clock.h"
#include "domain/MemberFileName.h"
#include "receipt/ReceiptFormatter.h"
#include "receipt/ReceiptTexts.h"
#include "report/CellPdfs.h"
#include "receipt/SealStamp.h"
#include "report/ReportOutput.h"
#include "report/ReportRun.h"

namespace ReceiptRun {

std::shared_ptr<ReportRun> build(const PrintRequest& request, const PrintRowSource& rows)
{
    ReportLayout layout = request.paper.layout();
    // Drawn last, over the company name.
    if (const std::optional<ReportControl> seal = SealStamp::control(layout, request.Seal, request.SealTwips))
        layout.controls.append(*seal);
    ReceiptFormatter::RowClasses rowClasses;
    rowClasses.reserve(rows.count);
    for (qsizetype row = 0; row < rows.count; ++row)
        rowClasses.append(ConsumptionTax::fromKey(rows.at(row).税区分.toString()));
    auto run = std::make_shared<ReportRun>(std::move(layout), std::make_unique<ReceiptFormatter>(request, rowClasses));
    ReportRows data;
    data.columns = {ReceiptLayouts::NameColumn, ReceiptLayouts::AmountColumn, ReceiptLayouts::ProvisoColumn};
    data.count = rows.count;
    // Each row is read once for its three columns, which come in the order of the layout's slots.
    PrintRow current;
    qsizetype currentRow = -1;
    data.value = [&rows, &current, &currentRow](qsizetype row, int column) {
        if (row != currentRow) {
            current = rows.at(row);
            currentRow = row;
        }
        return column == 0 ? current.顧客名 : column == 1 ? current.領収額 : current.但書;
    };
    run->format(data);
    return run;
}

bool writePerMember(ReportRun& run, const QString& folder, QStringList* written, QString* error, QString* notice)
{
    const auto nameOf = [&run](int cell) {
        const QDate printed = ReceiptTexts::dayOf(run.text(cell, QStringLiteral("txt日付")));
        QString amount = run.text(cell, QStringLiteral("txt領収額"));
        amount.removeIf([](QChar c) { return !c.isDigit(); });
        return MemberFileName::of(printed.isValid() ? printed : Clock::today(), run.text(cell, QStringLiteral("txt氏名")),
                                  amount, run.text(cell, QStringLiteral("txtNo")));
    };
    return CellPdfs::write(run, folder, nameOf, written, error, notice);
}

bool writePdf(ReportRun& run, const QString& path, QString* error)
{
    return ReportOutput::writePdf(run, path, error);
}

} // namespace ReceiptRun
