#pragma once
#include "store/Records.h"

#include <QString>

class QPainter;
class QPrinter;
class ReportRun;

// Sends a run to a PDF file or a printer. Before the first page goes out the run is cleared
// for output (its numbers recorded); if that fails nothing is printed or written. Every page
// that goes out raises the run's printing notification; a preview never does.
// `notice`, when given, receives what the run asks to tell the user (e.g. it was renumbered).
namespace ReportOutput {

// Pages fromPage..toPage (1-based, 0 = to the end). The file is replaced only when it has
// been written whole; otherwise false and an explanation, and an existing file stays as it was.
bool writePdf(ReportRun& run, const QString& path, QString* error = nullptr, int fromPage = 1, int toPage = 0,
              QString* notice = nullptr);

// Prints on a printer the user has set up; honours its page range. `correction` moves and scales
// every page for where that printer puts it on the paper (a PDF file is never corrected).
bool print(ReportRun& run, QPrinter& printer, QString* error = nullptr, QString* notice = nullptr,
           const PrinterCalibration& correction = {});

// Moves what the painter draws (in twips) by the printer's offsets and scales it about the
// paper's top-left corner.
void applyCorrection(QPainter& painter, const PrinterCalibration& correction);

} // namespace ReportOutput
