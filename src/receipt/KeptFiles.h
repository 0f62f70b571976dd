#pragma once
#include "report/ReportHandlers.h"
#include "store/PdfArchive.h"
#include "store/ReceiptNumbers.h"

#include <QHash>

#include <functional>

// The files an output wrote, kept in the archive and told to the register entries they hold.
namespace KeptFiles {
// Keeps a copy of each file that holds a recorded receipt (`entryOf` gives a cell's 記録番号,
// 0 for none) and fills `files` per entry. Returns "" or why a file could not be kept.
QString keep(const PdfArchive& archive, const QList<WrittenFile>& written, const std::function<qint64(int cell)>& entryOf,
             QHash<qint64, ReceiptNumbers::OutputFile>* files);
} // namespace KeptFiles
