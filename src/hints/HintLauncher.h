#pragma once
#include <QString>

class HintWindow;
class QWidget;

// What the hint buttons of a window do: hand over (window name, button name, window caption) and
// show the one hint window, modeless. The window is created on first use and kept as a child of
// `mainWindow`; a press while it is open switches it to the new key (asking first when the text
// has unsaved edits).
void openHint(QWidget* mainWindow, const QString& ctlName);

// The hint window if it was ever created and still exists; null otherwise.
HintWindow* currentHintWindow();
