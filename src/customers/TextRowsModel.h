#pragma once
#include <QAbstractTableModel>
#include <QStringList>

// Read-only rows of texts for a view: cheap to fill with thousands of rows, unlike an item
// per cell.
class TextRowsModel : public QAbstractTableModel {
public:
    explicit TextRowsModel(const QStringList& header, QObject* parent = nullptr)
        : QAbstractTableModel(parent), header_(header)
    {
    }

    void setRows(QList<QStringList> rows);

    int rowCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(rows_.size()); }
    int columnCount(const QModelIndex& parent = {}) const override { return parent.isValid() ? 0 : int(header_.size()); }
    QVariant data(const QModelIndex& index, int role) const override;
    QVariant headerData(int section, Qt::Orientation orientation, int role) const override;

private:
    QStringList header_;
    QList<QStringList> rows_;
};
