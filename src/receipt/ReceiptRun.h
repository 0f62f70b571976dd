#pragma once
#include "receipt/PrintRequest.h"
#include "store/Records.h"

#include <QList>
#include <QString>
#include <QStringList>

#include <memory>

class ReportRun;

// Receipts from rows and a print request, in the layout of the request's paper.
namespace ReceiptRun {

// A fresh run, formatted now, numbered from the request's first number on.
std::shared_ptr<ReportRun> build(const PrintRequest& request, const PrintRowSource& rows);

// Writes a whole run to a PDF file; the pages count as printed.
bool writePdf(ReportRun& run, const QString& path, QString* error = nullptr);

// Writes one PDF file per receipt into `folder`, each named "YYYYMMDD_name_amount_No00041.pdf"
// after the receipt's date (today's when it prints none), name, amount and number; all or
// nothing. `written` receives the files' paths in the run's order.
bool writePerMember(ReportRun& run, const QString& folder, QStringList* written = nullptr, QString* error = nullptr,
                    QString* notice = nullptr);

} // namespace ReceiptRun
