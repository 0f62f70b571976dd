#include "customers/CustomerList.h"

#include "customers/AmountDelegate.h"
#include "customers/CheckMarkDelegate.h"
#include "customers/RowNumberDelegate.h"
#include "customers/TextCellDelegate.h"
#include "domain/AmountText.h"
#include "messages/ShowMsg.h"
#include "store/CustomerWorkTable.h"
#include "store/ProvisoTable.h"
#include "store/WorkTableProtocol.h"
#include "ui/GridEdits.h"
#include "ui/SetImeStatus.h"

#include <QApplication>
#include <QComboBox>
#include <QHeaderView>
#include <QKeyEvent>
#include <QLabel>
#include <QLineEdit>
#include <QSqlTableModel>
#include <QTableView>

namespace {

const char* const fieldNames[] = {"行番号", "チェック", "顧客名", "領収額", "但書"};

QStringList provisoChoices() { return ProvisoTable::entries(); }

// Enter moves right along the row; from the proviso it goes to the next row's name,
// staying on the last row.
class EnterWalk : public QObject {
public:
    EnterWalk(CustomerList* list, QObject* parent) : QObject(parent), list_(list) {}

protected:
    bool eventFilter(QObject* watched, QEvent* event) override
    {
        if (event->type() != QEvent::KeyPress)
            return QObject::eventFilter(watched, event);
        const int key = static_cast<QKeyEvent*>(event)->key();
        if (key != Qt::Key_Return && key != Qt::Key_Enter)
            return QObject::eventFilter(watched, event);
        // A drop-down list that is open takes Enter for its choice first.
        if (auto* combo = qobject_cast<QComboBox*>(watched); combo && combo->view()->isVisible())
            return QObject::eventFilter(watched, event);
        QTableView* grid = list_->grid();
        const QModelIndex current = grid->currentIndex();
        if (!current.isValid())
            return false;
        const int proviso = list_->modelColumn(CustomerList::Col但書);
        QModelIndex next;
        if (current.column() == proviso) {
            const int row = std::min(current.row() + 1, grid->model()->rowCount() - 1);
            next = grid->model()->index(row, list_->modelColumn(CustomerList::Col顧客名));
        } else {
            int visual = grid->horizontalHeader()->visualIndex(current.column()) + 1;
            while (visual < grid->model()->columnCount() && grid->isColumnHidden(grid->horizontalHeader()->logicalIndex(visual)))
                ++visual;
            next = grid->model()->index(current.row(), grid->horizontalHeader()->logicalIndex(visual));
        }
        // Moving the current cell commits and closes an open editor, and opens the next one.
        grid->setCurrentIndex(next);
        return true;
    }

private:
    CustomerList* list_;
};

} // namespace

CustomerList::CustomerList(const Panel& panel)
    : grid_(panel.grid), model_(panel.model), category_(panel.category), nameLabel_(panel.receiptName),
      amountText_(panel.receiptAmount)
{
}

int CustomerList::modelColumn(Column column) const
{
    return model_ ? model_->fieldIndex(QString::fromUtf8(fieldNames[column])) : -1;
}

void CustomerList::attach()
{
    if (!grid_ || !model_)
        return;
    model_->setEditStrategy(QSqlTableModel::OnFieldChange);
    grid_->setItemDelegateForColumn(modelColumn(Col行番号), new RowNumberDelegate(grid_));
    grid_->setItemDelegateForColumn(modelColumn(Colチェック), new CheckMarkDelegate(grid_));
    grid_->setItemDelegateForColumn(modelColumn(Col領収額), new AmountDelegate(grid_));
    grid_->setItemDelegateForColumn(modelColumn(Col顧客名),
                                    new TextCellDelegate(nullptr, grid_, modelColumn(Colチェック)));
    grid_->setItemDelegateForColumn(modelColumn(Col但書), new TextCellDelegate(&provisoChoices, grid_));
    auto* walk = new EnterWalk(this, grid_);
    grid_->installEventFilter(walk);
    // Editors are children of the viewport; catch their Enter too.
    grid_->viewport()->installEventFilter(walk);
    QObject::connect(grid_->selectionModel(), &QItemSelectionModel::currentChanged, grid_, [this] {
        switchIme();
        rowCopy();
    });
    // Cell editors are created on demand inside the viewport; they get the Enter walk as they take the focus.
    QObject::connect(qApp, &QApplication::focusChanged, grid_, [this, walk](QWidget*, QWidget* now) {
        if (now && now->parentWidget() && (now->parentWidget() == grid_->viewport() ||
                                           now->parentWidget()->parentWidget() == grid_->viewport()))
            now->installEventFilter(walk);
    });
}

void CustomerList::refresh()
{
    if (model_)
        model_->select();
}

void CustomerList::Clear領収リスト()
{
    commitPendingEdit();
    if (const StoreResult result = WorkTableProtocol::clearCustomerList(); !result)
        ShowWriteFailure(QStringLiteral("顧客リスト"), result.error);
    else
        shownCategory_ = QStringLiteral(""); // the empty category, not a Null one that matches no row
    refresh();
}

void CustomerList::Read顧客リスト() { load(category_ ? category_->currentText() : QString(), {}); }

void CustomerList::putInCategoryBox(const QString& category)
{
    if (!category_)
        return;
    if (const int at = category_->findText(category); at >= 0)
        category_->setCurrentIndex(at);
    else
        category_->setEditText(category);
}

void CustomerList::showCategory(const QString& category, const QVariantList& amounts)
{
    putInCategoryBox(category);
    load(category, amounts);
    Set全選択(true);
}

bool CustomerList::mayLoseTypedAmounts()
{
    commitPendingEdit(); // an amount still in its cell editor counts too
    if (!WorkTableProtocol::amountsUnregistered(shownCategory_))
        return true;
    const bool switching = category_ && category_->currentText() != shownCategory_;
    if (ShowMsg(QStringLiteral("その他"), QStringLiteral("金額破棄確認"),
                switching ? QStringLiteral("区分を切り替えると、入力した金額は消えます。切り替えますか？")
                          : QStringLiteral("一覧を読み込み直すと、入力した金額は消えます。読み込み直しますか？")))
        return true;
    if (switching)
        putInCategoryBox(shownCategory_);
    return false;
}

void CustomerList::load(const QString& category, const QVariantList& amounts)
{
    // What is typed in the open cell goes into the list it was typed in, before that is replaced;
    // left open, the view would drop the editor and its text when the grid reads the new list.
    commitPendingEdit();
    if (const StoreResult result = WorkTableProtocol::loadCustomerList(category, amounts); !result)
        ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"),
                QStringLiteral("顧客リストを読み込めませんでした。\n") + result.error);
    else
        shownCategory_ = category;
    refresh();
    if (grid_ && model_ && model_->rowCount() > 0)
        grid_->setCurrentIndex(model_->index(0, modelColumn(Col顧客名)));
    rowCopy();
}

void CustomerList::Entry顧客リスト()
{
    if (!ShowMsg(QStringLiteral("登録"), QStringLiteral("確認"), QStringLiteral("顧客リスト")))
        return;
    commitPendingEdit();
    const QString category = category_ ? category_->currentText() : QString();
    if (const StoreResult result = WorkTableProtocol::registerCustomerList(category); result)
        shownCategory_ = category; // the grid now holds exactly what is registered under it
    else if (ShowSaveFailure(QStringLiteral("顧客リスト"), result))
        showCategory(category);
}

void CustomerList::Set全選択(bool flag)
{
    commitPendingEdit();
    if (const StoreResult result = CustomerWorkTable::setChecks(flag); !result)
        ShowWriteFailure(QStringLiteral("チェック"), result.error);
    const QModelIndex current = grid_ ? grid_->currentIndex() : QModelIndex();
    refresh();
    if (current.isValid())
        grid_->setCurrentIndex(model_->index(current.row(), current.column()));
}

void CustomerList::rowCopy()
{
    if (!grid_ || !model_ || !nameLabel_ || !amountText_)
        return;
    const int row = grid_->currentIndex().row();
    nameLabel_->setText(row < 0 ? QString() : model_->index(row, modelColumn(Col顧客名)).data().toString());
    amountText_->setText(QString());
    const QVariant amount = row < 0 ? QVariant() : model_->index(row, modelColumn(Col領収額)).data(Qt::EditRole);
    if (!amount.isNull() && !amount.toString().isEmpty())
        amountText_->setText(AmountText::YenSign + AmountText::thousands(amount.toLongLong()));
}

void CustomerList::commitPendingEdit() { GridEdits::commitPending(grid_); }

void CustomerList::switchIme()
{
    const int column = grid_->currentIndex().column();
    SetImeStatus(grid_, column == modelColumn(Col顧客名) || column == modelColumn(Col但書) ? 1 : 0);
}
