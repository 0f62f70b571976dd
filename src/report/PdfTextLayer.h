#pragma once
#include <QByteArray>
#include <QByteArrayView>
#include <QHash>
#include <QList>

// Mends two things Qt's PDF writer gets wrong about its embedded font subsets, so that a
// reader copies and names the text as it was drawn:
// - a glyph that a font shares between a blank and control characters (TAB, U+0020 and
//   U+00A0 in IPA fonts) is mapped back to the lowest of them, so a copied blank comes out
//   as TAB; it is mapped to U+0020 instead;
// - the font's name lacks the subset tag its descriptor carries ("ABCDEF+Name");
// - a glyph the font shares between characters is named after the lowest of them: glyphs
//   drawn marked for another of them (see TextSetter::markSharedGlyphs; mark k names
//   marked[k - 1]) get their own name as marked content (/ActualText), and their size back.
// Each mending works on one object of the file (PdfRewriter reads them); anything the writer
// did not write as expected is left as it is.
namespace PdfTextLayer {

// A glyph drawn marked k stands at its size plus k/MarkSteps. The writer puts at least five
// digits after the point of a size below 10000, so k reads back within a fifth of a step.
constexpr int MarkSteps = 16384;

// Learns the subset tag of a font descriptor's /FontName, by the font's name.
void learnSubsetTag(QByteArrayView head, QHash<QByteArray, QByteArray>* tags);
// A font dictionary with its /BaseFont tagged as its descriptor is.
QByteArray withSubsetTag(const QByteArray& head, const QHash<QByteArray, QByteArray>& tags);
// The object holding a font dictionary's ToUnicode map; 0 when it names none.
int toUnicodeOf(QByteArrayView head);
// A ToUnicode map (uncompressed) whose blank glyph is named U+0020; the same number of bytes.
QByteArray withBlankTargets(QByteArray map);
// A page's drawing (zlib data, as Qt writes it) with its marked glyphs named; empty when
// nothing in it was marked.
QByteArray withMarkedGlyphsNamed(QByteArrayView zipped, const QList<char32_t>& marked);

} // namespace PdfTextLayer
