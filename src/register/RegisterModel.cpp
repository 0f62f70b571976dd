#include "register/RegisterModel.h"

#include "domain/ConsumptionTax.h"
#include "receipt/ReceiptFormat.h"
#include "store/Connections.h"

#include <QDateTime>
#include <QFont>
#include <QPalette>
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
    select(); // the same entries in another order: the count and sum stay
}

void RegisterModel::refresh()
{
    select();
    totals_ = RegisterTable::totals(filter_);
}

void RegisterModel::select()
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
    setHeaderData(int(columns.size()), Qt::Horizontal, RegisterTable::MailColumn.header);
}

qint64 RegisterModel::idAt(int row) const
{
    return QSqlQueryModel::data(index(row, 0)).toLongLong();
}

bool RegisterModel::isVoidRow(int row) const
{
    static const int state = RegisterTable::columnOf(QStringLiteral("状態"));
    return QSqlQueryModel::data(index(row, state)).toString() == RegisterTable::Voided;
}

QVariant RegisterModel::data(const QModelIndex& index, int role) const
{
    static const int amount = RegisterTable::columnOf(QStringLiteral("領収額"));
    static const int number = RegisterTable::columnOf(QStringLiteral("領収証番号"));
    static const int issuedAt = RegisterTable::columnOf(QStringLiteral("発行日時"));
    static const int taxClass = RegisterTable::columnOf(QStringLiteral("税区分"));
    static const int tax = RegisterTable::columnOf(QStringLiteral("消費税額"));
    static const int stampDuty = RegisterTable::columnOf(QStringLiteral("印紙税額"));
    const bool money = index.column() == amount || index.column() == tax || index.column() == stampDuty;
    if (role == Qt::TextAlignmentRole && (money || index.column() == number))
        return QVariant::fromValue(Qt::AlignRight | Qt::AlignVCenter);
    // A void receipt stays in the list but must not read as money received: grey, struck through.
    if (role == Qt::ForegroundRole && isVoidRow(index.row()))
        return QPalette().brush(QPalette::Disabled, QPalette::Text);
    if (role == Qt::FontRole && isVoidRow(index.row())) {
        QFont font;
        font.setStrikeOut(true);
        return font;
    }
    if (role != Qt::DisplayRole)
        return QSqlQueryModel::data(index, role);
    const QVariant value = QSqlQueryModel::data(index, role);
    if (money)
        return value.isNull() ? QString() : ReceiptFormat::amount(value.toString());
    if (index.column() == taxClass)
        return ConsumptionTax::labelOfKey(value.toString());
    if (index.column() == number)
        return ReceiptFormat::number(value.toLongLong());
    if (index.column() == issuedAt) {
        // Stored as ISO 8601 for sorting and export; read as a date and a time to the minute.
        const QDateTime moment = QDateTime::fromString(value.toString(), Qt::ISODate);
        if (moment.isValid())
            return moment.toString(QStringLiteral("yyyy-MM-dd HH:mm"));
    }
    // One line per cell: a company text of several lines shows its lines side by side.
    return value.toString().replace(QLatin1Char('\n'), QLatin1Char(' '));
}

Qt::ItemFlags RegisterModel::flags(const QModelIndex& index) const
{
    return QSqlQueryModel::flags(index) & ~Qt::ItemIsEditable;
}
