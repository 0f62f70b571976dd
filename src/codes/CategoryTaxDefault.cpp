#include "codes/CategoryTaxDefault.h"

#include "domain/ConsumptionTax.h"
#include "messages/ShowMsg.h"
#include "store/CategoryTaxTable.h"
#include "store/CodeMasterTable.h"

#include <QComboBox>
#include <QItemSelectionModel>
#include <QSqlTableModel>
#include <QTableView>

namespace CategoryTaxDefault {

namespace {
// The customer category named in the grid's current row, or an empty text.
QString currentCategory(const Panel& panel)
{
    if (panel.kind->currentText() != CodeMasterTable::CustomerCategoryKind)
        return {};
    auto* model = qobject_cast<QSqlTableModel*>(panel.grid->model());
    const QModelIndex current = panel.grid->currentIndex();
    if (!model || !current.isValid())
        return {};
    return model->index(current.row(), model->fieldIndex(QStringLiteral("sname"))).data().toString().trimmed();
}
} // namespace

void show(const Panel& panel)
{
    const QString category = currentCategory(panel);
    const auto taxClass = ConsumptionTax::fromKey(CategoryTaxTable::read(category));
    panel.taxClass->setCurrentIndex(int(taxClass.value_or(ConsumptionTax::TaxClass::None)));
    panel.taxClass->setEnabled(!category.isEmpty());
}

void attach(const Panel& panel)
{
    if (!panel.grid->selectionModel())
        return;
    show(panel);
    QObject::connect(panel.grid->selectionModel(), &QItemSelectionModel::currentChanged, panel.taxClass,
                     [panel] { show(panel); });
    QObject::connect(panel.kind, &QComboBox::currentTextChanged, panel.taxClass, [panel] { show(panel); });
    QObject::connect(panel.taxClass, &QComboBox::activated, panel.taxClass, [panel](int index) {
        const QString category = currentCategory(panel);
        if (category.isEmpty())
            return;
        const StoreResult stored = CategoryTaxTable::write(category, ConsumptionTax::key(ConsumptionTax::TaxClass(index)));
        if (!stored) {
            ShowWriteFailure(QStringLiteral("顧客区分の税区分"), stored.error);
            show(panel);
        }
    });
}

} // namespace CategoryTaxDefault
