#pragma once
#include "report/PictureCache.h"
#include "report/ReportPage.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QRawFont>

class QPainter;

// Draws pages in twips on any painter: preview widget, printer or PDF writer.
// One painter object serves a whole job, so pictures and font metrics are prepared once.
class PagePainter {
public:
    // Scales the painter so that one unit is one twip from the device's top-left corner.
    static void useTwips(QPainter& painter);
    void paint(QPainter& painter, const ReportPage& page);

    // How a text is drawn in its box: font size in twips and Qt text flags.
    struct TextFit {
        int pixelSize = 0;
        int flags = 0;
        bool clipped = false; // still too long at the smallest size: cut at the box
        qreal advance = -1;   // width of a single line, when known
        bool lines = false;   // several lines as the text breaks them, each drawn as one line
    };
    TextFit fit(const PageItem& item);

private:
    // A text shaped once on one line: most texts repeat on every receipt of a run.
    struct ShapedLine {
        QList<QGlyphRun> runs; // positions relative to the line's top-left corner
        qreal width = 0;
        qreal ascent = 0;
        int plainPixelSize = 0; // set when the one run uses the plain font of that size
    };
    // Glyphs of neighbouring texts in the same font and colour, drawn as one run: each
    // drawn text costs a PDF a block of its own.
    struct GlyphBatch {
        int pixelSize = 0;
        QRgb colour = 0;
        QList<quint32> glyphs;
        QList<QPointF> positions;
    };
    const ShapedLine& shaped(const QString& text, int pixelSize);
    // Texts of plain Japanese and Latin characters need no shaping: their glyphs are
    // looked up and set side by side. False when the text needs the full treatment.
    bool composePlain(const QString& text, int pixelSize, ShapedLine* line);
    void paintText(QPainter& painter, const PageItem& item);
    // One shaped line with its top-left corner at `at`; returns nothing, draws or batches.
    void placeLine(QPainter& painter, const QString& text, int pixelSize, const QPointF& at, const QColor& colour,
                   bool underline);
    void flushGlyphs(QPainter& painter);
    void paintLine(QPainter& painter, const PageItem& item);
    void paintPicture(QPainter& painter, const PageItem& item);
    const QFontMetricsF& metrics(int pixelSize);

    PictureCache pictures_;
    QHash<int, QFontMetricsF> metrics_;
    QHash<QString, TextFit> fits_; // texts that needed shrinking or wrapping
    QHash<QString, ShapedLine> shaped_;
    QHash<int, QRawFont> rawFonts_;
    QList<GlyphBatch> batches_;
};

// The font every layout uses, at a size in twips.
QFont reportFont(int pixelSize, bool underline = false);
