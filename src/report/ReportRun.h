#pragma once
#include "report/CellTexts.h"
#include "report/ReportHandlers.h"
#include "report/ReportLayout.h"
#include "report/ReportPage.h"
#include "report/ReportRows.h"

#include <memory>

// One formatted run of a layout over a set of rows.
// Formatting happens once, up front, and keeps only the texts of each cell, packed (see
// CellTexts). Pages are built from them on demand, so a long run costs nothing per page.
class ReportRun {
public:
    ReportRun(ReportLayout layout, std::unique_ptr<ReportHandlers> handlers);

    // reportStart, then detailFormat and detailAfterPrint for every row in order.
    void format(const ReportRows& rows);

    const ReportLayout& layout() const { return layout_; }
    int cellCount() const { return int(cells_.size()); }
    int pageCount() const;
    ReportPage page(int pageIndex) const; // 0-based
    // The texts of one cell as formatted, by control name.
    QString text(int cell, const QString& controlName) const;
    // Replaces one text of a formatted cell (a control the layout lacks is ignored).
    void setText(int cell, const QString& controlName, const QString& text);

    // The cells on pages first..last (0-based): [first cell, end cell).
    std::pair<int, int> cellsOn(OutputPages pages) const;

    // Asks the layout's handlers whether the pages may go out now; see ReportHandlers.
    OutputClearance clearForOutput(const QString& outputName, OutputPages pages);
    QString outputCompleted(const QList<WrittenFile>& files = {});
    void outputFailed(const QString& reason);

    // A printer job or a PDF file begins; then each page that went out (1-based).
    void printStarted();
    void pagePrinted(int pageNumber);

private:
    ReportLayout layout_;
    std::unique_ptr<ReportHandlers> handlers_;
    QHash<QString, int> slots_;   // text control name -> index in a record
    QList<int> slotOfControl_;    // per control, -1 for lines and pictures
    QStringList designTexts_;     // captions before formatting
    CellTexts cells_;
};
