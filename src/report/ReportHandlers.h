#pragma once
#include <QList>
#include <QString>

class ReportDetail;
class ReportRun;
struct ReportLayout;

// The answer to "may the pages of this run go out now?".
struct OutputClearance {
    bool ok = true;
    QString error;  // why not, when refused
    QString notice; // something the user should be told once, when allowed
};

// The pages of a run that one output sends, first..last, 0-based.
struct OutputPages {
    int first = 0;
    int last = 0;
};

// A file an output wrote, in its place, and the cells it holds.
struct WrittenFile {
    QString path;
    QList<int> cells;
};

// The notifications a layout receives from a run.
class ReportHandlers {
public:
    virtual ~ReportHandlers() = default;
    // Once, before the first cell is formatted.
    virtual void reportStart(ReportLayout&) {}
    // Once per row, after binding and before the cell is laid out.
    virtual void detailFormat(ReportDetail&) {}
    // Once per row, after the cell is laid out.
    virtual void detailAfterPrint() {}
    // Before any page of a printer job or PDF file goes out: records whatever the output issues
    // (and may still change the run's texts, e.g. renumber it). `outputName` names where the pages
    // go: the printer, or the PDF file's name. A refusal stops the output with nothing printed
    // or written.
    virtual OutputClearance clearForOutput(ReportRun&, const QString& /*outputName*/, OutputPages) { return {}; }
    // The output that clearForOutput allowed went out whole: the PDF file is in place, or the
    // printer job has its last page. Returns "" once that is recorded, else why it could not be
    // (the output then counts as failed where it can be taken back: a PDF file is removed).
    virtual QString outputCompleted(ReportRun&) { return {}; }
    // Just before outputCompleted: the files the output wrote (none for a printer).
    virtual void filesWritten(ReportRun&, const QList<WrittenFile>&) {}
    // The output that clearForOutput allowed did not go out whole after all (`reason` says why):
    // whatever it recorded is to be put right.
    virtual void outputFailed(ReportRun&, const QString& /*reason*/) {}
    // Before the pages of one printer job or PDF file are reported.
    virtual void printStart() {}
    // For every page sent to a printer or written to a file (never for the preview); 1-based.
    virtual void printProgress(int) {}
};
