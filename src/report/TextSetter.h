#pragma once
#include "report/ReportPage.h"
#include "report/PdfTextLayer.h"
#include "report/SharedGlyphs.h"

#include <QFont>
#include <QFontMetricsF>
#include <QGlyphRun>
#include <QHash>
#include <QRawFont>
#include <QStringList>
#include <QTextLine>

#include <optional>
#include <utility>

class QPainter;

// Sets the texts of a page: fits each into its box (shrinking, wrapping or cutting what is
// too long), shapes each text once per job, and hands neighbouring texts of one font and
// colour to the painter as one glyph run.
class TextSetter {
public:
    // How a text is drawn in its box: font size in twips and Qt text flags.
    struct TextFit {
        int pixelSize = 0;
        int flags = 0;
        bool clipped = false; // still too long at the smallest size: cut at the box
        qreal advance = -1;   // width of a single line, when known
        bool lines = false;   // several lines, each drawn as one line
        QStringList lineTexts; // those lines, when `lines`
    };
    TextFit fit(const PageItem& item);

    // Draws a label or field in its box (or keeps its glyphs for the next flush).
    void paint(QPainter& painter, const PageItem& item);
    // Draws the glyphs kept so far; call before anything else is drawn over them.
    void flush(QPainter& painter);

    // From now on, characters whose glyph a PDF's text layer names after another character
    // (see SharedGlyphs) are drawn at their size plus k/PdfTextLayer::MarkSteps twip, k
    // naming the character as markedCharacters()[k - 1], for PdfTextLayer to name them right.
    void markSharedGlyphs() { marking_ = true; }
    const QList<char32_t>& markedCharacters() const { return marked_; }
    static constexpr int MostMarkedCharacters = PdfTextLayer::MarkSteps - 1;

private:
    // Glyphs of a laid-out text; a character the text layer would name as another has a
    // run of its own, `named` after it (0 for any other run).
    struct NamedRun {
        QGlyphRun run;
        char32_t named = 0;
    };
    // A text shaped once on one line: most texts repeat on every receipt of a run.
    struct ShapedLine {
        QList<NamedRun> runs; // positions relative to the line's top-left corner
        qreal width = 0;
        qreal visibleWidth = 0; // without trailing blanks, which show nothing and may overhang the box
        qreal leadingWidth = 0; // of the blanks before the first visible character
        qreal ascent = 0;
        int plainPixelSize = 0; // set when the one run uses the plain font of that size
    };
    // Glyphs of neighbouring texts in the same font and colour, drawn as one run: each
    // drawn text costs a PDF a block of its own.
    struct GlyphBatch {
        int pixelSize = 0;
        QRgb colour = 0;
        int mark = 0; // 1 + the index of the character in marked_, or 0
        QList<quint32> glyphs;
        QList<QPointF> positions;
    };
    // A text at a size: looked up several times for every text drawn, so built without
    // allocating anything.
    struct ShapedKey {
        QString text;
        int pixelSize = 0;
        bool operator==(const ShapedKey&) const = default;
        friend size_t qHash(const ShapedKey& key, size_t seed = 0) { return qHashMulti(seed, key.text, key.pixelSize); }
    };
    const ShapedLine& shaped(const QString& text, int pixelSize);
    // Whether a line fits across `room` as it is drawn: a centred line may overhang both
    // edges equally by blanks, any other by its trailing blanks.
    bool fitsAcross(const QString& text, int pixelSize, qreal room, Qt::Alignment horizontal);
    // The text broken into lines at its blanks only, each line fitting `room`; empty when
    // a word alone is too wide.
    QStringList brokenAtBlanks(const QString& text, int pixelSize, qreal room, Qt::Alignment horizontal);
    // Texts of plain Japanese and Latin characters need no shaping: their glyphs are
    // looked up and set side by side. False when the text needs the full treatment.
    bool composePlain(const QString& text, int pixelSize, ShapedLine* line);
    // One shaped line with its top-left corner at `at`, drawn now or kept for the next flush.
    // An underline stays within `underlineSpan` (left, right) beyond the visible characters.
    void placeLine(QPainter& painter, const QString& text, int pixelSize, const QPointF& at, const QColor& colour,
                   bool underline, std::pair<qreal, qreal> underlineSpan);
    // The glyph runs of a laid-out line of `text`.
    QList<NamedRun> runsOf(const QTextLine& line, const QString& text);
    // Draws runs now, each named one marked (see markSharedGlyphs).
    void drawRuns(QPainter& painter, const QPointF& at, const QList<NamedRun>& runs);
    // Draws the text as QPainter::drawText(box, flags, text) would, line by line through drawRuns.
    void drawLaidOut(QPainter& painter, const QRectF& box, int flags, const QString& text, const QFont& font);
    const QFontMetricsF& metrics(int pixelSize);
    static const SharedGlyphs& sharedGlyphs();
    // The mark a glyph of `character` is drawn with (see markSharedGlyphs).
    int markFor(char32_t character);

    QHash<int, QFontMetricsF> metrics_;
    QHash<QString, TextFit> fits_; // texts that needed shrinking or wrapping
    QHash<ShapedKey, ShapedLine> shaped_;
    QHash<int, QRawFont> rawFonts_;
    QList<GlyphBatch> batches_;
    bool marking_ = false;
    QList<char32_t> marked_;
};

// The font every layout uses, at a size in twips.
QFont reportFont(int pixelSize, bool underline = false);
