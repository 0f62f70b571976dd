#pragma once

class QWidget;

// Switches Japanese input on (1) or off (0) for a widget. Without an input method it only
// records the wish on the widget, which is harmless.
void SetImeStatus(QWidget* widget, int open);
