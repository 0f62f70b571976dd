#pragma once
#include <QString>
#include <QVariant>

class QComboBox;
class QLabel;
class QLineEdit;
class QSqlTableModel;
class QTableView;

// The customer list of the receipt tab: the work list w顧客マスタ shown in Grid顧客 through
// dat顧客, its load and save for the category of cmb顧客区分, the marks, and the copy of the
// current row into the receipt form.
class CustomerList {
public:
    // Visible grid columns, left to right.
    enum Column { Col行番号, Colチェック, Col顧客名, Col領収額, Col但書 };

    struct Panel {
        QTableView* grid = nullptr;          // Grid顧客
        QSqlTableModel* model = nullptr;     // dat顧客
        QComboBox* category = nullptr;       // cmb顧客区分
        QLabel* receiptName = nullptr;       // Lbl領収証氏名
        QLineEdit* receiptAmount = nullptr;  // txt領収額
    };

    explicit CustomerList(const Panel& panel);
    // Delegates, keys and row pick on the grid; once, after the window is laid out.
    void attach();

    void Clear領収リスト();
    void Read顧客リスト();
    // Before a load replaces the list: true when no typed amount would be lost, or the user
    // agrees to lose them; otherwise the category box goes back to the list shown.
    bool mayLoseTypedAmounts();
    void Entry顧客リスト();
    void Set全選択(bool flag);
    // Puts `category` into the category box and shows its list as a load does (every customer
    // marked), with `amounts` in its rows from the top.
    void showCategory(const QString& category, const QVariantList& amounts = {});
    // The current row's name and amount into the receipt form.
    void rowCopy();
    // Writes an edit still open in the grid into the work table.
    void commitPendingEdit();

    QTableView* grid() const { return grid_; }
    QSqlTableModel* model() const { return model_; }
    int modelColumn(Column column) const;

private:
    void refresh();
    void putInCategoryBox(const QString& category);
    void load(const QString& category, const QVariantList& amounts);
    void switchIme();

    QTableView* grid_;
    QSqlTableModel* model_;
    QComboBox* category_;
    QLabel* nameLabel_;
    QLineEdit* amountText_;
    // The category of the list in the grid; empty (not Null: it is bound as a value) at first.
    QString shownCategory_ = QStringLiteral("");
};
