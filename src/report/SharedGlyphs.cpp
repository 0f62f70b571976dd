#include "report/SharedGlyphs.h"

#include <QHash>
#include <QList>
#include <QRawFont>

SharedGlyphs::SharedGlyphs(const QRawFont& font)
{
    // Blanks and control characters share the blank glyph; the text layer names that glyph
    // U+0020 (see PdfTextLayer), so the search starts there.
    QList<QChar> chars;
    for (char32_t c = 0x20; c <= 0xFFFF; ++c)
        if (!QChar::isSurrogate(c))
            chars.append(QChar(char16_t(c)));
    QList<quint32> glyphs(chars.size());
    int count = int(chars.size());
    if (!font.glyphIndexesForChars(chars.constData(), count, glyphs.data(), &count))
        return;
    QHash<quint32, char32_t> lowest;
    for (int i = 0; i < count; ++i) {
        if (glyphs.at(i) == 0)
            continue;
        if (lowest.contains(glyphs.at(i)))
            others_.insert(chars.at(i).unicode());
        else
            lowest.insert(glyphs.at(i), chars.at(i).unicode());
    }
}
