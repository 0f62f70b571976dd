#pragma once
#include <QRect>
#include <QString>

struct ReportLayout;

// The small red 「【再発行】」 mark on a receipt printed again under its first number: on a
// reprint from the register, and on a receipt of a preview that went out once already.
namespace ReissueMark {

inline QString control() { return QStringLiteral("Lbl再発行"); }
inline QString text() { return QStringLiteral("【再発行】"); }
// Where the mark goes in a cell of that layout: on no text of it.
QRect box(const ReportLayout& layout);
// Adds the mark's label to the layout, with `caption` as its text (empty: shown only where a
// cell is given the text later).
void addTo(ReportLayout& layout, const QString& caption);

} // namespace ReissueMark
