#include "ui/BriefNotice.h"

#include <QEvent>

BriefNotice::BriefNotice(QWidget* window) : QLabel(window)
{
    setObjectName(QStringLiteral("lbl出力結果"));
    setTextInteractionFlags(Qt::TextSelectableByMouse);
    setWordWrap(false);
    setMargin(6);
    setAutoFillBackground(true);
    setStyleSheet(QStringLiteral("QLabel { background: #fff8d6; color: #222; border: 1px solid #c9b458; }"));
    hideTimer_.setSingleShot(true);
    hideTimer_.setInterval(ShownMilliseconds);
    connect(&hideTimer_, &QTimer::timeout, this, &QWidget::hide);
    window->installEventFilter(this); // follows the window's size
    hide();
}

void BriefNotice::showText(const QString& text)
{
    setText(text);
    setToolTip(text);
    place();
    show();
    raise();
    hideTimer_.start();
}

bool BriefNotice::eventFilter(QObject* watched, QEvent* event)
{
    if (watched == parentWidget() && event->type() == QEvent::Resize && isVisible())
        place();
    return QLabel::eventFilter(watched, event);
}

// Along the bottom edge, as wide as the window allows; a long path is cut at its start.
void BriefNotice::place()
{
    const QWidget* window = parentWidget();
    const int width = window->width() - 16;
    setText(fontMetrics().elidedText(toolTip(), Qt::ElideLeft, width - 2 * margin() - 4));
    const int height = sizeHint().height();
    setGeometry(8, window->height() - height - 8, width, height);
}
