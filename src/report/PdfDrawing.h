#pragma once
#include "report/PdfRewriter.h"

#include <QString>
#include <QTemporaryFile>

#include <memory>
#include <vector>

class PictureCache;
class ReportRun;

// Pages of a run drawn by Qt's PDF writer into temporary files, for PdfRewriter to copy into
// place. A long run is drawn in parts, one per processor, at the same time: each part has its
// own writer, painter and file, and reads the run only.
class PdfDrawing {
public:
    // Pages first..last (0-based), in at most `parts` parts (see partsFor), each part starting
    // from its own copy of `pictures` when given (pictures rendered ahead).
    PdfDrawing(const ReportRun& run, int first, int last, int parts,
               const std::shared_ptr<const PictureCache>& pictures = nullptr);

    // Qt's PDF engine reports no failed write: on a full disk it leaves a file cut short and says
    // it printed. Every file it finishes ends with "%%EOF".
    static bool endsAsAPdf(QIODevice& file);

    // How many parts pages first..last are best drawn in on this computer.
    static int partsFor(int first, int last);

    // Empty when every page was drawn and every file written whole; else why not (in Japanese).
    QString error() const { return error_; }
    QList<PdfRewriter::Part> parts() const;
    qint64 size() const;

private:
    std::vector<std::unique_ptr<QTemporaryFile>> files_;
    QList<QList<char32_t>> marked_;
    QString error_;
};
