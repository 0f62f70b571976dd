#pragma once
#include "hints/HintWindow.h"

#include <QPointer>
#include <QString>

class QWidget;

// What the hint buttons of a window do: hand over (window name, button name, window caption) and
// show its one hint window, modeless. The hint window is created on first use as a child of
// `mainWindow`; a press while it is open switches it to the new key (asking first when the
// text has unsaved edits).
class HintLauncher {
public:
    explicit HintLauncher(QWidget* mainWindow) : mainWindow_(mainWindow) {}

    void open(const QString& ctlName);
    // The hint window if it was ever created and still exists; null otherwise.
    HintWindow* window() const { return window_.data(); }

private:
    QWidget* mainWindow_;
    QPointer<HintWindow> window_;
};
