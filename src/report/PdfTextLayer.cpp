#include "report/PdfTextLayer.h"

#include <QHash>
#include <QtEndian>
#include <QRegularExpression>
#include <QSet>

#include <algorithm>
#include <cmath>

namespace PdfTextLayer {

namespace {

// Bytes replaced in the file: `length` bytes at `at` become `replacement`.
struct Edit {
    qsizetype at = 0;
    qsizetype length = 0;
    QByteArray replacement;
};

// The one cross-reference table the writer puts at the end: "xref", "0 N", N entries of
// 20 bytes, then the trailer and "startxref" with the table's offset.
struct Xref {
    qsizetype tableAt = -1;
    qsizetype firstEntryAt = -1;
    QList<qsizetype> offsets; // by object number; -1 for a free entry
    qsizetype startNumberAt = -1;
    qsizetype startNumberLength = 0;
};

constexpr qsizetype EntrySize = 20;

bool readNumber(const QByteArray& pdf, qsizetype* at, qsizetype* value)
{
    while (*at < pdf.size() && (pdf.at(*at) == ' ' || pdf.at(*at) == '\r' || pdf.at(*at) == '\n'))
        ++*at;
    const qsizetype start = *at;
    while (*at < pdf.size() && pdf.at(*at) >= '0' && pdf.at(*at) <= '9')
        ++*at;
    bool ok = false;
    *value = pdf.mid(start, *at - start).toLongLong(&ok);
    return ok;
}

bool readXref(const QByteArray& pdf, Xref* xref)
{
    const qsizetype startxref = pdf.lastIndexOf("startxref");
    if (startxref < 0)
        return false;
    qsizetype at = startxref + 9;
    if (!readNumber(pdf, &at, &xref->tableAt))
        return false;
    xref->startNumberLength = qsizetype(QByteArray::number(xref->tableAt).size());
    xref->startNumberAt = at - xref->startNumberLength;
    if (xref->tableAt < 0 || xref->tableAt >= startxref || !pdf.mid(xref->tableAt, 4).startsWith("xref"))
        return false;
    at = xref->tableAt + 4;
    qsizetype first = 0;
    qsizetype count = 0;
    if (!readNumber(pdf, &at, &first) || !readNumber(pdf, &at, &count) || first != 0 || count <= 0)
        return false;
    while (at < pdf.size() && (pdf.at(at) == ' ' || pdf.at(at) == '\r' || pdf.at(at) == '\n'))
        ++at;
    xref->firstEntryAt = at;
    if (at + count * EntrySize > startxref)
        return false;
    for (qsizetype i = 0; i < count; ++i) {
        const QByteArray entry = pdf.mid(at + i * EntrySize, EntrySize);
        bool ok = false;
        const qsizetype offset = entry.left(10).toLongLong(&ok);
        if (!ok || (entry.at(17) != 'n' && entry.at(17) != 'f'))
            return false;
        xref->offsets.append(entry.at(17) == 'n' ? offset : -1);
    }
    // The table must be the file's only one: it ends where the trailer begins.
    return pdf.mid(at + count * EntrySize, 7) == "trailer";
}

// The dictionary part of each object (up to its stream, if any), by object number.
QHash<int, QByteArrayView> objectHeads(const QByteArray& pdf, const Xref& xref)
{
    QList<std::pair<qsizetype, int>> starts;
    for (int number = 0; number < xref.offsets.size(); ++number)
        if (xref.offsets.at(number) > 0 && xref.offsets.at(number) < xref.tableAt)
            starts.append({xref.offsets.at(number), number});
    std::sort(starts.begin(), starts.end());
    QHash<int, QByteArrayView> heads;
    for (qsizetype i = 0; i < starts.size(); ++i) {
        const qsizetype from = starts.at(i).first;
        const qsizetype to = i + 1 < starts.size() ? starts.at(i + 1).first : xref.tableAt;
        QByteArrayView object = QByteArrayView(pdf).sliced(from, to - from);
        const qsizetype stream = object.indexOf("stream");
        heads.insert(starts.at(i).second, stream >= 0 ? object.first(stream) : object);
    }
    return heads;
}

// Hex code strings ("<0009>") of a ToUnicode map's targets that name a control character
// where the glyph is the font's blank: they become "<0020>", the same number of bytes.
void blankTargets(const QByteArray& pdf, qsizetype dataAt, qsizetype length, QList<Edit>* edits)
{
    const QByteArrayView data = QByteArrayView(pdf).sliced(dataAt, length);
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
                    edits->append({dataAt + target.at, 4, "0020"});
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

// The ToUnicode stream of object `number`, when the writer left it uncompressed.
void mendToUnicode(const QByteArray& pdf, const Xref& xref, const QHash<int, QByteArrayView>& heads, int number,
                   QList<Edit>* edits)
{
    const QByteArrayView head = heads.value(number);
    if (head.isEmpty() || head.contains("/Filter"))
        return;
    static const QRegularExpression lengthEntry(QStringLiteral(R"(/Length (\d+))"));
    const auto length = lengthEntry.match(QString::fromLatin1(head));
    if (!length.hasMatch())
        return;
    qsizetype dataAt = xref.offsets.at(number) + head.size() + 6; // after "stream"
    if (pdf.mid(dataAt, 2) == "\r\n")
        dataAt += 2;
    else if (pdf.mid(dataAt, 1) == "\n")
        dataAt += 1;
    else
        return;
    const qsizetype dataLength = length.captured(1).toLongLong();
    if (dataAt + dataLength > xref.tableAt)
        return;
    blankTargets(pdf, dataAt, dataLength, edits);
}

// Where the data of the stream object `number` starts, and its declared length: a number,
// or the object holding it. False when the writer wrote it otherwise.
struct StreamData {
    qsizetype at = 0;
    qsizetype length = 0;
    int lengthObject = 0; // 0 when the length is given in place
    qsizetype lengthAt = 0;  // where the length's digits stand
    qsizetype lengthDigits = 0;
};

bool streamData(const QByteArray& pdf, const Xref& xref, const QHash<int, QByteArrayView>& heads, int number,
                StreamData* data)
{
    const QByteArrayView head = heads.value(number);
    static const QRegularExpression lengthEntry(QStringLiteral(R"(/Length (\d+)( 0 R)?)"));
    const auto length = lengthEntry.match(QString::fromLatin1(head));
    if (head.isEmpty() || !length.hasMatch())
        return false;
    data->at = xref.offsets.at(number) + head.size() + 6; // after "stream"
    if (pdf.mid(data->at, 2) == "\r\n")
        data->at += 2;
    else if (pdf.mid(data->at, 1) == "\n")
        data->at += 1;
    else
        return false;
    const qsizetype value = length.captured(1).toLongLong();
    if (length.capturedLength(2) == 0) {
        data->length = value;
        data->lengthAt = xref.offsets.at(number) + length.capturedStart(1);
        data->lengthDigits = length.capturedLength(1);
    } else {
        // "N 0 obj" then the number
        if (value <= 0 || value >= xref.offsets.size() || xref.offsets.at(value) <= 0)
            return false;
        const QByteArrayView object = heads.value(int(value));
        static const QRegularExpression number(QStringLiteral(R"(^\d+ 0 obj\s+(\d+)\s)"));
        const auto m = number.match(QString::fromLatin1(object));
        if (!m.hasMatch())
            return false;
        data->length = m.captured(1).toLongLong();
        data->lengthObject = int(value);
        data->lengthAt = xref.offsets.at(value) + m.capturedStart(1);
        data->lengthDigits = m.capturedLength(1);
    }
    return data->at + data->length <= xref.tableAt;
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

// Each page's drawing (a Flate stream, as Qt writes it) with its marked glyphs named.
void nameMarkedGlyphs(const QByteArray& pdf, const Xref& xref, const QHash<int, QByteArrayView>& heads,
                      const QList<char32_t>& marked, QList<Edit>* edits)
{
    static const QRegularExpression contents(QStringLiteral(R"(/Contents (\d+) 0 R)"));
    for (const QByteArrayView head : heads) {
        if (!head.contains("/Type /Page") || head.contains("/Type /Pages"))
            continue;
        const auto m = contents.match(QString::fromLatin1(head));
        StreamData data;
        const int number = m.hasMatch() ? m.captured(1).toInt() : 0;
        if (number <= 0 || number >= xref.offsets.size() || xref.offsets.at(number) <= 0 ||
            !heads.value(number).contains("/Filter /FlateDecode") || !streamData(pdf, xref, heads, number, &data))
            continue;
        // qUncompress wants zlib data behind its expected size (a hint that it grows as needed).
        QByteArray zipped(4, '\0');
        qToBigEndian<quint32>(quint32(data.length * 4), zipped.data());
        zipped += pdf.mid(data.at, data.length);
        const QByteArray named = namedMarkedGlyphs(qUncompress(zipped), marked);
        if (named.isEmpty())
            continue;
        const QByteArray stream = qCompress(named).mid(4); // zlib data without Qt's size
        edits->append({data.at, data.length, stream});
        edits->append({data.lengthAt, data.lengthDigits, QByteArray::number(stream.size())});
    }
}

QList<Edit> textLayerEdits(const QByteArray& pdf, const Xref& xref, const QList<char32_t>& marked)
{
    const QHash<int, QByteArrayView> heads = objectHeads(pdf, xref);
    static const QRegularExpression fontName(QStringLiteral(R"(/FontName /([A-Z]{6})\+([^\s/<>\[\]()]+))"));
    static const QRegularExpression baseFont(QStringLiteral(R"(/BaseFont /([^\s/<>\[\]()]+))"));
    static const QRegularExpression toUnicode(QStringLiteral(R"(/ToUnicode (\d+) 0 R)"));
    QHash<QString, QString> tags; // font name -> subset tag of its descriptor
    for (const QByteArrayView head : heads)
        if (head.contains("/FontDescriptor") && head.contains("/FontName")) {
            const auto m = fontName.match(QString::fromLatin1(head));
            if (m.hasMatch())
                tags.insert(m.captured(2), m.captured(1));
        }
    QList<Edit> edits;
    QSet<int> maps;
    for (auto it = heads.cbegin(); it != heads.cend(); ++it) {
        if (!it->contains("/Type /Font") || !it->contains("/BaseFont"))
            continue;
        const QString head = QString::fromLatin1(*it); // Latin-1: one character per byte
        const auto base = baseFont.match(head);
        if (base.hasMatch() && tags.contains(base.captured(1)))
            edits.append({xref.offsets.at(it.key()) + base.capturedStart(1), 0,
                          tags.value(base.captured(1)).toLatin1() + '+'});
        const auto map = toUnicode.match(head);
        if (map.hasMatch())
            maps.insert(map.captured(1).toInt());
    }
    for (int number : maps)
        if (number > 0 && number < xref.offsets.size() && xref.offsets.at(number) > 0)
            mendToUnicode(pdf, xref, heads, number, &edits);
    if (!marked.isEmpty())
        nameMarkedGlyphs(pdf, xref, heads, marked, &edits);
    return edits;
}

} // namespace

QByteArray mended(const QByteArray& pdf, const QList<char32_t>& marked)
{
    Xref xref;
    if (!readXref(pdf, &xref))
        return pdf;
    QList<Edit> edits = textLayerEdits(pdf, xref, marked);
    if (edits.isEmpty())
        return pdf;
    std::sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.at < b.at; });
    auto moved = [&](qsizetype offset) {
        qsizetype shift = 0;
        for (const Edit& edit : edits)
            if (edit.at < offset)
                shift += edit.replacement.size() - edit.length;
        return offset + shift;
    };
    // Every object after an edit moves: the table must say where each now starts.
    QList<Edit> table;
    for (qsizetype number = 0; number < xref.offsets.size(); ++number)
        if (xref.offsets.at(number) >= 0)
            table.append({xref.firstEntryAt + number * EntrySize, 10,
                          QByteArray::number(moved(xref.offsets.at(number))).rightJustified(10, '0')});
    table.append({xref.startNumberAt, xref.startNumberLength, QByteArray::number(moved(xref.tableAt))});
    edits += table;
    std::sort(edits.begin(), edits.end(), [](const Edit& a, const Edit& b) { return a.at < b.at; });

    QByteArray result;
    result.reserve(pdf.size() + 64 * edits.size());
    qsizetype at = 0;
    for (const Edit& edit : edits) {
        result.append(QByteArrayView(pdf).sliced(at, edit.at - at));
        result.append(edit.replacement);
        at = edit.at + edit.length;
    }
    result.append(QByteArrayView(pdf).sliced(at));
    return result;
}

} // namespace PdfTextLayer
