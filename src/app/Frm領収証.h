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

    template <class T> T* control(const QString& name) const { return findChild<T*>(name); }

protected:
    void closeEvent(QCloseEvent* event) override;
};
