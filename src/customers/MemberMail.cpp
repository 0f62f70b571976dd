#include "customers/MemberMail.h"

#include "customers/CustomerList.h"
#include "domain/MailAddress.h"
#include "messages/ShowMsg.h"

#include <QInputDialog>
#include <QSqlError>
#include <QSqlTableModel>
#include <QTableView>

namespace {

const QString Field = QStringLiteral("メールアドレス");

} // namespace

namespace MemberMail {

QString set(CustomerList& list, int row, const QString& text)
{
    QSqlTableModel* model = list.model();
    const int column = model->fieldIndex(Field);
    if (row < 0 || row >= model->rowCount() || column < 0 ||
        model->index(row, list.modelColumn(CustomerList::Col顧客名)).data().toString().isEmpty())
        return QStringLiteral("メールアドレスは、氏名のある行に入れてください。");
    const QString address = MailAddress::normalised(text);
    if (QString wrong = MailAddress::problem(address); !wrong.isEmpty())
        return wrong;
    list.commitPendingEdit();
    if (!model->setData(model->index(row, column), address.isEmpty() ? QVariant() : QVariant(address)))
        return QStringLiteral("メールアドレスを書き込めませんでした。") + model->lastError().text();
    return {};
}

void edit(CustomerList& list)
{
    const int row = list.grid()->currentIndex().row();
    const int column = list.model()->fieldIndex(Field);
    const QString now = row < 0 || column < 0 ? QString() : list.model()->index(row, column).data().toString();
    bool accepted = false;
    const QString text = QInputDialog::getText(list.grid()->window(), Field, QStringLiteral("メールアドレス（空にすると消えます）"),
                                               QLineEdit::Normal, now, &accepted);
    if (!accepted)
        return;
    if (const QString problem = set(list, row, text); !problem.isEmpty())
        ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"), problem);
}

} // namespace MemberMail
