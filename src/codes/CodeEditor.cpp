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

// Whether wコードマスタ already holds what rebuilding it from `master` would write: 30 rows,
// the master's codes and names from the top, then "NN" with "".
bool holdsAlready(const QList<CodeRecord>& master)
{
    bool ok = false;
    const QList<CodeRecord> work = CodeWorkTable::rows(&ok);
    if (!ok || work.size() != CodeWorkTable::Rows)
        return false;
    for (int i = 0; i < CodeWorkTable::Rows; ++i) {
        const bool loaded = i < master.size();
        const QString code = loaded ? master.at(i).code : QStringLiteral("%1").arg(i + 1, 2, 10, QLatin1Char('0'));
        const QVariant name = loaded ? master.at(i).sname : QVariant(QString(QLatin1String("")));
        const QVariant& held = work.at(i).sname;
        if (work.at(i).code != code || held.isNull() != name.isNull() || held.toString() != name.toString())
            return false;
    }
    return true;
}

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
    const QString category = box ? box->currentText() : QString();
    bool ok = false;
    const QList<CodeRecord> master = CodeMasterTable::readKind(category, &ok);
    if (!ok) { // a list that cannot be read leaves the grid with blank rows
        clearDetail(panel);
        return;
    }
    // Every rebuild is a disk write; a work table that already holds the list is left alone.
    if (!holdsAlready(master)) {
        const StoreResult result = CodeWorkTable::rebuild(master);
        if (!result)
            ShowWriteFailure(QStringLiteral("コード表"), result.error);
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
    if (!result)
        ShowWriteFailure(QStringLiteral("コード表"), result.error);
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
