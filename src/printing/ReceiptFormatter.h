#pragma once
#include "printing/PrintRequest.h"
#include "report/ReportHandlers.h"
#include "store/ReceiptNumbers.h"
#include "store/Records.h"

#include <QList>
#include <QtGlobal>

// The handlers every receipt layout runs: fills each receipt from the row and the print-run
// settings, numbers it, and issues the run's numbers before its first page goes out, recording
// each receipt in the register with them; each later output of the run is recorded as a reissue.
class ReceiptFormatter : public ReportHandlers {
public:
    // Issues and records on the main database unless another one is given.
    explicit ReceiptFormatter(PrintRequest request, ReceiptNumbers numbers);
    explicit ReceiptFormatter(PrintRequest request);

    void detailFormat(ReportDetail& detail) override;
    void detailAfterPrint() override;
    OutputClearance clearForOutput(ReportRun& run, const QString& outputName) override;
    // The numbers that went into the register for an output that then failed are voided (they
    // were issued, so they are never used again), and the next output issues fresh ones; a
    // failed reprint takes its 再発行 entries back.
    void outputFailed(ReportRun& run, const QString& reason) override;

private:
    const PrintRequest request_;
    const ReceiptNumbers numbers_;
    qint64 nextNumber_ = 0;
    qint64 firstNumber_ = 0;
    qint64 count_ = 0;
    // Once output, a run keeps its numbers: printing it again reprints the same receipts.
    bool issued_ = false;
    // Per receipt, the register entry as printed (its number is set when issued).
    QList<RegisterEntry> entries_;
    // The register entries the last clearance added, and whether they issued the numbers.
    QList<qint64> lastRecorded_;
    bool lastIssued_ = false;
    // The numbers of an output that failed were voided; the next output says so as it renumbers.
    bool voided_ = false;

    QList<RegisterEntry> entriesFor(const QString& outputName) const;
};
