#pragma once
class QWidget;

// Switches Japanese input on (open = 1) or off (0) for `window`: the widget, and for a grid its
// open cell editors, accept or refuse input-method text. Without an input method it changes
// nothing the user sees.
void SetImeStatus(QWidget* window, int open);
