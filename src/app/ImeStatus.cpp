#include "app/ImeStatus.h"

#include <QGuiApplication>
#include <QInputMethod>
#include <QWidget>

void SetImeStatus(QWidget* widget, int open)
{
    if (!widget)
        return;
    const bool on = open != 0;
    widget->setAttribute(Qt::WA_InputMethodEnabled, on);
    widget->setInputMethodHints(on ? Qt::ImhNone : Qt::ImhPreferLatin);
    if (widget->hasFocus())
        QGuiApplication::inputMethod()->update(Qt::ImEnabled | Qt::ImHints);
}
