#pragma once
#include "report/ReportHandlers.h"

#include <QtGlobal>

// The handlers every receipt layout runs: fills each receipt from the row and the print-run
// settings, numbers it, and issues the run's numbers before its first page goes out.
class ReceiptFormatter : public ReportHandlers {
public:
    void reportStart(ReportLayout& layout) override;
    void detailFormat(ReportDetail& detail) override;
    void detailAfterPrint() override;
    OutputClearance clearForOutput(ReportRun& run) override;

private:
    bool narrowBlankAmount_ = false; // 8-up layouts: narrow pattern for an empty amount
    // This run's own numbering, kept from when it was formatted: another run started since
    // must not decide what this one issues.
    bool numbered_ = false;
    qint64 firstNumber_ = 0;
    qint64 count_ = 0;
    // Once output, a run keeps its numbers: printing it again reprints the same receipts.
    bool issued_ = false;
};
