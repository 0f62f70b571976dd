#include "preview/PreviewPageView.h"

#include "report/ReportRun.h"

#include <QPainter>

PreviewPageView::PreviewPageView(const ReportRun& run, QWidget* parent) : QWidget(parent), run_(run)
{
    setObjectName(QStringLiteral("PreviewPage"));
    setAttribute(Qt::WA_OpaquePaintEvent);
}

void PreviewPageView::setPage(int index)
{
    page_ = index;
    update();
}

QSize PreviewPageView::sheetSize(qreal pixelsPerTwip) const
{
    const QSize paper = run_.layout().paper;
    return QSize(qRound(paper.width() * pixelsPerTwip), qRound(paper.height() * pixelsPerTwip));
}

void PreviewPageView::setScale(qreal pixelsPerTwip)
{
    scale_ = pixelsPerTwip;
    setFixedSize(sheetSize(scale_) + QSize(2 * Gap, 2 * Gap));
    update();
}

void PreviewPageView::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.fillRect(rect(), palette().color(QPalette::Dark));
    const QRect sheet(QPoint(Gap, Gap), sheetSize(scale_));
    painter.fillRect(sheet.translated(3, 3), QColor(0, 0, 0, 60));
    painter.fillRect(sheet, Qt::white);
    if (run_.pageCount() == 0) {
        paintEmptyNote(painter, sheet);
        return;
    }
    painter.setClipRect(sheet);
    painter.translate(sheet.topLeft());
    painter.scale(scale_, scale_);
    painter_.paint(painter, run_.page(page_));
}

// A run without pages still shows its sheet, with a word of why it is empty.
void PreviewPageView::paintEmptyNote(QPainter& painter, const QRect& sheet) const
{
    QFont font = this->font();
    font.setPixelSize(qMax(12, sheet.width() / 28));
    painter.setFont(font);
    painter.setPen(QColor(0x60, 0x60, 0x60));
    painter.drawText(sheet.adjusted(sheet.width() / 12, 0, -sheet.width() / 12, 0),
                     Qt::AlignCenter | Qt::TextWordWrap, QString::fromUtf8(EmptyNote));
}
