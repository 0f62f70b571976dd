#include "report/ReportOutput.h"

#include "report/PagePainter.h"
#include "report/ReportRun.h"

#include <QCoreApplication>
#include <QFile>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QPrinter>

namespace ReportOutput {

namespace {

QPageLayout fullPageA4()
{
    return QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0));
}

// Pages first..last (0-based); returns the 1-based numbers of the pages drawn.
QList<int> paintPages(ReportRun& run, QPainter& painter, QPagedPaintDevice& device, int first, int last)
{
    QList<int> drawn;
    PagePainter pagePainter;
    for (int index = first; index <= last; ++index) {
        if (!drawn.isEmpty() && !device.newPage())
            break;
        painter.save();
        PagePainter::useTwips(painter);
        pagePainter.paint(painter, run.page(index));
        painter.restore();
        drawn.append(index + 1);
    }
    return drawn;
}

} // namespace

bool writePdf(ReportRun& run, const QString& path, QString* error, int fromPage, int toPage)
{
    const int first = std::max(1, fromPage) - 1;
    const int last = (toPage <= 0 ? run.pageCount() : std::min(toPage, run.pageCount())) - 1;
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly | QIODevice::Truncate)) {
        if (error)
            *error = file.errorString();
        return false;
    }
    // The pages count as printed before any of them is written: should the program die while
    // writing, their numbers are skipped rather than handed out a second time.
    run.printStarted();
    for (int index = first; index <= last; ++index)
        run.pagePrinted(index + 1);
    QList<int> drawn;
    {
        QPdfWriter writer(&file);
        writer.setPageLayout(fullPageA4());
        writer.setResolution(1440);
        writer.setCreator(QCoreApplication::applicationName());
        writer.setTitle(run.layout().caption);
        QPainter painter;
        if (!painter.begin(&writer)) {
            if (error)
                *error = QStringLiteral("PDF を作成できません。");
            return false;
        }
        drawn = paintPages(run, painter, writer, first, last);
        painter.end();
    }
    file.close();
    if (file.error() != QFileDevice::NoError) {
        if (error)
            *error = file.errorString();
        return false;
    }
    return drawn.size() == last - first + 1;
}

bool print(ReportRun& run, QPrinter& printer, QString* error)
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
    QPainter painter;
    if (!painter.begin(&printer)) {
        if (error)
            *error = QStringLiteral("プリンタを開始できません。");
        return false;
    }
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
    bool firstSheet = true;
    for (int index : order) {
        if (!firstSheet && !printer.newPage())
            break;
        firstSheet = false;
        painter.save();
        PagePainter::useTwips(painter);
        pagePainter.paint(painter, run.page(index));
        painter.restore();
        run.pagePrinted(index + 1);
    }
    painter.end();
    return true;
}

} // namespace ReportOutput
