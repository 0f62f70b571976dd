#include "receipt/KeptFiles.h"

#include <QFileInfo>

namespace KeptFiles {

QString keep(const PdfArchive& archive, const QList<WrittenFile>& written, const std::function<qint64(int cell)>& entryOf,
             QHash<qint64, ReceiptNumbers::OutputFile>* files)
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
        for (qint64 id : ids)
            files->insert(id, {QFileInfo(file.path).fileName(), kept.sha256, kept.archived});
    }
    return {};
}

} // namespace KeptFiles
