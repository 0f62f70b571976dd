#include "store/RegisterTable.h"

#include "store/Connections.h"
#include "store/SqlDialect.h"
#include "store/SqlRunner.h"

namespace RegisterTable {

namespace {

QString fieldList()
{
    QStringList fields;
    for (const Column& column : columns())
        fields << column.field;
    fields << MailColumn.field;
    return fields.join(QStringLiteral(", "));
}

// The WHERE clause (with its leading keyword, or empty) and its values.
QString whereOf(const Filter& filter, QVariantList* values)
{
    QStringList terms;
    if (filter.numberFrom) {
        terms << QStringLiteral("領収証番号 >= ?");
        values->append(*filter.numberFrom);
    }
    if (filter.numberTo) {
        terms << QStringLiteral("領収証番号 <= ?");
        values->append(*filter.numberTo);
    }
    if (!filter.namePart.isEmpty()) {
        // Not LIKE: a % or _ in the text is part of the name.
        terms << SqlDialect::containsBoundText(Connections::mainDb(), QStringLiteral("顧客名"));
        values->append(filter.namePart);
    }
    if (filter.issuedFrom.isValid()) {
        terms << QStringLiteral("発行日時 >= ?");
        values->append(filter.issuedFrom.toString(Qt::ISODate));
    }
    if (filter.issuedTo.isValid()) {
        terms << QStringLiteral("発行日時 < ?");
        values->append(filter.issuedTo.addDays(1).toString(Qt::ISODate));
    }
    // Dates as YYYY-MM-DD compare as text in the order of days.
    if (filter.receiptFrom.isValid()) {
        terms << QStringLiteral("領収日 >= ?");
        values->append(filter.receiptFrom.toString(Qt::ISODate));
    }
    if (filter.receiptTo.isValid()) {
        terms << QStringLiteral("領収日 <= ?");
        values->append(filter.receiptTo.toString(Qt::ISODate));
    }
    if (filter.amountFrom) {
        terms << QStringLiteral("領収額 >= ?");
        values->append(*filter.amountFrom);
    }
    if (filter.amountTo) {
        terms << QStringLiteral("領収額 <= ?");
        values->append(*filter.amountTo);
    }
    if (!filter.state.isEmpty()) {
        terms << QStringLiteral("状態 = ?");
        values->append(filter.state);
    }
    return terms.isEmpty() ? QString() : QStringLiteral(" WHERE ") + terms.join(QStringLiteral(" AND "));
}

RegisterEntry entryOf(const QSqlQuery& q)
{
    const auto text = [&q](int column) { return q.value(column).toString(); };
    RegisterEntry e;
    e.記録番号 = q.value(0).toLongLong();
    e.領収証番号 = q.value(1).toLongLong();
    e.状態 = text(2);
    e.領収日付 = text(3);
    e.顧客名 = text(4);
    e.領収額 = q.isNull(5) ? QVariant() : q.value(5);
    e.但書 = text(6);
    e.表題 = text(7);
    e.自社名 = text(8);
    e.自社情報 = text(9);
    e.用紙 = text(10);
    e.出力先 = text(11);
    e.種別 = text(12);
    e.発行日時 = text(13);
    e.無効理由 = text(14);
    e.税区分 = text(15);
    e.税率 = q.value(16);
    e.消費税額 = q.value(17);
    e.登録番号 = text(18);
    e.印紙税額 = q.value(19);
    e.領収日 = text(20);
    e.SHA256 = text(21);
    e.保存ファイル = text(22);
    e.メール = text(23);
    return e;
}

} // namespace

const QList<Column>& columns()
{
    // entryOf() reads them in this order.
    static const QList<Column> list = {
        {QStringLiteral("記録番号"), QStringLiteral("記録番号")},
        {QStringLiteral("領収証番号"), QStringLiteral("領収証番号")},
        {QStringLiteral("状態"), QStringLiteral("状態")},
        {QStringLiteral("領収日付"), QStringLiteral("日付")},
        {QStringLiteral("顧客名"), QStringLiteral("氏名")},
        {QStringLiteral("領収額"), QStringLiteral("金額")},
        {QStringLiteral("但書"), QStringLiteral("但書")},
        {QStringLiteral("表題"), QStringLiteral("表題")},
        {QStringLiteral("自社名"), QStringLiteral("会の名称")},
        {QStringLiteral("自社情報"), QStringLiteral("会の情報")},
        {QStringLiteral("用紙"), QStringLiteral("用紙")},
        {QStringLiteral("出力先"), QStringLiteral("出力先")},
        {QStringLiteral("種別"), QStringLiteral("種別")},
        {QStringLiteral("発行日時"), QStringLiteral("発行日時")},
        {QStringLiteral("無効理由"), QStringLiteral("無効理由")},
        {QStringLiteral("税区分"), QStringLiteral("税区分")},
        {QStringLiteral("税率"), QStringLiteral("税率")},
        {QStringLiteral("消費税額"), QStringLiteral("消費税額")},
        {QStringLiteral("登録番号"), QStringLiteral("登録番号")},
        {QStringLiteral("印紙税額"), QStringLiteral("印紙税額")},
        {QStringLiteral("領収日"), QStringLiteral("領収日")},
        {QStringLiteral("sha256"), QStringLiteral("SHA-256")},
        {QStringLiteral("保存ファイル"), QStringLiteral("保存ファイル")},
    };
    return list;
}

int columnOf(const QString& field)
{
    for (int i = 0; i < columns().size(); ++i)
        if (columns().at(i).field == field)
            return i;
    return -1;
}

Query select(const Filter& filter, int sortColumn, Qt::SortOrder order)
{
    Query query;
    query.sql = QStringLiteral("SELECT ") + fieldList() + QStringLiteral(" FROM 発行記録") + whereOf(filter, &query.values);
    const QString direction = order == Qt::DescendingOrder ? QStringLiteral(" DESC") : QString();
    if (sortColumn == 0)
        query.sql += QStringLiteral(" ORDER BY 記録番号") + direction;
    else if (sortColumn > 0 && sortColumn <= columns().size())
        query.sql += QStringLiteral(" ORDER BY ") + columns().value(sortColumn, MailColumn).field + direction +
                     QStringLiteral(", 記録番号") + direction;
    else
        query.sql += QStringLiteral(" ORDER BY 記録番号 DESC");
    return query;
}

std::optional<Totals> totals(const Filter& filter)
{
    QVariantList values = {Issued};
    SqlRunner sql(Connections::mainDb());
    if (!sql.exec(QStringLiteral("SELECT count(*), %1 FROM 発行記録")
                          .arg(SqlDialect::wholeSum(Connections::mainDb(), QStringLiteral("CASE WHEN 状態 = ? THEN 領収額 END"))) +
                      whereOf(filter, &values),
                  values) ||
        !sql.query().next())
        return std::nullopt;
    Totals totals{sql.query().value(0).toLongLong(), sql.query().value(1).toLongLong(), {}};
    sql.query().finish();
    // Per rate, what a consumption-tax return asks for: the amounts received and their tax.
    QVariantList rateValues = {Issued};
    const QString where = whereOf(filter, &rateValues);
    const QSqlDatabase db = Connections::mainDb();
    if (!sql.exec(QStringLiteral("SELECT 税率, %1, %2 FROM 発行記録 WHERE 状態 = ? AND 税率 IS NOT NULL%3 "
                                 "GROUP BY 税率 ORDER BY 税率 DESC")
                      .arg(SqlDialect::wholeSum(db, QStringLiteral("領収額")), SqlDialect::wholeSum(db, QStringLiteral("消費税額")),
                           where.isEmpty() ? QString() : QStringLiteral(" AND ") + where.mid(QStringLiteral(" WHERE ").size())),
                  rateValues))
        return std::nullopt;
    while (sql.query().next())
        totals.perRate.append({sql.query().value(0).toInt(), sql.query().value(1).toLongLong(),
                               sql.query().value(2).toLongLong()});
    return totals;
}

StoreResult insertWithin(QSqlDatabase db, const EntrySource& entries, QList<qint64>* ids)
{
    SqlRunner sql(db);
    if (ids)
        ids->reserve(ids->size() + entries.count);
    for (qsizetype i = 0; i < entries.count; ++i) {
        const RegisterEntry e = entries.at(i);
        const auto textOrNull = [](const QString& text) { return text.isEmpty() ? QVariant() : QVariant(text); };
        if (!sql.exec(QStringLiteral("INSERT INTO 発行記録 (領収証番号, 領収日付, 顧客名, 領収額, 但書, 表題, 自社名, "
                                     "自社情報, 用紙, 出力先, 種別, 発行日時, 状態, 無効理由, 原本, 発行端末, 発行プロセス, "
                                     "税区分, 税率, 消費税額, 登録番号, 印紙税額, 領収日, sha256, 保存ファイル) "
                                     "VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)") +
                          SqlDialect::returningKey(db, QStringLiteral("記録番号")),
                      {e.領収証番号, e.領収日付, e.顧客名, e.領収額, e.但書, e.表題, e.自社名, e.自社情報, e.用紙,
                       e.出力先, e.種別, e.発行日時, e.状態, textOrNull(e.無効理由),
                       e.原本 ? 1 : 0, textOrNull(e.発行端末), textOrNull(e.発行プロセス), textOrNull(e.税区分),
                       e.税率, e.消費税額, textOrNull(e.登録番号), e.印紙税額, textOrNull(e.領収日),
                       textOrNull(e.SHA256), textOrNull(e.保存ファイル)}))
            return StoreResult::failure(sql.error());
        const std::optional<qint64> id = SqlDialect::insertedKey(db, sql.query());
        if (!id)
            return StoreResult::failure(sql.error());
        if (ids)
            ids->append(*id);
    }
    return StoreResult::success();
}

QList<RegisterEntry> read(const QList<qint64>& ids, bool* ok)
{
    if (ok)
        *ok = true;
    QList<RegisterEntry> entries;
    SqlRunner sql(Connections::mainDb());
    for (qint64 id : ids) {
        if (!sql.exec(QStringLiteral("SELECT ") + fieldList() + QStringLiteral(" FROM 発行記録 WHERE 記録番号 = ?"), {id})) {
            if (ok)
                *ok = false;
            return {};
        }
        if (sql.query().next())
            entries.append(entryOf(sql.query()));
    }
    return entries;
}

QList<RegisterEntry> readAll(const Filter& filter, int sortColumn, Qt::SortOrder order, bool* ok)
{
    const Query query = select(filter, sortColumn, order);
    SqlRunner sql(Connections::mainDb());
    const bool done = sql.exec(query.sql, query.values);
    if (ok)
        *ok = done;
    QList<RegisterEntry> entries;
    while (done && sql.query().next())
        entries.append(entryOf(sql.query()));
    return entries;
}

std::optional<QList<PdfArchive::Recorded>> keptFiles()
{
    SqlRunner sql(Connections::mainDb());
    if (!sql.exec(QStringLiteral("SELECT 保存ファイル, sha256, min(記録番号) AS earliest FROM 発行記録 "
                                 "WHERE 保存ファイル IS NOT NULL GROUP BY 保存ファイル, sha256 ORDER BY earliest")))
        return std::nullopt;
    QList<PdfArchive::Recorded> kept;
    while (sql.query().next())
        kept.append({sql.query().value(0).toString(), sql.query().value(1).toString()});
    return kept;
}

} // namespace RegisterTable
