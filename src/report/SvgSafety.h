#pragma once
#include <QByteArray>
#include <QString>

// Whether an SVG draws only from itself: it is read as text, never rendered, for anything a
// renderer would fetch or run — a reference to another file or address, a script, embedded
// foreign content, an event handler, a document type (which may pull in outside entities).
namespace SvgSafety {
// "" when the SVG is self-contained; otherwise why not (in Japanese).
QString refusal(const QByteArray& svg);
} // namespace SvgSafety
