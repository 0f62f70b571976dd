#pragma once
#include <QStyledItemDelegate>

// One grid column's look: alignment, the "#,###" number format, and a lock that keeps the
// column from being edited.
class GridColumnDelegate : public QStyledItemDelegate {
public:
    GridColumnDelegate(Qt::Alignment alignment, QObject* parent);

    void setThousands(bool on) { thousands_ = on; }
    void setLocked(bool on) { locked_ = on; }
    bool locked() const { return locked_; }
    Qt::Alignment alignment() const { return alignment_; }

    QString displayText(const QVariant& value, const QLocale& locale) const override;
    QWidget* createEditor(QWidget* parent, const QStyleOptionViewItem& option,
                          const QModelIndex& index) const override;
    void setModelData(QWidget* editor, QAbstractItemModel* model, const QModelIndex& index) const override;

protected:
    void initStyleOption(QStyleOptionViewItem* option, const QModelIndex& index) const override;

private:
    Qt::Alignment alignment_;
    bool thousands_ = false;
    bool locked_ = false;
};
