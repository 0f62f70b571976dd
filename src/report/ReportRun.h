#pragma once
#include "report/ReportHandlers.h"
#include "report/ReportLayout.h"
#include "report/ReportPage.h"
#include "report/ReportRows.h"

#include <memory>

// One formatted run of a layout over a set of rows.
// Formatting happens once, up front, and keeps only the texts of each cell; pages are
// built from them on demand, so a long run costs one small record per row.
class ReportRun {
public:
    ReportRun(ReportLayout layout, std::unique_ptr<ReportHandlers> handlers);

    // reportStart, then detailFormat and detailAfterPrint for every row in order.
    void format(const ReportRows& rows);

    const ReportLayout& layout() const { return layout_; }
    int cellCount() const { return int(records_.size()); }
    int pageCount() const;
    ReportPage page(int pageIndex) const; // 0-based
    // The texts of one cell as formatted, by control name.
    QString text(int cell, const QString& controlName) const;

    // A page went to a printer or into a file (1-based page number).
    void pagePrinted(int pageNumber);

private:
    ReportLayout layout_;
    std::unique_ptr<ReportHandlers> handlers_;
    QHash<QString, int> slots_;   // text control name -> index in a record
    QList<int> slotOfControl_;    // per control, -1 for lines and pictures
    QStringList designTexts_;     // captions before formatting
    QList<QStringList> records_;
};
