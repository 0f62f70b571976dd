#pragma once

class ReportDetail;
struct ReportLayout;

// The four notifications a layout receives from a run.
class ReportHandlers {
public:
    virtual ~ReportHandlers() = default;
    // Once, before the first cell is formatted.
    virtual void reportStart(ReportLayout&) {}
    // Once per row, after binding and before the cell is laid out.
    virtual void detailFormat(ReportDetail&) {}
    // Once per row, after the cell is laid out.
    virtual void detailAfterPrint() {}
    // Before the pages of one printer job or PDF file are reported.
    virtual void printStart() {}
    // For every page sent to a printer or written to a file (never for the preview); 1-based.
    virtual void printProgress(int) {}
};
