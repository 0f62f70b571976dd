#pragma once

class NumberBox;
class QAbstractButton;
class PrintRuns;
class QCheckBox;
class QComboBox;
class QRadioButton;
class QWidget;

// The print options panel Cn印刷選択 and the print command.
class PrintOptions {
public:
    struct Panel {
        QWidget* frame = nullptr;          // Cn印刷選択
        QComboBox* paper = nullptr;        // cmb用紙
        QRadioButton* listRun = nullptr;   // Optリスト印刷
        QRadioButton* blankRun = nullptr;  // Opt白紙印刷
        NumberBox* copies = nullptr;       // num枚数
        QCheckBox* printDate = nullptr;    // Chk日付印刷
        QCheckBox* printNumber = nullptr;  // Chk番号印刷
        QCheckBox* printAmount = nullptr;  // Chk金額印刷
        QComboBox* taxClass = nullptr;     // cmb税区分: ConsumptionTax::labels()
        QComboBox* category = nullptr;     // cmb顧客区分: whose default tax class the run takes
        QAbstractButton* calibration = nullptr; // cmd印刷位置: opens 印刷位置の調整
    };

    PrintOptions(const Panel& panel, PrintRuns* runs) : panel_(panel), runs_(runs) {}

    // Shows the panel with its defaults: marked customers, all three switches on, one sheet, the
    // category's default tax class.
    void cmd徴収印刷_Click();
    void cmd印刷設定閉じる_Click();
    // Takes the switches, count, paper type and next receipt number, then starts the chosen run.
    void cmd印刷実行_Click();
    // 印刷位置の調整 for the chosen paper type's layout.
    void cmd印刷位置_Click();

private:
    Panel panel_;
    PrintRuns* runs_;
};
