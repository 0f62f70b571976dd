#pragma once
#include "report/ReportLayout.h"
#include "store/Records.h"

#include <QString>

class QPainter;
class QPrinter;

// A sheet to measure where a printer puts the page: millimetre rulers along the four edges of
// an A4 sheet, numbered every 10 mm from the paper's top-left corner, and the outlines of the
// cells of `layout`, so that the printout can be laid on the receipt paper and measured.
namespace CalibrationSheet {
// Draws the sheet on a painter already set to twips from the paper's corner.
void draw(QPainter& painter, const ReportLayout& layout);
// The sheet as one full A4 page on the printer (or its PDF file), moved by `correction`. False
// when the printer could not be started.
bool print(QPrinter& printer, const ReportLayout& layout, const PrinterCalibration& correction = {});
} // namespace CalibrationSheet
