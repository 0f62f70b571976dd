#pragma once
#include "settings/SettingCopies.h"

class DateBox;
class QLabel;
class QLineEdit;
class QPlainTextEdit;

// The single-receipt form of the receipt tab: title, date, name, amount, proviso, company
// texts and the next receipt number.
class ReceiptForm {
public:
    struct Panel {
        QLineEdit* title = nullptr;        // txt領収証タイトル
        QLabel* name = nullptr;            // Lbl領収証氏名
        DateBox* date = nullptr;           // Dt領収日付
        QLineEdit* amount = nullptr;       // txt領収額
        QLabel* number = nullptr;          // Lbl領収証番号
        QLineEdit* proviso = nullptr;      // txt領収証但書
        QLineEdit* companyName = nullptr;  // txt自社名領収証
        QPlainTextEdit* companyInfo = nullptr; // txt自社情報領収証
    };

    explicit ReceiptForm(const Panel& panel) : panel_(panel) {}
    // Empties the form; the company texts come from the settings as last read.
    void Clear領収フォーム(const SettingCopies& settings);
    // Shows the stored counter's next number; call again whenever a run was output.
    void showNextNumber();

private:
    Panel panel_;
};
