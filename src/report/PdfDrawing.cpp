#include "report/PdfDrawing.h"

#include "report/PagePainter.h"
#include "report/ReportRun.h"
#include "store/WriteFailure.h"

#include <QCoreApplication>
#include <QPageLayout>
#include <QPageSize>
#include <QPainter>
#include <QPdfWriter>
#include <QThread>

#include <algorithm>
#include <future>

namespace {

// Below this many pages a part costs more to start and join than it saves.
constexpr int LeastPagesPerPart = 150;
constexpr int MostParts = 4;

struct DrawnPart {
    QString error;
    QList<char32_t> marked;
};

DrawnPart draw(const ReportRun& run, QTemporaryFile* file, int first, int last,
               std::shared_ptr<const PictureCache> pictures)
{
    DrawnPart part;
    // A part of its own copy: the copies share the images, and no part changes another's cache.
    PagePainter pagePainter(pictures ? std::make_shared<PictureCache>(*pictures) : std::make_shared<PictureCache>());
    pagePainter.markSharedGlyphs();
    int drawn = 0;
    {
        QPdfWriter writer(file);
        writer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
        writer.setResolution(1440);
        writer.setCreator(QCoreApplication::applicationName());
        writer.setTitle(run.layout().caption);
        QPainter painter;
        if (!painter.begin(&writer))
            return {QStringLiteral("PDF を作成できません。"), {}};
        for (int index = first; index <= last; ++index) {
            if (drawn > 0 && !writer.newPage())
                break;
            painter.save();
            PagePainter::useTwips(painter);
            pagePainter.paint(painter, run.page(index));
            painter.restore();
            ++drawn;
        }
        painter.end();
    }
    if (drawn != last - first + 1)
        return {QStringLiteral("PDF のページを作成できません。"), {}};
    if (!file->flush() || !PdfDrawing::endsAsAPdf(*file))
        return {WriteFailure::describe(*file, file->fileName(), 0), {}};
    part.marked = pagePainter.markedCharacters();
    return part;
}

} // namespace

bool PdfDrawing::endsAsAPdf(QIODevice& file)
{
    const QByteArray end = QByteArrayLiteral("%%EOF\n");
    return file.size() >= end.size() && file.seek(file.size() - end.size()) && file.read(end.size()) == end;
}

int PdfDrawing::partsFor(int first, int last)
{
    const int pages = last - first + 1;
    return std::clamp(std::min(QThread::idealThreadCount(), pages / LeastPagesPerPart), 1, MostParts);
}

PdfDrawing::PdfDrawing(const ReportRun& run, int first, int last, int parts,
                       const std::shared_ptr<const PictureCache>& pictures)
{
    parts = std::clamp(parts, 1, std::max(1, last - first + 1));
    const int pages = last - first + 1;
    QList<std::pair<int, int>> ranges;
    for (int part = 0; part < parts; ++part)
        ranges.append({first + pages * part / parts, first + pages * (part + 1) / parts - 1});
    for (int part = 0; part < parts; ++part) {
        files_.push_back(std::make_unique<QTemporaryFile>());
        if (!files_.back()->open()) {
            error_ = QStringLiteral("PDF を作成できません（一時ファイルを作れません：%1）。").arg(files_.back()->errorString());
            return;
        }
    }
    // The later parts on threads of their own, the first one here.
    std::vector<std::future<DrawnPart>> later;
    for (int part = 1; part < parts; ++part)
        later.push_back(std::async(std::launch::async, draw, std::cref(run), files_.at(part).get(),
                                   ranges.at(part).first, ranges.at(part).second, pictures));
    QList<DrawnPart> drawn{draw(run, files_.front().get(), ranges.first().first, ranges.first().second, pictures)};
    for (std::future<DrawnPart>& part : later)
        drawn.append(part.get());
    for (const DrawnPart& part : drawn) {
        if (error_.isEmpty())
            error_ = part.error;
        marked_.append(part.marked);
    }
}

QList<PdfRewriter::Part> PdfDrawing::parts() const
{
    QList<PdfRewriter::Part> parts;
    for (size_t part = 0; part < files_.size(); ++part)
        parts.append({files_.at(part).get(), marked_.value(qsizetype(part))});
    return parts;
}

qint64 PdfDrawing::size() const
{
    qint64 size = 0;
    for (const auto& file : files_)
        size += file->size();
    return size;
}
