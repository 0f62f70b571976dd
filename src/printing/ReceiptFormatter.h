#pragma once
#include "report/ReportHandlers.h"

// The four handlers every receipt layout runs: fills each receipt from the row and the
// print-run settings, numbers it, and records the last number when pages are printed.
class ReceiptFormatter : public ReportHandlers {
public:
    void reportStart(ReportLayout& layout) override;
    void detailFormat(ReportDetail& detail) override;
    void detailAfterPrint() override;
    void printStart() override;
    void printProgress(int pageNumber) override;

private:
    bool narrowBlankAmount_ = false; // 8-up layouts: narrow pattern for an empty amount
    bool recordedThisJob_ = false;
};
