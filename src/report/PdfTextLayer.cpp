#include "report/PdfTextLayer.h"

#include <QRegularExpression>
#include <QtEndian>

#include <cmath>

namespace PdfTextLayer {

namespace {

// Hex code strings ("<0009>") of a ToUnicode map's targets that name a control character
// where the glyph is the font's blank: they become "<0020>", the same number of bytes.
void blankTargets(QByteArray* map)
{
    const QByteArray original = *map;
    const QByteArrayView data(original);
    auto control = [](QByteArrayView hex) {
        bool ok = false;
        const uint code = QByteArray(hex.data(), hex.size()).toUInt(&ok, 16);
        return ok && hex.size() == 4 && code >= 0x09 && code <= 0x0D;
    };
    // Tokens of each section: "<src> <dst>" (bfchar), "<lo> <hi> <dst>" or
    // "<lo> <hi> [<dst> ...]" (bfrange). A range of one code, or a list, names each target.
    for (const char* section : {"bfchar", "bfrange"}) {
        const QByteArray begin = QByteArray("begin") + section;
        const QByteArray end = QByteArray("end") + section;
        const bool ranges = qstrcmp(section, "bfrange") == 0;
        for (qsizetype from = data.indexOf(begin); from >= 0; from = data.indexOf(begin, from)) {
            const qsizetype to = data.indexOf(end, from);
            if (to < 0)
                return;
            struct Token {
                qsizetype at = -1;   // digits' position in the data; -1 for the end of a list
                QByteArrayView digits;
                bool inList = false;
            };
            QList<Token> tokens;
            bool list = false;
            for (qsizetype i = from + begin.size(); i < to; ++i) {
                const char ch = data.at(i);
                if (ch == '[') {
                    list = true;
                } else if (ch == ']') {
                    list = false;
                    tokens.append(Token{});
                } else if (ch == '<') {
                    const qsizetype close = data.indexOf('>', i);
                    if (close < 0 || close > to)
                        return;
                    tokens.append(Token{i + 1, data.sliced(i + 1, close - i - 1), list});
                    i = close;
                }
            }
            auto blank = [&](const Token& target) {
                if (target.at >= 0 && control(target.digits))
                    map->replace(target.at, 4, "0020");
            };
            for (qsizetype k = 0; k < tokens.size();) {
                if (!ranges) { // <code> <target>
                    if (k + 1 < tokens.size())
                        blank(tokens.at(k + 1));
                    k += 2;
                    continue;
                }
                if (k + 2 >= tokens.size())
                    break;
                const bool oneCode = tokens.at(k).digits == tokens.at(k + 1).digits;
                k += 2;
                if (tokens.at(k).inList) { // <lo> <hi> [<target> ...]
                    for (; k < tokens.size() && tokens.at(k).at >= 0; ++k)
                        blank(tokens.at(k));
                    ++k;
                } else { // <lo> <hi> <first target>: only a range of one code can change
                    if (oneCode)
                        blank(tokens.at(k));
                    ++k;
                }
            }
            from = to;
        }
    }
}

// "/Span<</ActualText<FEFF...>>>BDC", the character as UTF-16 with its byte-order mark.
QByteArray actualText(char32_t character)
{
    QByteArray hex = "FEFF";
    for (QChar unit : QString::fromUcs4(&character, 1))
        hex += QByteArray::number(unit.unicode(), 16).rightJustified(4, '0').toUpper();
    return "/Span<</ActualText<" + hex + ">>>BDC ";
}

// A page's drawing with the marked text objects named: each "/Fn size+k/MarkSteps Tf" gets its
// size back, and each glyph it shows ("x y Td <code> Tj") is wrapped in the marked
// character's own name. Empty when nothing was marked.
QByteArray namedMarkedGlyphs(const QByteArray& drawing, const QList<char32_t>& marked)
{
    static const QRegularExpression markedSize(QStringLiteral(R"(^(/F\d+ )(\d+)\.(\d+)( Tf.*)$)"));
    static const QRegularExpression shownGlyph(QStringLiteral(R"(^(.* )(<[0-9A-Fa-f]+> Tj)$)"));
    QList<QByteArray> lines = drawing.split('\n');
    QByteArray name; // of the text object being read, if marked
    bool changed = false;
    for (QByteArray& line : lines) {
        if (line == "ET") {
            name.clear();
            continue;
        }
        if (!name.isEmpty()) {
            const auto glyph = shownGlyph.match(QString::fromLatin1(line));
            if (glyph.hasMatch())
                line = glyph.captured(1).toLatin1() + name + glyph.captured(2).toLatin1() + " EMC";
            continue;
        }
        if (!line.startsWith("/F") || !line.contains(" Tf"))
            continue;
        const auto size = markedSize.match(QString::fromLatin1(line));
        if (!size.hasMatch())
            continue;
        const double mark = (QStringLiteral("0.") + size.captured(3)).toDouble() * MarkSteps;
        const qsizetype k = qRound(mark);
        if (k < 1 || k > marked.size() || std::abs(mark - k) > 0.2)
            continue;
        name = actualText(marked.at(k - 1));
        line = (size.captured(1) + size.captured(2) + size.captured(4)).toLatin1();
        changed = true;
    }
    return changed ? lines.join('\n') : QByteArray();
}

} // namespace

void learnSubsetTag(QByteArrayView head, QHash<QByteArray, QByteArray>* tags)
{
    if (!head.contains("/FontDescriptor") || !head.contains("/FontName"))
        return;
    static const QRegularExpression fontName(QStringLiteral(R"(/FontName /([A-Z]{6})\+([^\s/<>\[\]()]+))"));
    const auto m = fontName.match(QString::fromLatin1(head));
    if (m.hasMatch())
        tags->insert(m.captured(2).toLatin1(), m.captured(1).toLatin1());
}

QByteArray withSubsetTag(const QByteArray& head, const QHash<QByteArray, QByteArray>& tags)
{
    if (!head.contains("/Type /Font") || !head.contains("/BaseFont"))
        return head;
    static const QRegularExpression baseFont(QStringLiteral(R"(/BaseFont /([^\s/<>\[\]()]+))"));
    const QString text = QString::fromLatin1(head); // Latin-1: one character per byte
    const auto base = baseFont.match(text);
    if (!base.hasMatch() || !tags.contains(base.captured(1).toLatin1()))
        return head;
    return QByteArray(head).insert(base.capturedStart(1), tags.value(base.captured(1).toLatin1()) + '+');
}

int toUnicodeOf(QByteArrayView head)
{
    if (!head.contains("/Type /Font"))
        return 0;
    static const QRegularExpression toUnicode(QStringLiteral(R"(/ToUnicode (\d+) 0 R)"));
    const auto map = toUnicode.match(QString::fromLatin1(head));
    return map.hasMatch() ? map.captured(1).toInt() : 0;
}

QByteArray withBlankTargets(QByteArray map)
{
    blankTargets(&map);
    return map;
}

QByteArray withMarkedGlyphsNamed(QByteArrayView zipped, const QList<char32_t>& marked)
{
    if (marked.isEmpty())
        return {};
    // qUncompress wants zlib data behind its expected size (a hint that it grows as needed).
    QByteArray sized(4, '\0');
    qToBigEndian<quint32>(quint32(zipped.size() * 4), sized.data());
    sized += zipped;
    const QByteArray named = namedMarkedGlyphs(qUncompress(sized), marked);
    return named.isEmpty() ? QByteArray() : qCompress(named).mid(4); // zlib data without Qt's size
}

} // namespace PdfTextLayer
