#include "codes/CodeEditor.h"

#include "ui/SetImeStatus.h"
#include "messages/ShowMsg.h"
#include "store/CodeMasterTable.h"
#include "store/CodeWorkTable.h"
#include "store/WorkTableProtocol.h"
#include "ui/GridEdits.h"
#include "ui/LeavingFocus.h"

#include <QComboBox>
#include <QFocusEvent>
#include <QKeyEvent>
#include <QSqlTableModel>
#include <QTableView>

namespace CodeEditor {

namespace {

void refresh(const Panel& panel)
{
    if (panel.model)
        panel.model->select();
}

// Leaving the category box rereads the grid for the category shown (unsaved edits go).
// Opening its own list or switching to another program is not leaving it.
class LeaveCategoryFilter : public QObject {
public:
    LeaveCategoryFilter(QComboBox* box, std::function<void()> onLeave) : QObject(box), onLeave_(std::move(onLeave)) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::FocusOut && leavesControl(static_cast<QFocusEvent*>(event)))
            onLeave_();
        return QObject::eventFilter(watched, event);
    }

private:
    std::function<void()> onLeave_;
};

// The Enter key moves the cell cursor to the right, and from the last column to the first
// column of the next row; after typing a name, Enter stores it and moves on the same way.
class EnterMovesRight : public QObject {
public:
    explicit EnterMovesRight(QTableView* grid) : QObject(grid), grid_(grid) {}

    void moveRight() const
    {
        const QModelIndex current = grid_->currentIndex();
        if (!current.isValid())
            return;
        QAbstractItemModel* model = grid_->model();
        for (int row = current.row(), column = current.column() + 1; row < model->rowCount(); ++row, column = 0)
            for (; column < model->columnCount(); ++column)
                if (!grid_->isColumnHidden(column)) {
                    grid_->setCurrentIndex(model->index(row, column));
                    return;
                }
    }

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() == QEvent::KeyPress) {
            const int key = static_cast<QKeyEvent*>(event)->key();
            if (key == Qt::Key_Return || key == Qt::Key_Enter) { // an open editor takes its own Enter
                moveRight();
                return true;
            }
        }
        return QObject::eventFilter(watched, event);
    }

private:
    QTableView* grid_;
};

} // namespace

void clearDetail(const Panel& panel)
{
    const StoreResult result = CodeWorkTable::rebuild();
    if (!result)
        ShowWriteFailure(QStringLiteral("コード表"), result.error);
    refresh(panel);
}

void read(const Panel& panel)
{
    QComboBox* box = panel.kind;
    // A list that cannot be read or laid out leaves the grid with blank rows.
    if (!WorkTableProtocol::loadCodeList(box ? box->currentText() : QString())) {
        clearDetail(panel);
        return;
    }
    refresh(panel);
}

bool commitPendingEdit(const Panel& panel)
{
    if (GridEdits::commitPending(panel.grid))
        return true;
    ShowWriteFailure(QStringLiteral("コード表の編集中の値"), QStringLiteral("作業用のコード表に書き込めません。"));
    return false;
}

bool entry(const Panel& panel)
{
    QComboBox* box = panel.kind;
    const QString category = box ? box->currentText() : QString();
    // Only the two kinds of the list are code lists; any other text names none.
    if (category.isEmpty() || box->findText(category) < 0) {
        ShowMsg(QStringLiteral("入力"), QStringLiteral("区分なし"), QString());
        if (box)
            box->setFocus(Qt::OtherFocusReason);
        return false;
    }
    if (!commitPendingEdit(panel))
        return false;
    const StoreResult result = WorkTableProtocol::registerCodeList(category);
    if (!result && ShowSaveFailure(QStringLiteral("コード表"), result))
        read(panel);
    if (box)
        box->setFocus(Qt::OtherFocusReason);
    return result.ok;
}

void attach(QComboBox* kind, std::function<void()> onLeave)
{
    kind->installEventFilter(new LeaveCategoryFilter(kind, std::move(onLeave)));
}

void followGrid(const Panel& panel)
{
    QTableView* codes = panel.grid;
    if (!codes || !codes->selectionModel() || codes->selectionModel()->property("imeRule").toBool())
        return;
    codes->selectionModel()->setProperty("imeRule", true);
    SetImeStatus(codes, 0);
    auto* enter = new EnterMovesRight(codes);
    codes->installEventFilter(enter);
    for (int column = 0; column < codes->model()->columnCount(); ++column)
        if (QAbstractItemDelegate* delegate = codes->itemDelegateForColumn(column))
            QObject::connect(delegate, &QAbstractItemDelegate::closeEditor, enter,
                             [enter](QWidget*, QAbstractItemDelegate::EndEditHint hint) {
                                 if (hint == QAbstractItemDelegate::SubmitModelCache)
                                     QMetaObject::invokeMethod(enter, [enter] { enter->moveRight(); },
                                                               Qt::QueuedConnection);
                             });
    // Names are typed in Japanese; the locked code column takes none.
    QObject::connect(codes->selectionModel(), &QItemSelectionModel::currentChanged, codes,
                     [codes](const QModelIndex& current) {
                         auto* model = qobject_cast<QSqlTableModel*>(codes->model());
                         const bool name = model && current.column() == model->fieldIndex(QStringLiteral("sname"));
                         SetImeStatus(codes, name ? 1 : 0);
                     });
}

} // namespace CodeEditor
