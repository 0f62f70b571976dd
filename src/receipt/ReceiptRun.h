#pragma once
#include "receipt/PrintRequest.h"
#include "store/Records.h"

#include <QList>
#include <QString>

#include <memory>

class ReportRun;

// Receipts from rows and a print request, in the layout of the request's paper.
namespace ReceiptRun {

// A fresh run, formatted now, numbered from the request's first number on.
std::shared_ptr<ReportRun> build(const PrintRequest& request, const QList<PrintRow>& rows);

// Writes a whole run to a PDF file; the pages count as printed.
bool writePdf(ReportRun& run, const QString& path, QString* error = nullptr);

} // namespace ReceiptRun
