#include "register/ReissueRuns.h"

#include "receipt/layouts/ReceiptLayouts.h"
#include "register/ReissueFormatter.h"
#include "report/ReportRun.h"

#include <algorithm>

namespace ReissueRuns {

QList<std::shared_ptr<ReportRun>> build(QList<RegisterEntry> entries)
{
    std::stable_sort(entries.begin(), entries.end(),
                     [](const RegisterEntry& a, const RegisterEntry& b) { return a.領収証番号 < b.領収証番号; });
    QStringList papers;
    for (const RegisterEntry& entry : entries) {
        const QString paper = ReceiptLayouts::paperOrDefault(entry.用紙).name;
        if (!papers.contains(paper))
            papers << paper;
    }
    QList<std::shared_ptr<ReportRun>> runs;
    for (const QString& paper : papers) {
        QList<RegisterEntry> ofPaper;
        for (const RegisterEntry& entry : entries)
            if (ReceiptLayouts::paperOrDefault(entry.用紙).name == paper)
                ofPaper.append(entry);
        auto run = std::make_shared<ReportRun>(ReceiptLayouts::paperOrDefault(paper).layout(),
                                               std::make_unique<ReissueFormatter>(ofPaper));
        ReportRows rows;
        rows.columns = {ReceiptLayouts::NameColumn, ReceiptLayouts::AmountColumn, ReceiptLayouts::ProvisoColumn};
        rows.count = ofPaper.size();
        rows.value = [&ofPaper](qsizetype row, int column) -> QVariant {
            const RegisterEntry& e = ofPaper.at(row);
            return column == 0 ? QVariant(e.顧客名) : column == 1 ? e.領収額 : QVariant(e.但書);
        };
        run->format(rows);
        runs.append(run);
    }
    return runs;
}

} // namespace ReissueRuns
