#include "ui/IconButton.h"

#include <QEnterEvent>
#include <QPainter>
#include <QPainterPath>

IconButton::IconButton(QWidget* parent) : QToolButton(parent)
{
    setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    setIconSize(QSize(32, 32));
    setFocusPolicy(Qt::StrongFocus);
    setCursor(Qt::PointingHandCursor);
}

void IconButton::enterEvent(QEnterEvent* event)
{
    hovered_ = true;
    update();
    QToolButton::enterEvent(event);
}

void IconButton::leaveEvent(QEvent* event)
{
    hovered_ = false;
    update();
    QToolButton::leaveEvent(event);
}

void IconButton::paintEvent(QPaintEvent*)
{
    QPainter painter(this);
    painter.setRenderHint(QPainter::Antialiasing);
    const QRectF box = QRectF(rect()).adjusted(0.5, 0.5, -0.5, -0.5);
    QColor fill = palette().color(QPalette::Button);
    if (isDown())
        fill = fill.darker(118);
    else if (hovered_ && isEnabled())
        fill = fill.lighter(110);
    QLinearGradient shade(box.topLeft(), box.bottomLeft());
    shade.setColorAt(0, isDown() ? fill : fill.lighter(112));
    shade.setColorAt(1, isDown() ? fill.lighter(105) : fill.darker(106));
    QPainterPath outline;
    outline.addRoundedRect(box, 3, 3);
    painter.fillPath(outline, shade);
    painter.setPen(QPen(palette().color(QPalette::Button).darker(160), 1));
    painter.drawPath(outline);

    const int shift = isDown() ? 1 : 0;
    const bool captioned = !text().isEmpty();
    const QFontMetrics metrics(font());
    const int textHeight = captioned ? metrics.height() : 0;
    const int iconSide = qMin(iconSize().height(), height() - textHeight - 4);
    const int top = qMax(2, (height() - iconSide - textHeight) / 2);
    const QRect iconBox((width() - iconSide) / 2 + shift, top + shift, iconSide, iconSide);
    icon().paint(&painter, iconBox, Qt::AlignCenter, isEnabled() ? QIcon::Normal : QIcon::Disabled);
    if (captioned) {
        painter.setPen(palette().color(isEnabled() ? QPalette::Active : QPalette::Disabled, QPalette::ButtonText));
        const QRect textBox(1 + shift, iconBox.bottom() + 1, width() - 2, textHeight);
        painter.drawText(textBox, Qt::AlignHCenter | Qt::AlignTop, metrics.elidedText(text(), Qt::ElideNone, width()));
    }
    if (hasFocus()) {
        painter.setRenderHint(QPainter::Antialiasing, false);
        QPen dotted(palette().color(QPalette::ButtonText), 1, Qt::DotLine);
        painter.setPen(dotted);
        painter.setBrush(Qt::NoBrush);
        painter.drawRect(rect().adjusted(3, 3, -4, -4));
    }
}
