#pragma once
#include "report/ReportHandlers.h"
#include "store/PdfArchive.h"
#include "store/ReceiptNumbers.h"

#include <QList>

#include <functional>
#include <optional>
#include <utility>

// The files an output wrote, kept in the archive and told to the register entries they hold.
namespace KeptFiles {
// The file each entry went out in: a file and the 記録番号 of its entries, a few bytes an entry
// however long the run.
class EntryFiles {
public:
    void add(const QList<qint64>& ids, const ReceiptNumbers::OutputFile& file);
    // Once every file is added.
    void sort();
    std::optional<ReceiptNumbers::OutputFile> of(qint64 id) const;

private:
    QList<ReceiptNumbers::OutputFile> files_;
    QList<std::pair<qint64, qsizetype>> fileOfEntry_; // (記録番号, index in files_), by 記録番号 once sorted
};

// Keeps a copy of each file that holds a recorded receipt (`entryOf` gives a cell's 記録番号,
// 0 for none) and tells `files` the entries it holds. Returns "" or why a file could not be kept.
QString keep(const PdfArchive& archive, const QList<WrittenFile>& written, const std::function<qint64(int cell)>& entryOf,
             EntryFiles* files);
} // namespace KeptFiles
