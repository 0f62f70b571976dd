#pragma once
#include <QTabWidget>

// A tab control whose tab row has a fixed height, so that pages start where the layout
// expects them.
class TabControl : public QTabWidget {
public:
    explicit TabControl(int tabHeight, QWidget* parent = nullptr);
};
