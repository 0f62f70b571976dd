#include "customers/CustomerExport.h"

#include "store/CsvText.h"
#include "store/CustomerMasterTable.h"
#include "store/CustomerWorkTable.h"

namespace CustomerExport {

namespace {

QString text(const QVariant& value) { return value.isNull() ? QString() : value.toString(); }

} // namespace

bool document(Scope scope, const QString& category, QByteArray* bytes, QString* error)
{
    bool ok = false;
    QList<QStringList> rows;
    if (scope == Scope::OnScreen) {
        const QList<CustomerWorkRow> work = CustomerWorkTable::rows(&ok);
        for (const CustomerWorkRow& row : work)
            if (!row.顧客名.isNull())
                rows.append({category, QString::number(row.行番号), text(row.顧客名), text(row.領収額), text(row.但書)});
        if (ok)
            *bytes = CsvText::document({QStringLiteral("区分"), QStringLiteral("行番号"), QStringLiteral("顧客名"),
                                        QStringLiteral("領収額"), QStringLiteral("但書")},
                                       rows);
    } else {
        const QList<CustomerRecord> master = scope == Scope::Every ? CustomerMasterTable::readAll(&ok)
                                                                   : CustomerMasterTable::readCategory(category, &ok);
        for (const CustomerRecord& row : master)
            if (!row.顧客名.isNull())
                rows.append({row.区分, QString::number(row.行番号), text(row.顧客名), text(row.領収額), text(row.但書)});
        if (ok)
            *bytes = CsvText::document({QStringLiteral("区分"), QStringLiteral("行番号"), QStringLiteral("顧客名"),
                                        QStringLiteral("領収額"), QStringLiteral("但書")},
                                       rows);
    }
    if (!ok && error)
        *error = QStringLiteral("顧客リストを読み込めませんでした。");
    return ok;
}

} // namespace CustomerExport
