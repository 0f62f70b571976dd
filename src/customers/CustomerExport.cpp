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

// The rows as CSV. The 税区分 and メールアドレス columns only where some member has a class or an
// address of its own, so that other lists read as they always did.
QByteArray csv(const QList<CustomerRecord>& rows)
{
    const bool anyTax = std::any_of(rows.cbegin(), rows.cend(), [](const CustomerRecord& row) { return !taxText(row.税区分).isEmpty(); });
    const bool anyMail = std::any_of(rows.cbegin(), rows.cend(), [](const CustomerRecord& row) { return !text(row.メールアドレス).isEmpty(); });
    QStringList header{QStringLiteral("区分"), QStringLiteral("行番号"), QStringLiteral("顧客名"),
                       QStringLiteral("領収額"), QStringLiteral("但書")};
    if (anyTax)
        header << QStringLiteral("税区分");
    if (anyMail)
        header << QStringLiteral("メールアドレス");
    QList<QStringList> lines;
    for (const CustomerRecord& row : rows) {
        QStringList line{row.区分, QString::number(row.行番号), text(row.顧客名), text(row.領収額), text(row.但書)};
        if (anyTax)
            line << taxText(row.税区分);
        if (anyMail)
            line << text(row.メールアドレス);
        lines.append(line);
    }
    return CsvText::document(header, lines);
}

} // namespace

bool document(Scope scope, const QString& category, QByteArray* bytes, QString* error)
{
    bool ok = false;
    QList<CustomerRecord> rows;
    if (scope == Scope::OnScreen) {
        for (const CustomerWorkRow& row : CustomerWorkTable::rows(&ok))
            if (!row.顧客名.isNull())
                rows.append({row.行番号, row.顧客名, category, row.但書, row.領収額, row.税区分, row.メールアドレス});
    } else {
        const QList<CustomerRecord> master = scope == Scope::Every ? CustomerMasterTable::readAll(&ok)
                                                                   : CustomerMasterTable::readCategory(category, &ok);
        for (const CustomerRecord& row : master)
            if (!row.顧客名.isNull())
                rows.append(row);
    }
    if (ok)
        *bytes = csv(rows);
    else if (error)
        *error = QStringLiteral("顧客リストを読み込めませんでした。");
    return ok;
}

} // namespace CustomerExport
