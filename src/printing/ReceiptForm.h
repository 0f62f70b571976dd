#pragma once

class QWidget;

// The single-receipt form of the receipt tab: title, date, name, amount, proviso, company
// texts and the next receipt number.
class ReceiptForm {
public:

    explicit ReceiptForm(QWidget* window) : window_(window) {}
    // Keeps the number label current whenever printing raises the stored counter.
    void attach();
    void Clear領収フォーム();
    void showNextNumber();

private:
    QWidget* window_;
};
