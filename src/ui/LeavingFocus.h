#pragma once
#include <QApplication>
#include <QFocusEvent>

// Whether a focus-out means the user left the control. Opening its own drop-down (the very
// first time too, when the list is built and focused while it opens) or any other popup such
// as a context menu is not leaving it; neither is switching to another window.
inline bool leavesControl(const QFocusEvent* event)
{
    const Qt::FocusReason reason = event->reason();
    return reason != Qt::PopupFocusReason && reason != Qt::ActiveWindowFocusReason &&
           !QApplication::activePopupWidget();
}
