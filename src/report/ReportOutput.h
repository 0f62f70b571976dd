#pragma once
#include <QString>

class QPrinter;
class ReportRun;

// Sends a run to a PDF file or a printer. Every page that goes out raises the run's
// printing notification; a preview never does.
namespace ReportOutput {

// Pages fromPage..toPage (1-based, 0 = to the end). A file that cannot be written gives
// false and an explanation, and no page counts as printed.
bool writePdf(ReportRun& run, const QString& path, QString* error = nullptr, int fromPage = 1, int toPage = 0);

// Prints on a printer the user has set up; honours its page range.
bool print(ReportRun& run, QPrinter& printer, QString* error = nullptr);

} // namespace ReportOutput
