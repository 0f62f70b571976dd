#include "register/RegisterCsv.h"

#include "domain/ConsumptionTax.h"
#include "store/CsvText.h"

namespace RegisterCsv {

std::optional<QByteArray> document(const RegisterTable::Filter& filter, int sortColumn, Qt::SortOrder order)
{
    bool ok = false;
    const QList<RegisterEntry> entries = RegisterTable::readAll(filter, sortColumn, order, &ok);
    if (!ok)
        return std::nullopt;
    // The columns after the hidden 記録番号, in the order entryOf() fills a RegisterEntry.
    QStringList header;
    for (const RegisterTable::Column& column : RegisterTable::columns().mid(1))
        header << column.header;
    QList<QStringList> rows;
    rows.reserve(entries.size());
    for (const RegisterEntry& e : entries)
        rows.append({QString::number(e.領収証番号), e.状態, e.領収日付, e.顧客名,
                     e.領収額.isNull() ? QString() : e.領収額.toString(), e.但書, e.表題, e.自社名, e.自社情報, e.用紙,
                     e.出力先, e.種別, e.発行日時, e.無効理由, ConsumptionTax::labelOfKey(e.税区分), e.税率.toString(),
                     e.消費税額.toString(), e.登録番号, e.印紙税額.toString(), e.領収日, e.SHA256, e.保存ファイル});
    return CsvText::document(header, rows);
}

} // namespace RegisterCsv
