#pragma once
#include "store/Records.h"

#include <QList>
#include <QString>

#include <memory>

class ReportPreview;
class ReportRun;
class QWidget;

// Receipts from the rows of w領収証印刷 and PrintRunSettings, in the layout of a paper type.
namespace ReceiptRun {

// A fresh run, formatted now: numbers are taken from ReceiptNo, which ends one past the last.
std::shared_ptr<ReportRun> build(const QString& paperType, const QList<PrintRow>& rows);
// The same over the rows stored in w領収証印刷 (an unreadable table gives an empty run).
std::shared_ptr<ReportRun> build(const QString& paperType);

// Builds a run from w領収証印刷 and opens it in a new preview window (modeless; several may
// be open). The window owns the run and deletes itself when closed; given the main window
// as parent it stays in front of it and closes with it.
ReportPreview* showReceiptPreview(const QString& paperType, QWidget* parent = nullptr);

// Writes a whole run to a PDF file; the pages count as printed.
bool writePdf(ReportRun& run, const QString& path, QString* error = nullptr);

} // namespace ReceiptRun
