#include "customers/TextRowsModel.h"

void TextRowsModel::setRows(QList<QStringList> rows)
{
    beginResetModel();
    rows_ = std::move(rows);
    endResetModel();
}

QVariant TextRowsModel::data(const QModelIndex& index, int role) const
{
    if (role != Qt::DisplayRole || !index.isValid())
        return {};
    const QStringList& row = rows_.at(index.row());
    return index.column() < row.size() ? row.at(index.column()) : QString();
}

QVariant TextRowsModel::headerData(int section, Qt::Orientation orientation, int role) const
{
    if (role != Qt::DisplayRole || orientation != Qt::Horizontal || section >= header_.size())
        return QAbstractTableModel::headerData(section, orientation, role);
    return header_.at(section);
}
