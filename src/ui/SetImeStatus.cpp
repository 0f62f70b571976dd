#include "ui/SetImeStatus.h"

#include <QAbstractItemView>
#include <QGuiApplication>
#include <QInputMethod>
#include <QWidget>

void SetImeStatus(QWidget* window, int open)
{
    if (!window)
        return;
    const bool on = open != 0;
    window->setAttribute(Qt::WA_InputMethodEnabled, on);
    if (auto* view = qobject_cast<QAbstractItemView*>(window)) {
        view->viewport()->setAttribute(Qt::WA_InputMethodEnabled, on);
        // An open cell editor is a child of the viewport; the view has no list of them.
        for (QWidget* editor : view->viewport()->findChildren<QWidget*>(Qt::FindDirectChildrenOnly))
            editor->setAttribute(Qt::WA_InputMethodEnabled, on);
    }
    if (QWidget* focus = window->focusWidget(); focus && window->isAncestorOf(focus))
        QGuiApplication::inputMethod()->update(Qt::ImEnabled);
}
