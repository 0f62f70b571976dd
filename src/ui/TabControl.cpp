#include "ui/TabControl.h"

#include <QTabBar>

namespace {
class FixedHeightTabBar : public QTabBar {
public:
    FixedHeightTabBar(int height, QWidget* parent) : QTabBar(parent), height_(height) {}

protected:
    QSize tabSizeHint(int index) const override
    {
        QSize size = QTabBar::tabSizeHint(index);
        size.setHeight(height_);
        size.setWidth(qMax(size.width(), 120));
        return size;
    }
    QSize minimumTabSizeHint(int index) const override { return tabSizeHint(index); }

private:
    int height_;
};
} // namespace

TabControl::TabControl(int tabHeight, QWidget* parent) : QTabWidget(parent)
{
    setTabBar(new FixedHeightTabBar(tabHeight, this));
    setDocumentMode(true); // no frame: pages begin right under the tab row
}
