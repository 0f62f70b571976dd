#pragma once
#include "report/ReportHandlers.h"
#include "store/Records.h"

#include <QList>
#include <QRect>

struct PrintRequest;

// Receipts printed again from their register entries: each with its own number, name, amount,
// proviso, date and texts as first printed, formatted by the same rules as a print run, and a
// small 「再発行」 mark. Each output is recorded as 再発行 entries; the counter does not move.
class ReissueFormatter : public ReportHandlers {
public:
    explicit ReissueFormatter(QList<RegisterEntry> entries);

    // The print request that formats one entry as it was first printed.
    static PrintRequest requestOf(const RegisterEntry& entry);
    static QString markControl() { return QStringLiteral("Lbl再発行"); }
    // Where the mark goes in a cell of that layout: on no text of it.
    static QRect markBox(const ReportLayout& layout);

    void reportStart(ReportLayout& layout) override;
    void detailFormat(ReportDetail& detail) override;
    void detailAfterPrint() override { ++cell_; }
    OutputClearance clearForOutput(ReportRun& run, const QString& outputName) override;
    // A failed output takes its 再発行 entries back.
    void outputFailed(ReportRun& run, const QString& reason) override;

private:
    const QList<RegisterEntry> entries_;
    qsizetype cell_ = 0;
    QList<qint64> lastRecorded_;
};
