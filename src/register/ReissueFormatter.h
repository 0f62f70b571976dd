#pragma once
#include "report/ReportHandlers.h"
#include "store/PdfArchive.h"
#include "store/ReceiptNumbers.h"
#include "store/Records.h"

#include <QList>

struct PrintRequest;

// Receipts printed again from their register entries: each with its own number, name, amount,
// proviso, date and texts as first printed, formatted by the same rules as a print run, and a
// small 「再発行」 mark. Each output is recorded as 再発行 entries of the receipts on its pages;
// the counter does not move.
class ReissueFormatter : public ReportHandlers {
public:
    // Records on the main database, and keeps files in its data folder's archive, unless others
    // are given.
    ReissueFormatter(QList<RegisterEntry> entries, ReceiptNumbers numbers, PdfArchive archive);
    explicit ReissueFormatter(QList<RegisterEntry> entries);

    // The print request that formats one entry as it was first printed.
    static PrintRequest requestOf(const RegisterEntry& entry);

    void reportStart(ReportLayout& layout) override;
    void detailFormat(ReportDetail& detail) override;
    void detailAfterPrint() override { ++cell_; }
    OutputClearance clearForOutput(ReportRun& run, const QString& outputName, OutputPages pages) override;
    void filesWritten(ReportRun&, const QList<WrittenFile>& files) override { written_ = files; }
    QString outputCompleted(ReportRun& run) override;
    // A failed output takes its 再発行 entries back.
    void outputFailed(ReportRun& run, const QString& reason) override;

private:
    const QList<RegisterEntry> entries_;
    const ReceiptNumbers numbers_;
    const PdfArchive archive_;
    qsizetype cell_ = 0;
    int firstRecordedCell_ = 0;
    QList<qint64> lastRecorded_;
    QList<WrittenFile> written_;
};
