#pragma once
#include <QString>
#include <QWidget>

// The main window. Its handlers keep the names of the controls they serve.
class Frm領収証 : public QWidget {
public:
    static inline const QString Caption = QStringLiteral("LEDRIUM Ver 1.16");

    explicit Frm領収証(QWidget* parent = nullptr);

    // Opens the two databases in `dataFolder` and runs the start-up steps. On a database that
    // cannot be opened it tells the user which file and why, and returns false.
    bool Form_Load(const QString& dataFolder);

    void cmd閉じる_Click();

    // Start-up steps, in the order Form_Load calls them.
    void Clear設定();
    void Read設定();
    void FormInit();
    void Clear領収証();
    void Readコードマスタ();

    // Settings page.
    void Entry設定();
    void cmd設定登録_Click();
    void cmd設定クリア_Click();
    void cmd設定読込_Click();
    void Clearコード明細();
    void Entryコードマスタ();
    void Data初期化();
    void cmd一括削除7_Click();

    // Receipt page: the category and proviso lists from the code master.
    void SetComb領収証();

    template <class T> T* control(const QString& name) const { return findChild<T*>(name); }

protected:
    void closeEvent(QCloseEvent* event) override;
};
