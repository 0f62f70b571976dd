#include "ui/LineWidget.h"

#include <QPainter>

LineWidget::LineWidget(QWidget* parent) : QWidget(parent)
{
    setAttribute(Qt::WA_TransparentForMouseEvents);
    setFocusPolicy(Qt::NoFocus);
}

void LineWidget::setColour(const QColor& colour)
{
    colour_ = colour;
    update();
}

void LineWidget::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setPen(QPen(colour_, 1));
    if (width() >= height())
        painter.drawLine(0, 0, width() - 1, 0);
    else
        painter.drawLine(0, 0, 0, height() - 1);
}
