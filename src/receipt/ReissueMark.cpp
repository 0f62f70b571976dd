#include "receipt/ReissueMark.h"

#include "report/ReportLayout.h"

namespace ReissueMark {

QRect box(const ReportLayout& layout)
{
    constexpr int width = 950; // 【再発行】 at 9 pt
    constexpr int height = 230;
    constexpr int gap = 120;
    const int cellWidth = layout.cellWidth > 0 ? layout.cellWidth
                                               : layout.paper.width() - layout.margins.left() - layout.margins.right();
    QList<QRect> candidates;
    // Beside the number it marks, or under it, else the cell's top right corner.
    QRect number;
    for (const char* name : {"LblNo", "txtNo"})
        if (const ReportControl* c = layout.control(QString::fromUtf8(name)))
            number = number.isNull() ? c->box : number.united(c->box);
    if (!number.isNull()) {
        candidates << QRect(number.left() - gap - width, number.top(), width, height);
        candidates << QRect(number.left() - gap - width, number.bottom() - height, width, height);
        candidates << QRect(number.left(), number.bottom() + gap / 3, width, height);
    }
    candidates << QRect(cellWidth - 170 - width, 50, width, height);
    for (const QRect& candidate : candidates) {
        bool free = candidate.left() >= 0 && candidate.right() < cellWidth;
        for (const ReportControl& c : layout.controls) {
            if (!c.isText())
                continue;
            // A text that runs on may reach the cell's right edge.
            const QRect taken = c.runsOn ? QRect(c.box.topLeft(), QPoint(cellWidth, c.box.bottom())) : c.box;
            free = free && !taken.intersects(candidate);
        }
        if (free)
            return candidate;
    }
    return candidates.last();
}

void addTo(ReportLayout& layout, const QString& caption)
{
    ReportControl mark = Controls::label(control(), 0, 0, 0, 0, 9, Qt::AlignRight, caption);
    mark.box = box(layout);
    mark.colour = QColor(0xB0, 0x1E, 0x1E);
    layout.controls.append(mark);
}

} // namespace ReissueMark
