#pragma once
#include <QList>

class QIODevice;

// Copies the PDF Qt's writer made into its final form, one object at a time, so that memory does
// not grow with the document:
// - what every page repeats is written once: pages whose resource dictionaries are alike share
//   one, an empty annotation list is left out, a stream's length stands in its dictionary, and
//   the objects are numbered anew without the gaps this leaves;
// - the text layer is mended (see PdfTextLayer).
namespace PdfRewriter {

enum class Result {
    Rewritten,
    NotRecognised, // the writer laid the file out otherwise; the output may hold a part of it
    WriteFailed,   // the output refused a write
};

// `drawn` is read at random; `out` is written from its start, in order.
Result rewrite(QIODevice& drawn, QIODevice& out, const QList<char32_t>& marked);

// One part of a document Qt's writer drew into a file of its own, with the characters its
// glyphs were marked for (see TextSetter::markSharedGlyphs).
struct Part {
    QIODevice* drawn = nullptr;
    QList<char32_t> marked;
};
// The parts joined into one document, their pages in order: the first part's document
// information and page tree hold the pages of all, and a picture (image, soft mask, form) that
// several parts hold alike is written once.
Result rewrite(const QList<Part>& parts, QIODevice& out);

} // namespace PdfRewriter
