#include "codes/CategoryLists.h"

#include "messages/ShowMsg.h"
#include "store/CodeMasterTable.h"
#include "store/ProvisoTable.h"

#include <QComboBox>
#include <QSqlTableModel>

namespace CategoryLists {

namespace {
QStringList namesOf(const QString& kcode)
{
    QStringList names;
    for (const CodeRecord& row : CodeMasterTable::readKind(kcode))
        if (!row.sname.isNull() && !row.sname.toString().isEmpty())
            names << row.sname.toString();
    return names;
}
} // namespace

void fill(QWidget* window)
{
    if (auto* box = window->findChild<QComboBox*>(QStringLiteral("cmb顧客区分"))) {
        box->clear();
        box->clearEditText();
        box->addItems(namesOf(CodeMasterTable::CustomerCategoryKind));
        box->setCurrentIndex(-1);
        box->clearEditText();
    }
    const StoreResult result = ProvisoTable::rebuild(namesOf(CodeMasterTable::ProvisoKind));
    if (!result)
        ShowWriteFailure(QStringLiteral("但書の一覧"), result.error);
    if (auto* provisos = window->findChild<QSqlTableModel*>(QStringLiteral("dat但書")))
        provisos->select();
}

} // namespace CategoryLists
