#pragma once
#include <QStringList>

class QComboBox;
class QSqlTableModel;

// The receipt page's lists from the code master: the customer categories in cmb顧客区分 and
// the stock provisos in w但書 (shown through dat但書 in the proviso drop-down).
namespace CategoryLists {
struct Panel {
    QComboBox* category = nullptr;     // cmb顧客区分
    QSqlTableModel* provisos = nullptr; // dat但書
};
// Empties and refills both in code order, skipping Null and empty names (duplicates kept);
// the box is left with no category chosen. dat但書 rereads w但書 afterwards, so the drop-down
// offers the current provisos after a "クリア" too.
void fill(const Panel& panel);
// The names a list offers: the code master's names of that kind in code order, without Null
// and empty ones.
QStringList namesOf(const QString& kcode);
} // namespace CategoryLists
