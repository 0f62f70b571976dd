#include "report/CellPdfs.h"

#include "domain/MemberFileName.h"
#include "report/PagePainter.h"
#include "report/PdfRewriter.h"
#include "report/ReportRun.h"
#include "store/StagedFiles.h"

#include <QBuffer>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>

namespace CellPdfs {

namespace {

constexpr int MarginTwips = 283; // 5 mm around the receipt

// The cell's items only, moved to the top-left corner of a page of its own.
ReportPage cellPage(const ReportRun& run, int cell, QSize* size)
{
    const ReportPage page = run.page(cell / run.layout().cellsPerPage());
    ReportPage one;
    one.number = 1;
    for (const PageItem& item : page.items) {
        if (item.receipt != cell)
            continue;
        const QPoint shift = QPoint(MarginTwips, MarginTwips) - item.cell.topLeft();
        PageItem moved = item;
        moved.cell.translate(shift);
        moved.box.translate(shift);
        moved.line.translate(shift);
        one.items.append(moved);
        *size = item.cell.size() + QSize(2 * MarginTwips, 2 * MarginTwips);
    }
    return one;
}

QByteArray drawCell(const ReportRun& run, int cell, const std::shared_ptr<PictureCache>& pictures)
{
    QSize size;
    const ReportPage page = cellPage(run, cell, &size);
    QBuffer drawing;
    drawing.open(QIODevice::WriteOnly);
    PagePainter pagePainter(pictures); // the artwork is rendered once for all the files
    pagePainter.markSharedGlyphs();
    {
        QPdfWriter writer(&drawing);
        writer.setPageLayout(QPageLayout(QPageSize(QSizeF(size) / 20.0, QPageSize::Point, {}, QPageSize::ExactMatch),
                                         QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        writer.setResolution(1440);
        writer.setCreator(QCoreApplication::applicationName());
        writer.setTitle(run.layout().caption);
        QPainter painter;
        if (!painter.begin(&writer))
            return {};
        PagePainter::useTwips(painter);
        pagePainter.paint(painter, page);
        painter.end();
    }
    drawing.close();
    drawing.open(QIODevice::ReadOnly);
    QBuffer rewritten;
    rewritten.open(QIODevice::WriteOnly);
    if (PdfRewriter::rewrite(drawing, rewritten, pagePainter.markedCharacters()) != PdfRewriter::Result::Rewritten)
        return drawing.data(); // as Qt wrote it
    return rewritten.data();
}

} // namespace

bool write(ReportRun& run, const QString& folder, const std::function<QString(int cell)>& nameOf,
           QStringList* written, QString* error, QString* notice)
{
    auto fail = [error](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    const QDir target(folder);
    if (!QFileInfo(folder).isDir())
        return fail(QStringLiteral("保存先のフォルダがありません。"));
    StagedFiles staged(folder);
    if (!staged.isValid())
        return fail(QStringLiteral("保存先のフォルダに書き込めません。") + staged.errorString());
    if (run.cellCount() == 0)
        return true;
    const int lastPage = run.pageCount() - 1;
    const OutputClearance clearance = run.clearForOutput(target.dirName(), {0, lastPage});
    if (!clearance.ok)
        return fail(clearance.error);
    if (notice)
        *notice = clearance.notice;
    const auto failAfterClearance = [&](const QString& reason) {
        staged.takeBack();
        run.outputFailed(reason);
        return fail(reason);
    };
    run.printStarted();
    for (int page = 0; page <= lastPage; ++page)
        run.pagePrinted(page + 1);

    const auto pictures = std::make_shared<PictureCache>();
    for (int cell = 0; cell < run.cellCount(); ++cell) {
        const QByteArray pdf = drawCell(run, cell, pictures);
        if (pdf.isEmpty())
            return failAfterClearance(QStringLiteral("PDF を作成できません。"));
        if (const QString failed = staged.add(staged.freeName(nameOf(cell)), pdf); !failed.isEmpty())
            return failAfterClearance(failed);
    }
    // Every file is complete: now they move in.
    if (const QString stuck = staged.moveIn(); !stuck.isEmpty())
        return failAfterClearance(QStringLiteral("PDF ファイルを保存先に移せません：") + stuck);
    QList<WrittenFile> files;
    for (int cell = 0; cell < staged.placed().size(); ++cell)
        files.append({staged.placed().at(cell), {cell}});
    if (const QString unrecorded = run.outputCompleted(files); !unrecorded.isEmpty())
        return failAfterClearance(unrecorded);
    if (written)
        *written = staged.placed();
    return true;
}

} // namespace CellPdfs
