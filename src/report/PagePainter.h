#pragma once
#include "report/PictureCache.h"
#include "report/ReportPage.h"
#include "report/TextSetter.h"

#include <memory>

class QPainter;

// Draws pages in twips on any painter: preview widget, printer or PDF writer.
// One painter object serves a whole job, so pictures and texts are prepared once.
class PagePainter {
public:
    PagePainter() = default;
    // Draws with the pictures another painter prepared: for jobs drawn one after another (a
    // file per receipt), never at the same time.
    explicit PagePainter(std::shared_ptr<PictureCache> pictures) : pictures_(std::move(pictures)) {}
    const std::shared_ptr<PictureCache>& pictures() const { return pictures_; }

    // Scales the painter so that one unit is one twip from the device's top-left corner.
    static void useTwips(QPainter& painter);
    void paint(QPainter& painter, const ReportPage& page);

    using TextFit = TextSetter::TextFit;
    TextFit fit(const PageItem& item) { return text_.fit(item); }

    // See TextSetter::markSharedGlyphs: for a PDF whose text layer PdfTextLayer mends.
    void markSharedGlyphs() { text_.markSharedGlyphs(); }
    const QList<char32_t>& markedCharacters() const { return text_.markedCharacters(); }

private:
    void paintLine(QPainter& painter, const PageItem& item);
    void paintPicture(QPainter& painter, const PageItem& item);
    void paintFramed(QPainter& painter, const PageItem& item);

    std::shared_ptr<PictureCache> pictures_ = std::make_shared<PictureCache>();
    TextSetter text_;
};
