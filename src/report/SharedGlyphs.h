#pragma once
#include <QChar>
#include <QSet>

class QRawFont;

// The characters a font draws with a glyph it also draws for a lower code point (U+FF5E
// and U+301C, U+2015 and U+2014 in IPA fonts). Qt's PDF writer names each glyph in the
// text layer by the lowest code point that draws it, so a reader would copy these as that
// other character: they need their own name.
class SharedGlyphs {
public:
    explicit SharedGlyphs(const QRawFont& font);
    bool namedAsAnother(QChar ch) const { return others_.contains(ch.unicode()); }

private:
    QSet<char16_t> others_;
};
