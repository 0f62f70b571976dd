#pragma once

class PrintRuns;
class QWidget;

// The print options panel Cn印刷選択 and the print command.
class PrintOptions {
public:
    PrintOptions(QWidget* window, PrintRuns* runs) : window_(window), runs_(runs) {}

    // Shows the panel with its defaults: marked customers, all three switches on, one sheet.
    void cmd徴収印刷_Click();
    void cmd印刷設定閉じる_Click();
    // Takes the switches, count, paper type and next receipt number, then starts the chosen run.
    void cmd印刷実行_Click();

private:
    QWidget* window_;
    PrintRuns* runs_;
};
