#pragma once
#include <QSet>

class QRawFont;

// The characters a PDF's text layer would name as another character. Qt's PDF writer names
// each glyph by the lowest code point up to U+FFFF that draws it: a character whose glyph
// the font also draws for a lower code point (U+FF5E and U+301C, U+2015 and U+2014 in IPA
// fonts) is named as that one, and a character beyond U+FFFF (U+29FCE, and U+29FD7 which
// shares its glyph) is never named at all. Each needs a name of its own.
class SharedGlyphs {
public:
    explicit SharedGlyphs(const QRawFont& font);
    bool namedAsAnother(char32_t character) const { return character > 0xFFFF || others_.contains(character); }

private:
    QSet<char32_t> others_;
};
