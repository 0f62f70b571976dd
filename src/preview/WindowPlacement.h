#pragma once

class QWidget;

namespace WindowPlacement {
// Moves the top-level `window` so that it opens centred over the window of `owner`, kept on
// the owner's screen. Call once the window has its size, before showing it.
void centreOver(QWidget* window, const QWidget* owner);
} // namespace WindowPlacement
