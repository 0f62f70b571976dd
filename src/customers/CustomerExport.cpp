#include "customers/CustomerExport.h"

#include "domain/ConsumptionTax.h"
#include "store/CsvText.h"
#include "store/CustomerMasterTable.h"
#include "store/CustomerWorkTable.h"

#include <algorithm>

namespace CustomerExport {

namespace {

QString text(const QVariant& value) { return value.isNull() ? QString() : value.toString(); }

QString taxText(const QVariant& key)
{
    const std::optional<ConsumptionTax::TaxClass> taxClass = ConsumptionTax::fromKey(text(key));
    return taxClass ? ConsumptionTax::written(*taxClass) : QString();
}

// The 税区分 column only where a member has a class of its own: other lists stay as they were.
QByteArray documentOf(QList<QStringList> rows)
{
    QStringList header{QStringLiteral("区分"), QStringLiteral("行番号"), QStringLiteral("顧客名"),
                       QStringLiteral("領収額"), QStringLiteral("但書"), QStringLiteral("税区分")};
    if (std::all_of(rows.cbegin(), rows.cend(), [](const QStringList& row) { return row.last().isEmpty(); })) {
        header.removeLast();
        for (QStringList& row : rows)
            row.removeLast();
    }
    return CsvText::document(header, rows);
}

} // namespace

bool document(Scope scope, const QString& category, QByteArray* bytes, QString* error)
{
    bool ok = false;
    QList<QStringList> rows;
    if (scope == Scope::OnScreen) {
        const QList<CustomerWorkRow> work = CustomerWorkTable::rows(&ok);
        for (const CustomerWorkRow& row : work)
            if (!row.顧客名.isNull())
                rows.append({category, QString::number(row.行番号), text(row.顧客名), text(row.領収額), text(row.但書),
                             taxText(row.税区分)});
    } else {
        const QList<CustomerRecord> master = scope == Scope::Every ? CustomerMasterTable::readAll(&ok)
                                                                   : CustomerMasterTable::readCategory(category, &ok);
        for (const CustomerRecord& row : master)
            if (!row.顧客名.isNull())
                rows.append({row.区分, QString::number(row.行番号), text(row.顧客名), text(row.領収額), text(row.但書),
                             taxText(row.税区分)});
    }
    if (ok)
        *bytes = documentOf(rows);
    if (!ok && error)
        *error = QStringLiteral("顧客リストを読み込めませんでした。");
    return ok;
}

} // namespace CustomerExport
