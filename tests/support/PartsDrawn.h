#pragma once
// A run drawn in a given number of parts at once and joined into one file, as a long output is.
#include "report/PdfDrawing.h"
#include "report/PdfRewriter.h"
#include "report/ReportRun.h"

#include <QFile>
#include <QString>

// Writes every page of `run` drawn in `parts` parts to `path`; the path, or empty on failure.
inline QString drawnInParts(const ReportRun& run, int parts, const QString& path)
{
    const PdfDrawing drawing(run, 0, run.pageCount() - 1, parts);
    QFile file(path);
    const bool ok = drawing.error().isEmpty() && drawing.parts().size() == parts && file.open(QIODevice::WriteOnly) &&
                    PdfRewriter::rewrite(drawing.parts(), file) == PdfRewriter::Result::Rewritten;
    return ok ? path : QString();
}
