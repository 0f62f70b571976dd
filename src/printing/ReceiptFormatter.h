#pragma once
#include "report/ReportHandlers.h"

#include <QtGlobal>

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
    // This run's own numbering, kept from when it was formatted: another run started since
    // must not decide what printing this one records.
    bool numbered_ = false;
    bool formattedAny_ = false;
    qint64 lastNumber_ = 0;
    bool recordedThisJob_ = false;
};
