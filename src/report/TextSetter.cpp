#include "report/TextSetter.h"

#include "report/ReportFont.h"

#include <QPainter>
#include <QTextBoundaryFinder>
#include <QTextLayout>

#include <algorithm>
#include <cmath>

namespace {
constexpr qreal SmallestScale = 0.45;   // long texts shrink down to this share of their size
constexpr int FitCacheLimit = 512;
constexpr int ShapedCacheLimit = 4096;
// No box holds more than this many characters even at the smallest size; the rest is
// never measured or drawn.
constexpr qsizetype LongestDrawnText = 1000;

QString drawnText(const PageItem& item)
{
    QString text = item.text.size() > LongestDrawnText ? item.text.left(LongestDrawnText) : item.text;
    if (text.contains(QLatin1Char('\r'))) // lines typed on another system
        text.replace(QStringLiteral("\r\n"), QStringLiteral("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return text;
}

// Glyphs stand on whole twips (1/1440 inch, far below what a printer shows): a PDF then
// writes each step between glyphs as a short whole number, the same on every receipt.
QPointF onWholeTwips(const QPointF& point)
{
    return QPointF(std::round(point.x()), std::round(point.y()));
}

// Length of the text without its trailing blanks (spaces, ideographic spaces).
qsizetype visibleLength(const QString& text)
{
    qsizetype length = text.size();
    while (length > 0 && text.at(length - 1).isSpace())
        --length;
    return length;
}

// Number of blanks before the first visible character.
qsizetype leadingBlanks(const QString& text)
{
    qsizetype count = 0;
    while (count < text.size() && text.at(count).isSpace())
        ++count;
    return count;
}

bool isBlank(QChar ch) { return ch == QLatin1Char(' ') || ch == QChar(0x3000); }

// A font `mark` steps larger, for a marked glyph (see TextSetter::markSharedGlyphs): far below
// what any device shows.
QRawFont marked(QRawFont font, int mark)
{
    font.setPixelSize(font.pixelSize() + qreal(mark) / PdfTextLayer::MarkSteps);
    return font;
}
} // namespace

QFont reportFont(int pixelSize, bool underline)
{
    QFont font(ReportFont::family());
    font.setPixelSize(std::max(1, pixelSize));
    font.setUnderline(underline);
    // Print metrics: unhinted outlines scale exactly and their advances need no glyph loading.
    font.setHintingPreference(QFont::PreferNoHinting);
    // Glyphs stand at their own advances, as the layouts were drawn.
    font.setKerning(false);
    return font;
}

const QFontMetricsF& TextSetter::metrics(int pixelSize)
{
    auto found = metrics_.find(pixelSize);
    if (found == metrics_.end())
        found = metrics_.insert(pixelSize, QFontMetricsF(reportFont(pixelSize)));
    return *found;
}

namespace {
bool isPlain(QChar ch)
{
    if (ch.unicode() < 0x20 || ch.isSurrogate() || ch.isMark() || ch.category() == QChar::Other_Format)
        return false;
    switch (ch.script()) {
    case QChar::Script_Common:
    case QChar::Script_Latin:
    case QChar::Script_Han:
    case QChar::Script_Hiragana:
    case QChar::Script_Katakana:
        return true;
    default:
        return false;
    }
}
} // namespace

bool TextSetter::composePlain(const QString& text, int pixelSize, ShapedLine* line)
{
    for (QChar ch : text)
        if (!isPlain(ch))
            return false;
    auto raw = rawFonts_.find(pixelSize);
    if (raw == rawFonts_.end())
        raw = rawFonts_.insert(pixelSize, QRawFont::fromFont(reportFont(pixelSize)));
    if (!raw->isValid())
        return false;
    const QList<quint32> glyphs = raw->glyphIndexesForString(text);
    if (glyphs.size() != text.size() || glyphs.contains(0u)) // 0: the font lacks it, let Qt find another
        return false;
    const QList<QPointF> advances = raw->advancesForGlyphIndexes(glyphs);
    QList<QPointF> positions;
    positions.reserve(glyphs.size());
    const qsizetype visible = visibleLength(text);
    const qsizetype leading = leadingBlanks(text);
    qreal x = 0;
    for (qsizetype i = 0; i <= advances.size(); ++i) {
        if (i == visible)
            line->visibleWidth = x;
        if (i == leading)
            line->leadingWidth = x;
        if (i == advances.size())
            break;
        positions.append(QPointF(x, raw->ascent()));
        x += advances.at(i).x();
    }
    QGlyphRun run;
    run.setRawFont(*raw);
    run.setGlyphIndexes(glyphs);
    run.setPositions(positions);
    line->runs = {{run, 0}};
    line->width = x;
    line->ascent = raw->ascent();
    line->plainPixelSize = pixelSize;
    return true;
}

const TextSetter::ShapedLine& TextSetter::shaped(const QString& text, int pixelSize)
{
    const ShapedKey key{text, pixelSize};
    auto found = shaped_.find(key);
    if (found != shaped_.end())
        return *found;
    ShapedLine result;
    if (!composePlain(text, pixelSize, &result)) {
        QTextLayout layout(text, reportFont(pixelSize));
        layout.beginLayout();
        QTextLine line = layout.createLine();
        line.setLineWidth(1e9);
        layout.endLayout();
        result.runs = line.isValid() ? runsOf(line, text) : QList<NamedRun>();
        result.width = line.isValid() ? line.horizontalAdvance() : 0; // trailing blanks count
        result.ascent = line.isValid() ? line.ascent() : 0;
        const qsizetype visible = visibleLength(text);
        result.visibleWidth = visible == text.size() || !line.isValid()
                                  ? result.width
                                  : std::clamp<qreal>(line.cursorToX(visible), 0, result.width);
        const qsizetype leading = leadingBlanks(text);
        result.leadingWidth =
            leading == 0 || !line.isValid() ? 0 : std::clamp<qreal>(line.cursorToX(leading), 0, result.width);
    }
    if (shaped_.size() >= ShapedCacheLimit)
        shaped_.clear();
    return *shaped_.insert(key, result);
}

bool TextSetter::fitsAcross(const QString& text, int pixelSize, qreal room, Qt::Alignment horizontal)
{
    const ShapedLine& line = shaped(text, pixelSize);
    if (line.width <= room)
        return true;
    if (horizontal & Qt::AlignHCenter) {
        const qreal overhang = (line.width - room) / 2;
        return line.leadingWidth >= overhang && line.width - line.visibleWidth >= overhang;
    }
    return line.visibleWidth <= room;
}

QStringList TextSetter::brokenAtBlanks(const QString& text, int pixelSize, qreal room, Qt::Alignment horizontal)
{
    // Words as (start, end) in the text; a line runs from its first word's start to its
    // last word's end, so the blanks where it breaks are dropped.
    QList<std::pair<qsizetype, qsizetype>> words;
    for (qsizetype i = 0; i < text.size();) {
        if (isBlank(text.at(i))) {
            ++i;
            continue;
        }
        const qsizetype start = i;
        while (i < text.size() && !isBlank(text.at(i)))
            ++i;
        words.append({start, i});
    }
    QStringList lines;
    qsizetype lineStart = 0; // the text's leading blanks stay on its first line
    qsizetype lineEnd = -1;
    for (const auto& [start, end] : words) {
        if (lineEnd < 0 || fitsAcross(text.mid(lineStart, end - lineStart), pixelSize, room, horizontal)) {
            lineEnd = end;
            continue;
        }
        lines.append(text.mid(lineStart, lineEnd - lineStart));
        lineStart = start;
        lineEnd = end;
    }
    if (lineEnd >= 0)
        lines.append(text.mid(lineStart, lineEnd - lineStart));
    for (const QString& line : lines)
        if (!fitsAcross(line, pixelSize, room, horizontal))
            return {};
    return lines;
}

TextSetter::TextFit TextSetter::fit(const PageItem& item)
{
    const ReportControl& c = *item.control;
    const int basePixels = int(std::lround(c.fontPt * 20));
    const int horizontal = int(c.alignment & Qt::AlignHorizontal_Mask);
    TextFit single{basePixels, Qt::AlignTop | horizontal | Qt::TextSingleLine, false, -1, false, {}};
    const QString text = drawnText(item);
    const bool multiLine = text.contains(QLatin1Char('\n'));
    // What the visible characters of one line may take up: the box, or up to the cell's
    // right edge for a box drawn narrower than the fixed text it holds.
    const qreal toCellEdge = item.cell.left() + item.cell.width() - item.box.left();
    const qreal room = c.runsOn ? std::max<qreal>(item.box.width(), toCellEdge) : item.box.width();
    const Qt::Alignment alignment(horizontal);
    if (!multiLine) {
        single.advance = shaped(text, basePixels).width;
        if (fitsAcross(text, basePixels, room, alignment))
            return single;
    }

    const QString key = c.name + QLatin1Char('\x1f') + text;
    auto cached = fits_.find(key);
    if (cached != fits_.end())
        return *cached;

    // Shrink until the text fits: on one line if it can, else broken at its blanks (a text
    // with blanks is never broken inside a word while a smaller size can avoid it), else
    // wrapped at word boundaries (Japanese breaks between any two characters), else broken
    // wherever it must.
    TextFit result{int(std::lround(basePixels * SmallestScale)), 0, true, -1, false, {}};
    const int wordFlags = Qt::AlignTop | horizontal | Qt::TextWordWrap;
    const int anywhereFlags = wordFlags | Qt::TextWrapAnywhere;
    const bool hasBlank = std::any_of(text.cbegin(), text.cend(), isBlank);
    for (qreal scale = 1.0; scale >= SmallestScale - 1e-9 && result.clipped; scale -= 0.05) {
        const int pixels = int(std::lround(basePixels * scale));
        const QFontMetricsF& m = metrics(pixels);
        if (!multiLine && fitsAcross(text, pixels, room, alignment)) {
            result = {pixels, single.flags, false, shaped(text, pixels).width, false, {}};
            break;
        }
        if (multiLine) {
            // Lines as the text breaks them, if each fits across and all fit down the box.
            const QStringList lines = text.split(QLatin1Char('\n'));
            bool fits = lines.size() * m.lineSpacing() <= item.box.height();
            for (qsizetype i = 0; fits && i < lines.size(); ++i)
                fits = fitsAcross(lines.at(i), pixels, item.box.width(), alignment);
            if (fits) {
                result = {pixels, Qt::AlignTop | horizontal, false, -1, true, lines};
                break;
            }
        }
        if (!multiLine && hasBlank) {
            const QStringList lines = brokenAtBlanks(text, pixels, item.box.width(), alignment);
            if (lines.size() > 1 && lines.size() * m.lineSpacing() <= item.box.height()) {
                result = {pixels, wordFlags, false, -1, true, lines};
                break;
            }
            if (scale - 0.05 >= SmallestScale - 1e-9)
                continue; // smaller before breaking inside a word
        }
        for (int flags : {wordFlags, anywhereFlags}) {
            const QRectF needed = m.boundingRect(QRectF(0, 0, item.box.width(), 1e6), flags, text);
            if (needed.height() > m.lineSpacing() * 1.5 && needed.height() <= item.box.height() &&
                needed.width() <= item.box.width()) {
                result = {pixels, flags, false, -1, false, {}};
                break;
            }
        }
        if (!result.clipped)
            break;
    }
    if (result.clipped)
        result.flags = multiLine ? anywhereFlags : single.flags;
    if (fits_.size() >= FitCacheLimit)
        fits_.clear();
    fits_.insert(key, result);
    return result;
}

void TextSetter::placeLine(QPainter& painter, const QString& text, int pixelSize, const QPointF& at,
                            const QColor& colour, bool underline, std::pair<qreal, qreal> underlineSpan)
{
    const ShapedLine& line = shaped(text, pixelSize);
    if (line.plainPixelSize > 0) {
        const QRgb rgba = colour.rgba();
        auto batchFor = [&](int mark) {
            for (GlyphBatch& b : batches_)
                if (b.pixelSize == line.plainPixelSize && b.colour == rgba && b.mark == mark)
                    return &b;
            batches_.append(GlyphBatch{line.plainPixelSize, rgba, mark, {}, {}});
            return &batches_.last();
        };
        const QGlyphRun& run = line.runs.first().run;
        const QList<quint32> glyphs = run.glyphIndexes();
        const QList<QPointF> positions = run.positions();
        GlyphBatch* plain = batchFor(0);
        for (qsizetype i = 0; i < glyphs.size(); ++i) { // one glyph per character in a plain text
            const int mark = marking_ ? markFor(text.at(i).unicode()) : 0;
            GlyphBatch* batch = mark == 0 ? plain : batchFor(mark);
            batch->glyphs.append(glyphs.at(i));
            batch->positions.append(onWholeTwips(positions.at(i) + at));
            plain = batchFor(0); // the list may have grown
        }
    } else {
        flush(painter);
        painter.setPen(colour);
        drawRuns(painter, at, line.runs);
    }
    if (underline) {
        // Under the whole text, blanks included: a blank amount is a line to write on. Blanks
        // that overhang the box get no underline beyond it.
        const QFontMetricsF& m = metrics(pixelSize);
        const qreal y = at.y() + line.ascent + m.underlinePos();
        const qreal from = std::max(at.x(), underlineSpan.first);
        const qreal to = std::max(at.x() + line.visibleWidth, std::min(at.x() + line.width, underlineSpan.second));
        painter.fillRect(QRectF(from, y, to - from, std::max<qreal>(m.lineWidth(), 1)), colour);
    }
}

void TextSetter::paint(QPainter& painter, const PageItem& item)
{
    if (item.text.isEmpty())
        return;
    const QString text = drawnText(item);
    const TextFit how = fit(item);
    const ReportControl& c = *item.control;
    const Qt::Alignment horizontal = c.alignment & Qt::AlignHorizontal_Mask;
    const std::pair<qreal, qreal> boxSpan(item.box.left(), item.box.left() + item.box.width());
    auto left = [&](const ShapedLine& line) {
        // A centred line keeps its centre, overhanging both edges alike. A line otherwise
        // wider than its box by trailing blanks is aligned by what shows of it; one that runs
        // on starts at the box.
        if (horizontal & Qt::AlignHCenter)
            return item.box.left() + (item.box.width() - line.width) / 2;
        const qreal width =
            line.width <= item.box.width() ? line.width : std::min<qreal>(line.visibleWidth, item.box.width());
        if (horizontal & Qt::AlignRight)
            return item.box.left() + item.box.width() - width;
        return qreal(item.box.left());
    };
    if (how.advance >= 0) {
        // One line that fits: its shaped glyphs go straight onto the page.
        placeLine(painter, text, how.pixelSize, QPointF(left(shaped(text, how.pixelSize)), item.box.top()), c.colour,
                  c.underline, boxSpan);
        return;
    }
    if (how.lines) {
        const qreal step = metrics(how.pixelSize).lineSpacing();
        for (qsizetype i = 0; i < how.lineTexts.size(); ++i) {
            const QString& line = how.lineTexts.at(i);
            const QPointF at(left(shaped(line, how.pixelSize)), item.box.top() + i * step);
            placeLine(painter, line, how.pixelSize, at, c.colour, c.underline, boxSpan);
        }
        return;
    }
    flush(painter);
    painter.setPen(c.colour);
    const QFont font = reportFont(how.pixelSize, c.underline);
    if (how.clipped) {
        painter.save();
        painter.setClipRect(item.box.intersected(item.cell));
        drawLaidOut(painter, item.box, how.flags, text, font);
        painter.restore();
        return;
    }
    // A wrapped text may use the whole box; a single line sits at the top of its box
    // and may run a little below it, as captions do, but never out of its cell.
    QRect area = item.box;
    if (how.flags & Qt::TextSingleLine)
        area.setBottom(std::min(item.cell.bottom(), item.box.top() + int(metrics(how.pixelSize).height()) + 1));
    drawLaidOut(painter, area, how.flags, text, font);
}

QList<TextSetter::NamedRun> TextSetter::runsOf(const QTextLine& line, const QString& text)
{
    QList<NamedRun> runs;
    auto add = [&](qsizetype from, qsizetype to, char32_t named) {
        if (to > from)
            for (const QGlyphRun& run : line.glyphRuns(int(from), int(to - from)))
                runs.append({run, named});
    };
    // Only a character that stands alone gets a run of its own: the glyphs of a cluster
    // (an emoji sequence, a letter with its marks) are drawn once, as they are.
    const qsizetype end = line.textStart() + line.textLength();
    qsizetype from = line.textStart();
    QTextBoundaryFinder graphemes(QTextBoundaryFinder::Grapheme, text);
    graphemes.setPosition(from);
    for (qsizetype at = from, next = 0; at < end; at = next) {
        next = std::min(graphemes.toNextBoundary(), end);
        if (next <= at)
            break;
        const QList<uint> characters = QStringView(text).sliced(at, next - at).toUcs4();
        if (characters.size() != 1 || characters.first() < 0x80 || !sharedGlyphs().namedAsAnother(characters.first()))
            continue;
        add(from, at, 0);
        add(at, next, characters.first());
        from = next;
    }
    add(from, end, 0);
    return runs;
}

void TextSetter::drawRuns(QPainter& painter, const QPointF& at, const QList<NamedRun>& runs)
{
    for (const NamedRun& named : runs) {
        const int mark = marking_ && named.named != 0 ? markFor(named.named) : 0;
        if (mark == 0) {
            painter.drawGlyphRun(at, named.run);
            continue;
        }
        QGlyphRun run = named.run;
        run.setRawFont(marked(run.rawFont(), mark));
        painter.drawGlyphRun(at, run);
    }
}

void TextSetter::drawLaidOut(QPainter& painter, const QRectF& box, int flags, const QString& text, const QFont& font)
{
    // The same lines at the same places as QPainter::drawText: the text with blanks for tabs
    // and carriage returns, laid out left to right and aligned line by line, clipped to the
    // box when it runs over.
    QString laid = text;
    for (QChar& ch : laid) {
        if (ch == QLatin1Char('\r') || ch == QLatin1Char('\t') ||
            (ch == QLatin1Char('\n') && (flags & Qt::TextSingleLine)))
            ch = QLatin1Char(' ');
        else if (ch == QLatin1Char('\n'))
            ch = QChar::LineSeparator;
    }
    const QFont onDevice(font, painter.device());
    QTextLayout layout(laid, onDevice);
    QTextOption option;
    option.setTextDirection(painter.layoutDirection());
    if (flags & Qt::TextWrapAnywhere)
        option.setWrapMode(QTextOption::WrapAnywhere);
    layout.setTextOption(option);
    const bool wrap = flags & (Qt::TextWordWrap | Qt::TextWrapAnywhere);
    const qreal leading = QFontMetricsF(onDevice).leading();
    qreal height = -leading;
    qreal width = 0;
    layout.beginLayout();
    for (QTextLine line = layout.createLine(); line.isValid(); line = layout.createLine()) {
        line.setLineWidth(wrap ? std::max<qreal>(0, box.width()) : 0x01000000);
        height = std::ceil(height + leading); // lines on whole units
        line.setPosition(QPointF(0, height));
        height += line.height();
        width = std::max(width, line.naturalTextWidth());
        if (height >= box.height())
            break;
    }
    layout.endLayout();

    auto across = [&](qreal lineWidth) {
        if (flags & Qt::AlignRight)
            return box.width() - lineWidth;
        if (flags & Qt::AlignHCenter)
            return (box.width() - lineWidth) / 2;
        return qreal(0);
    };
    qreal left = across(width);
    const qreal scale = painter.transform().m11();
    if ((flags & Qt::AlignHCenter) && painter.transform().type() <= QTransform::TxScale && scale != 0)
        left = std::round(left * scale) / scale;
    const bool clip = !box.contains(QRectF(box.x() + left, box.y(), width, height));
    if (clip) {
        painter.save();
        painter.setClipRect(box, Qt::IntersectClip);
    }
    for (int i = 0; i < layout.lineCount(); ++i) {
        const QTextLine line = layout.lineAt(i);
        drawRuns(painter, QPointF(box.x() + across(line.horizontalAdvance()), box.y()), runsOf(line, laid));
    }
    if (clip)
        painter.restore();
}

const SharedGlyphs& TextSetter::sharedGlyphs()
{
    // Which characters share a glyph depends on the report font alone: the same at every size
    // and for every job, so it is worked out once (the font's whole map is read for it).
    static const SharedGlyphs shared(QRawFont::fromFont(reportFont(240)));
    return shared;
}

int TextSetter::markFor(char32_t character)
{
    if (character < 0x80 || !sharedGlyphs().namedAsAnother(character))
        return 0;
    const qsizetype index = marked_.indexOf(character);
    if (index >= 0)
        return int(index) + 1;
    if (marked_.size() >= MostMarkedCharacters)
        return 0;
    marked_.append(character);
    return int(marked_.size());
}

void TextSetter::flush(QPainter& painter)
{
    for (const GlyphBatch& batch : batches_) {
        if (batch.glyphs.isEmpty())
            continue;
        QGlyphRun run;
        const QRawFont& font = rawFonts_.value(batch.pixelSize);
        run.setRawFont(batch.mark > 0 ? marked(font, batch.mark) : font);
        run.setGlyphIndexes(batch.glyphs);
        run.setPositions(batch.positions);
        painter.setPen(QColor::fromRgba(batch.colour));
        painter.drawGlyphRun(QPointF(0, 0), run);
    }
    batches_.clear();
}

