#pragma once
#include <QByteArray>
#include <QList>
#include <QString>

// Mends two things Qt's PDF writer gets wrong about its embedded font subsets, so that a
// reader copies and names the text as it was drawn:
// - a glyph that a font shares between a blank and control characters (TAB, U+0020 and
//   U+00A0 in IPA fonts) is mapped back to the lowest of them, so a copied blank comes out
//   as TAB; it is mapped to U+0020 instead;
// - the font's name lacks the subset tag its descriptor carries ("ABCDEF+Name");
// - a glyph the font shares between characters is named after the lowest of them: glyphs
//   drawn marked for another of them (see TextSetter::markSharedGlyphs; mark k names
//   marked[k - 1]) get their own name as marked content (/ActualText), and their size back.
// Anything the writer did not write as expected is left as it is.
namespace PdfTextLayer {

// A glyph drawn marked k stands at its size plus k/MarkSteps. The writer puts at least five
// digits after the point of a size below 10000, so k reads back within a fifth of a step.
constexpr int MarkSteps = 16384;

QByteArray mended(const QByteArray& pdf, const QList<char32_t>& marked = {});

} // namespace PdfTextLayer
