#include "report/CalibrationSheet.h"

#include "report/PagePainter.h"
#include "report/ReportFont.h"
#include "report/ReportOutput.h"

#include <QPageLayout>
#include <QPainter>
#include <QPrinter>

#include <cmath>

namespace CalibrationSheet {

namespace {
constexpr double TwipsPerMm = 1440 / 25.4;
constexpr int WidthMm = 210;
constexpr int HeightMm = 297;

double twips(double mm) { return mm * TwipsPerMm; }

// A tick every millimetre, longer every 5 and 10; from `from` along the edge, inwards by `in`.
void ruler(QPainter& painter, int lengthMm, const QPointF& from, const QPointF& along, const QPointF& in)
{
    for (int mm = 1; mm < lengthMm; ++mm) {
        const double tick = mm % 10 == 0 ? 5 : mm % 5 == 0 ? 3.5 : 2;
        const QPointF at = from + along * twips(mm);
        painter.drawLine(at, at + in * twips(tick));
    }
}

// The number of each centimetre beside its tick, clear of the longest ticks.
void numbers(QPainter& painter, int lengthMm, const QPointF& from, const QPointF& along, const QPointF& in)
{
    const QSizeF box(twips(8), twips(3));
    for (int mm = 10; mm < lengthMm; mm += 10) {
        const QPointF centre = from + along * twips(mm) + in * twips(7);
        painter.drawText(QRectF(centre - QPointF(box.width(), box.height()) / 2, box), Qt::AlignCenter,
                         QString::number(mm));
    }
}
} // namespace

void draw(QPainter& painter, const ReportLayout& layout)
{
    painter.save();
    painter.setPen(QPen(Qt::black, 4)); // about 0.07 mm
    painter.setBrush(Qt::NoBrush);
    const double right = twips(WidthMm);
    const double bottom = twips(HeightMm);
    ruler(painter, WidthMm, {0, 0}, {1, 0}, {0, 1});
    ruler(painter, WidthMm, {0, bottom}, {1, 0}, {0, -1});
    ruler(painter, HeightMm, {0, 0}, {0, 1}, {1, 0});
    ruler(painter, HeightMm, {right, 0}, {0, 1}, {-1, 0});

    QFont font(ReportFont::family());
    font.setPixelSize(7 * 20); // 7 pt in twips
    painter.setFont(font);
    numbers(painter, WidthMm, {0, 0}, {1, 0}, {0, 1});
    numbers(painter, WidthMm, {0, bottom}, {1, 0}, {0, -1});
    numbers(painter, HeightMm, {0, 0}, {0, 1}, {1, 0});
    numbers(painter, HeightMm, {right, 0}, {0, 1}, {-1, 0});

    painter.setPen(QPen(QColor(0, 90, 200), 8, Qt::DashLine));
    for (int cell = 0; cell < layout.cellsPerPage(); ++cell)
        painter.drawRect(QRectF(layout.cellOrigin(cell), QSizeF(layout.cellWidth, layout.cellHeight)));

    font.setPixelSize(10 * 20);
    painter.setFont(font);
    painter.setPen(Qt::black);
    painter.drawText(QRectF(twips(20), twips(12), right - twips(40), twips(6)), Qt::AlignCenter,
                     QStringLiteral("印刷位置の調整用紙（%1）: 用紙の端から目盛りまでの位置を測ってください").arg(layout.name));
    painter.restore();
}

bool print(QPrinter& printer, const ReportLayout& layout, const PrinterCalibration& correction)
{
    printer.setFullPage(true);
    printer.setPageLayout(QPageLayout(QPageSize(QPageSize::A4), QPageLayout::Portrait, QMarginsF(0, 0, 0, 0)));
    QPainter painter;
    if (!painter.begin(&printer))
        return false;
    PagePainter::useTwips(painter);
    ReportOutput::applyCorrection(painter, correction);
    draw(painter, layout);
    return painter.end();
}

} // namespace CalibrationSheet
