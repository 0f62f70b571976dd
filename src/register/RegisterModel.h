#pragma once
#include "store/RegisterTable.h"

#include <QSqlQueryModel>

// The register's entries for the window: a filtered, sorted select that the view pages through
// as it scrolls (never all rows at once), with the count and sum of the amounts of the filter.
class RegisterModel : public QSqlQueryModel {
public:
    explicit RegisterModel(QObject* parent = nullptr);

    void setFilter(const RegisterTable::Filter& filter);
    const RegisterTable::Filter& filter() const { return filter_; }
    int sortColumn() const { return sortColumn_; }
    Qt::SortOrder sortOrder() const { return sortOrder_; }
    // Reads the entries and their count and sum again (after an output or a void).
    void refresh();
    // Of the last refresh; nothing when the register could not be read.
    std::optional<RegisterTable::Totals> totals() const { return totals_; }
    qint64 idAt(int row) const;
    bool isVoidRow(int row) const;

    void sort(int column, Qt::SortOrder order) override;
    QVariant data(const QModelIndex& index, int role = Qt::DisplayRole) const override;
    Qt::ItemFlags flags(const QModelIndex& index) const override;

private:
    // Reads the rows of the filter in the sort order; the totals are left as they are.
    void select();

    RegisterTable::Filter filter_;
    int sortColumn_ = -1; // newest first
    Qt::SortOrder sortOrder_ = Qt::DescendingOrder;
    std::optional<RegisterTable::Totals> totals_;
};
