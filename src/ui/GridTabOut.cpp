#include "ui/GridTabOut.h"

#include "ui/GridEdits.h"

#include <QApplication>
#include <QKeyEvent>
#include <QTableView>

namespace GridTabOut {

namespace {

class TabOut : public QObject {
public:
    explicit TabOut(QTableView* grid) : QObject(grid), grid_(grid) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress || forwarding_)
            return QObject::eventFilter(watched, event);
        const auto* key = static_cast<QKeyEvent*>(event);
        if (key->key() != Qt::Key_Tab && key->key() != Qt::Key_Backtab)
            return QObject::eventFilter(watched, event);
        const bool back = key->key() == Qt::Key_Backtab || (key->modifiers() & Qt::ShiftModifier);
        // A refused edit keeps its editor open and the focus in the grid.
        if (!GridEdits::commitPending(grid_) || grid_->viewport()->isAncestorOf(QApplication::focusWidget()))
            return true;
        grid_->setFocus(Qt::TabFocusReason);
        // Without tab-key navigation the grid hands a plain Tab on to the window's focus chain.
        QKeyEvent plain(QEvent::KeyPress, back ? Qt::Key_Backtab : Qt::Key_Tab, Qt::NoModifier);
        forwarding_ = true;
        QCoreApplication::sendEvent(grid_, &plain);
        forwarding_ = false;
        return true;
    }

private:
    QTableView* grid_;
    bool forwarding_ = false;
};

} // namespace

void install(QTableView* grid)
{
    grid->setTabKeyNavigation(false);
    auto* filter = new TabOut(grid);
    grid->installEventFilter(filter);
    // Cell editors are created on demand inside the viewport; each gets the filter as it takes
    // the focus (after the delegate's own filter, so this one sees the key first).
    QObject::connect(qApp, &QApplication::focusChanged, filter, [grid, filter](QWidget*, QWidget* now) {
        if (now && now != grid && grid->viewport()->isAncestorOf(now)) {
            now->removeEventFilter(filter);
            now->installEventFilter(filter);
        }
    });
}

} // namespace GridTabOut
