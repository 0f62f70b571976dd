#include "codes/CategoryLists.h"

#include "messages/ShowMsg.h"
#include "store/CodeMasterTable.h"
#include "store/ProvisoTable.h"

#include <QComboBox>
#include <QSqlTableModel>

namespace CategoryLists {

QStringList namesOf(const QString& kcode)
{
    QStringList names;
    for (const CodeRecord& row : CodeMasterTable::readKind(kcode))
        if (!row.sname.isNull() && !row.sname.toString().isEmpty())
            names << row.sname.toString();
    return names;
}

void fill(const Panel& panel)
{
    QComboBox* box = panel.category;
    box->clear();
    box->clearEditText();
    box->addItems(namesOf(CodeMasterTable::CustomerCategoryKind));
    box->setCurrentIndex(-1);
    box->clearEditText();
    // The list rarely changes between runs; an unchanged one is not written again.
    const QStringList provisos = namesOf(CodeMasterTable::ProvisoKind);
    bool readable = false;
    if (ProvisoTable::entries(&readable) != provisos || !readable) {
        const StoreResult result = ProvisoTable::rebuild(provisos);
        if (!result)
            ShowWriteFailure(QStringLiteral("但書の一覧"), result.error);
    }
    if (panel.provisos) // made at start-up, after the first fill
        panel.provisos->select();
}

} // namespace CategoryLists
