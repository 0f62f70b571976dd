#include "report/ReportOutput.h"

#include "report/PagePainter.h"
#include "report/PdfDrawing.h"
#include "report/PdfRewriter.h"
#include "report/ReportRun.h"
#include "store/OwnFiles.h"
#include "store/WriteFailure.h"

#include <QCoreApplication>
#include <QFile>
#include <QFileInfo>
#include <QSaveFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPrinter>

#include <future>

namespace ReportOutput {

namespace {

// The cells of an output's pages, in order.
QList<int> cellsOn(const ReportRun& run, OutputPages pages)
{
    auto [cell, end] = run.cellsOn(pages);
    QList<int> cells;
    cells.reserve(end - cell);
    for (; cell < end; ++cell)
        cells.append(cell);
    return cells;
}

QPageLayout fullPageA4()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
}

// A file Qt's PDF engine wrote whole (see PdfDrawing::endsAsAPdf).
bool endsAsAPdf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) && PdfDrawing::endsAsAPdf(file);
}

// The whole of `from` appended to `to`, a block at a time.
bool copied(QIODevice& from, QIODevice& to)
{
    if (!from.seek(0))
        return false;
    while (!from.atEnd()) {
        const QByteArray block = from.read(1 << 20);
        if (block.isEmpty() || to.write(block) != block.size())
            return false;
    }
    return true;
}

// Why Qt's PDF engine could not open the file it was to print into: it keeps no reason, so the
// file is opened here as it opens it (without emptying it).
QString whyNotOpened(const QString& path)
{
    if (path.isEmpty())
        return {};
    const bool existed = QFileInfo::exists(path);
    QFile file(path);
    if (file.open(QIODevice::WriteOnly | QIODevice::Append)) {
        if (!existed)
            file.remove();
        return {};
    }
    return WriteFailure::describe(file, path, 0);
}

// A device, a pipe or a folder would be written into (or replaced), never made a PDF file.
QString notAFile()
{
    return QStringLiteral("通常のファイルではないため、書き込めません。");
}

void addNotice(QString* notice, const QString& more)
{
    if (notice && !more.isEmpty())
        *notice += (notice->isEmpty() ? QString() : QStringLiteral("\n")) + more;
}

} // namespace

void applyCorrection(QPainter& painter, const PrinterCalibration& correction)
{
    constexpr double TwipsPerTenthMm = 1440 / 254.0;
    painter.translate(correction.左右 * TwipsPerTenthMm, correction.上下 * TwipsPerTenthMm);
    painter.scale(correction.倍率 / 1000.0, correction.倍率 / 1000.0);
}

bool writePdf(ReportRun& run, const QString& path, QString* error, int fromPage, int toPage, QString* notice)
{
    const int first = std::max(1, fromPage) - 1;
    const int last = (toPage <= 0 ? run.pageCount() : std::min(toPage, run.pageCount())) - 1;
    auto fail = [error](const QString& reason) {
        if (error)
            *error = reason;
        return false;
    };
    // Before anything is opened or issued: a PDF over the program's own data would destroy it.
    if (const QString own = OwnFiles::refusal(path); !own.isEmpty())
        return fail(own);
    // Written beside and renamed into place: a failed write never leaves half a file, nor
    // spoils a file of the same name. Renaming over a device or a pipe would replace it.
    if (const QFileInfo target(path); target.exists() && !target.isFile())
        return fail(notAFile());
    QSaveFile file(path);
    if (!file.open(QIODevice::WriteOnly))
        return fail(WriteFailure::describe(file, path, 0));
    // The artwork is rendered on another processor while the register records the run: it
    // needs nothing the record decides.
    std::future<std::shared_ptr<const PictureCache>> pictures =
        std::async(std::launch::async, [layout = run.layout()]() -> std::shared_ptr<const PictureCache> {
            auto prepared = std::make_shared<PictureCache>();
            prepared->prepare(layout);
            return prepared;
        });
    // The run is cleared before any page is written: should that fail, nothing is written;
    // should the program die while writing, the numbers are skipped, never handed out twice.
    const OutputClearance clearance = run.clearForOutput(QFileInfo(path).fileName(), {first, last});
    if (!clearance.ok) {
        file.cancelWriting();
        return fail(clearance.error);
    }
    if (notice)
        *notice = clearance.notice;
    // From here on a file that is not written whole is dropped, and what was recorded for it
    // is put right.
    const auto failAfterClearance = [&](const QString& reason) {
        file.cancelWriting();
        run.outputFailed(reason);
        return fail(reason);
    };
    run.printStarted();
    for (int index = first; index <= last; ++index)
        run.pagePrinted(index + 1);
    // Drawn page by page into temporary files, then copied into place object by object: the
    // memory a run takes does not grow with its length. A long run is drawn in parts at once.
    PdfDrawing drawing(run, first, last, PdfDrawing::partsFor(first, last), pictures.get());
    if (!drawing.error().isEmpty())
        return failAfterClearance(drawing.error());
    PdfRewriter::Result rewritten = PdfRewriter::rewrite(drawing.parts(), file);
    if (rewritten == PdfRewriter::Result::NotRecognised) { // drawn again in one part, kept as Qt writes it
        const PdfDrawing whole(run, first, last, 1);
        if (!whole.error().isEmpty())
            return failAfterClearance(whole.error());
        rewritten = file.seek(0) && file.resize(0) && copied(*whole.parts().first().drawn, file)
                        ? PdfRewriter::Result::Rewritten
                        : PdfRewriter::Result::WriteFailed;
    }
    if (rewritten != PdfRewriter::Result::Rewritten)
        return failAfterClearance(WriteFailure::describe(file, path, drawing.size()));
    if (!file.commit())
        return failAfterClearance(WriteFailure::describe(file, path, drawing.size()));
    // A file whose receipts the register cannot call issued is no receipt: it goes again.
    if (const QString unrecorded = run.outputCompleted({{path, cellsOn(run, {first, last})}}); !unrecorded.isEmpty()) {
        QFile::remove(path);
        run.outputFailed(unrecorded);
        return fail(unrecorded);
    }
    return true;
}

bool print(ReportRun& run, QPrinter& printer, QString* error, QString* notice, const PrinterCalibration& correction)
{
    printer.setFullPage(true);
    printer.setPageLayout(fullPageA4());
    int first = 0;
    int last = run.pageCount() - 1;
    if (printer.printRange() == QPrinter::PageRange && printer.fromPage() > 0) {
        first = printer.fromPage() - 1;
        last = std::min(last, printer.toPage() - 1);
    }
    if (first > last)
        return true;
    // Printing to a file the print dialog named is an output like a PDF.
    if (const QString file = printer.outputFileName(); !file.isEmpty()) {
        QString refusal = OwnFiles::refusal(file);
        if (const QFileInfo target(file); refusal.isEmpty() && target.exists() && !target.isFile())
            refusal = notAFile();
        if (!refusal.isEmpty()) {
            if (error)
                *error = refusal;
            return false;
        }
    }
    // Numbers are recorded before the job begins: if that fails nothing is printed (a job begun
    // first could not be taken back from every printer, and would already have emptied a file).
    const QString outputName = printer.outputFileName().isEmpty() ? printer.printerName()
                                                                  : QFileInfo(printer.outputFileName()).fileName();
    const OutputClearance clearance = run.clearForOutput(outputName, {first, last});
    if (!clearance.ok) {
        if (error)
            *error = clearance.error;
        return false;
    }
    if (notice)
        *notice = clearance.notice;
    // From here on what was recorded for the job is put right when it does not go out whole.
    const auto failAfterClearance = [&](const QString& reason) {
        run.outputFailed(reason);
        if (error)
            *error = reason;
        return false;
    };
    QPainter painter;
    if (!painter.begin(&printer))
        return failAfterClearance(QStringLiteral("プリンタを開始できません。") + whyNotOpened(printer.outputFileName()));
    // A printer that cannot make copies itself (a PDF file, for one) gets them from us.
    const int copies = printer.supportsMultipleCopies() ? 1 : std::max(1, printer.copyCount());
    QList<int> order;
    if (printer.collateCopies()) {
        for (int copy = 0; copy < copies; ++copy)
            for (int index = first; index <= last; ++index)
                order.append(index);
    } else {
        for (int index = first; index <= last; ++index)
            for (int copy = 0; copy < copies; ++copy)
                order.append(index);
    }
    run.printStarted();
    PagePainter pagePainter;
    qsizetype sent = 0;
    for (int index : order) {
        if (sent > 0 && !printer.newPage())
            break;
        painter.save();
        PagePainter::useTwips(painter);
        applyCorrection(painter, correction);
        pagePainter.paint(painter, run.page(index));
        painter.restore();
        run.pagePrinted(index + 1);
        ++sent;
    }
    const bool ended = painter.end();
    if (const QString file = printer.outputFileName(); !file.isEmpty() && !endsAsAPdf(file)) {
        const QString reason = WriteFailure::describe(QFile(file), file, 0);
        // What is left is no receipt; a link is left alone, its target was written through.
        if (const QFileInfo written(file); written.isFile() && !written.isSymLink())
            QFile::remove(file);
        return failAfterClearance(reason);
    }
    if (!ended || sent != order.size())
        return failAfterClearance(QStringLiteral("プリンタにすべてのページを送れませんでした。"));
    // A file is an output like a PDF: kept and recorded with its hash, or taken back.
    if (const QString file = printer.outputFileName(); !file.isEmpty()) {
        if (const QString unrecorded = run.outputCompleted({{file, cellsOn(run, {first, last})}}); !unrecorded.isEmpty()) {
            if (const QFileInfo written(file); written.isFile() && !written.isSymLink())
                QFile::remove(file);
            return failAfterClearance(unrecorded);
        }
        return true;
    }
    // Qt has handed the last page to the print system: paper cannot be taken back, so a
    // completion the register could not note is told (its entries stay pending, and a later
    // start voids them and names their numbers).
    addNotice(notice, run.outputCompleted());
    return true;
}

} // namespace ReportOutput
