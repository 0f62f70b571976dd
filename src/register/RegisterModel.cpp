#include "register/RegisterModel.h"

#include "printing/ReceiptFormat.h"
#include "store/Connections.h"

#include <QSqlQuery>

RegisterModel::RegisterModel(QObject* parent) : QSqlQueryModel(parent)
{
    refresh();
}

void RegisterModel::setFilter(const RegisterTable::Filter& filter)
{
    filter_ = filter;
    refresh();
}

void RegisterModel::sort(int column, Qt::SortOrder order)
{
    sortColumn_ = column;
    sortOrder_ = order;
    refresh();
}

void RegisterModel::refresh()
{
    const RegisterTable::Query select = RegisterTable::select(filter_, sortColumn_, sortOrder_);
    QSqlQuery query(Connections::mainDb());
    query.prepare(select.sql);
    for (const QVariant& value : select.values)
        query.addBindValue(value);
    query.exec();
    setQuery(std::move(query));
    const QList<RegisterTable::Column>& columns = RegisterTable::columns();
    for (int i = 0; i < columns.size(); ++i)
        setHeaderData(i, Qt::Horizontal, columns.at(i).header);
    totals_ = RegisterTable::totals(filter_);
}

qint64 RegisterModel::idAt(int row) const
{
    return QSqlQueryModel::data(index(row, 0)).toLongLong();
}

QVariant RegisterModel::data(const QModelIndex& index, int role) const
{
    static const int amount = RegisterTable::columnOf(QStringLiteral("領収額"));
    static const int number = RegisterTable::columnOf(QStringLiteral("領収証番号"));
    if (role == Qt::TextAlignmentRole && (index.column() == amount || index.column() == number))
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    if (role != Qt::DisplayRole)
        return QSqlQueryModel::data(index, role);
    const QVariant value = QSqlQueryModel::data(index, role);
    if (index.column() == amount)
        return value.isNull() ? QString() : ReceiptFormat::amount(value.toString());
    if (index.column() == number)
        return ReceiptFormat::number(value.toLongLong());
    // One line per cell: a company text of several lines shows its lines side by side.
    return value.toString().replace(QLatin1Char('\n'), QLatin1Char(' '));
}

Qt::ItemFlags RegisterModel::flags(const QModelIndex& index) const
{
    return QSqlQueryModel::flags(index) & ~Qt::ItemIsEditable;
}
