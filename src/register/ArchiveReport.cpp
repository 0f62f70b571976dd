#include "register/ArchiveReport.h"

#include <QStringList>

namespace ArchiveReport {

QString of(const PdfArchive::Check& check)
{
    using Kind = PdfArchive::Finding::Kind;
    qint64 changed = 0;
    qint64 missing = 0;
    qint64 renamed = 0;
    QStringList lines;
    for (const PdfArchive::Finding& f : check.findings) {
        switch (f.kind) {
        case Kind::Changed:
            ++changed;
            lines << QStringLiteral("内容が変わっています：") + f.archived;
            break;
        case Kind::Missing:
            ++missing;
            lines << QStringLiteral("見つかりません：") + f.archived;
            break;
        case Kind::Renamed:
            ++renamed;
            lines << QStringLiteral("名前が変わっています：%1 → %2").arg(f.archived, f.foundAs);
            break;
        }
    }
    QString text = QStringLiteral("保存ファイル %1 件：そのまま %2 件、内容の変更 %3 件、見つからない %4 件、名前の変更 %5 件")
                       .arg(check.intact + changed + missing + renamed)
                       .arg(check.intact)
                       .arg(changed)
                       .arg(missing)
                       .arg(renamed);
    if (!lines.isEmpty())
        text += QStringLiteral("\n") + lines.join(QStringLiteral("\n"));
    return text;
}

} // namespace ArchiveReport
