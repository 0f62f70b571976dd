#include "preview/WindowPlacement.h"

#include <QRect>
#include <QScreen>
#include <QWidget>

#include <algorithm>

namespace WindowPlacement {

void centreOver(QWidget* window, const QWidget* owner)
{
    const QWidget* over = owner->window();
    // Its layout may widen the window beyond the size it was given when it is shown.
    QRect placed(QPoint(), window->size().expandedTo(window->minimumSizeHint()));
    placed.moveCenter(over->frameGeometry().center());
    if (const QScreen* screen = over->screen()) {
        const QRect area = screen->availableGeometry();
        placed.moveLeft(std::clamp(placed.left(), area.left(), std::max(area.left(), area.right() + 1 - placed.width())));
        placed.moveTop(std::clamp(placed.top(), area.top(), std::max(area.top(), area.bottom() + 1 - placed.height())));
    }
    window->move(placed.topLeft());
}

} // namespace WindowPlacement
