#pragma once
#include "printing/PrintRequest.h"
#include "store/Records.h"

#include <QList>
#include <QString>

#include <memory>

class ReportPreview;
class ReportRun;
class QWidget;

// Receipts from rows and a print request, in the layout of the request's paper.
namespace ReceiptRun {

// A fresh run, formatted now, numbered from the request's first number on.
std::shared_ptr<ReportRun> build(const PrintRequest& request, const QList<PrintRow>& rows);

// Opens a run in a new preview window (modeless; several may be open). The window owns the
// run and deletes itself when closed; given the main window as parent it stays in front of it
// and closes with it. What became of each output is shown to the user.
ReportPreview* showPreview(std::shared_ptr<ReportRun> run, QWidget* parent = nullptr);

// Writes a whole run to a PDF file; the pages count as printed.
bool writePdf(ReportRun& run, const QString& path, QString* error = nullptr);

} // namespace ReceiptRun
