#pragma once
#include "printing/PrintRequest.h"
#include "report/ReportHandlers.h"
#include "store/Records.h"

#include <QList>
#include <QtGlobal>

// The handlers every receipt layout runs: fills each receipt from the row and the print-run
// settings, numbers it, and issues the run's numbers before its first page goes out, recording
// each receipt in the register with them; each later output of the run is recorded as a reissue.
class ReceiptFormatter : public ReportHandlers {
public:
    explicit ReceiptFormatter(PrintRequest request);

    void detailFormat(ReportDetail& detail) override;
    void detailAfterPrint() override;
    OutputClearance clearForOutput(ReportRun& run, const QString& outputName) override;

private:
    const PrintRequest request_;
    qint64 nextNumber_ = 0;
    qint64 firstNumber_ = 0;
    qint64 count_ = 0;
    // Once output, a run keeps its numbers: printing it again reprints the same receipts.
    bool issued_ = false;
    // Per receipt, the register entry as printed (its number is set when issued).
    QList<RegisterEntry> entries_;

    QList<RegisterEntry> entriesFor(const QString& outputName) const;
};
