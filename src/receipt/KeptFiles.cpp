#include "receipt/KeptFiles.h"

#include <QFileInfo>

#include <algorithm>

namespace KeptFiles {

void EntryFiles::add(const QList<qint64>& ids, const ReceiptNumbers::OutputFile& file)
{
    files_.append(file);
    for (qint64 id : ids)
        fileOfEntry_.append({id, files_.size() - 1});
}

void EntryFiles::sort()
{
    std::sort(fileOfEntry_.begin(), fileOfEntry_.end());
}

std::optional<ReceiptNumbers::OutputFile> EntryFiles::of(qint64 id) const
{
    const auto found = std::lower_bound(fileOfEntry_.cbegin(), fileOfEntry_.cend(), std::pair<qint64, qsizetype>{id, 0});
    if (found == fileOfEntry_.cend() || found->first != id)
        return std::nullopt;
    return files_.at(found->second);
}

QString keep(const PdfArchive& archive, const QList<WrittenFile>& written, const std::function<qint64(int cell)>& entryOf,
             EntryFiles* files)
{
    for (const WrittenFile& file : written) {
        QList<qint64> ids;
        for (int cell : file.cells)
            if (const qint64 id = entryOf(cell); id != 0)
                ids.append(id);
        if (ids.isEmpty())
            continue;
        const PdfArchive::Kept kept = archive.keep(file.path);
        if (!kept.error.isEmpty())
            return kept.error;
        files->add(ids, {QFileInfo(file.path).fileName(), kept.sha256, kept.archived});
    }
    files->sort();
    return {};
}

} // namespace KeptFiles
