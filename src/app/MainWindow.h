#pragma once
#include "app/MainWindowLayout.h"
#include "app/Version.h"
#include "codes/CategoryLists.h"
#include "hints/HintLauncher.h"
#include "settings/SettingCopies.h"
#include "store/Connections.h"
#include "store/ServerAddress.h"

#include <QPointer>
#include <QString>
#include <QWidget>

#include <memory>
#include <optional>

class CustomerCsv;
class CustomerList;
class QAbstractButton;
class HintWindow;
class PrintOptions;
class PrintRuns;
class ReceiptForm;
class RegisterWindow;

// The main window. Its handlers keep the names of the controls they serve.
class Frm領収証 : public QWidget {
public:
    static inline const QString Caption = VersionCaption;

    explicit Frm領収証(QWidget* parent = nullptr);
    ~Frm領収証() override;

    // Opens the two databases in `dataFolder` and runs the start-up steps. On a database that
    // cannot be opened it tells the user which file and why, and returns false. `check`:
    // Always after a run that ended without closing.
    bool Form_Load(const QString& dataFolder, WholeFileCheck check = WholeFileCheck::WhenDue);

    void cmd閉じる_Click();

    // Receipt tab.
    void Clear領収証();
    void Clear領収リスト();
    void Clear領収フォーム();
    void Read顧客リスト();
    void Entry顧客リスト();
    void Set全選択(bool flag);
    void cmb顧客区分_LostFocus();
    void cmd徴収印刷_Click();
    void cmd印刷設定閉じる_Click();
    void cmd印刷実行_Click();
    void cmdHint_Click();
    void cmdHint2_Click();

    // Start-up steps, in the order Form_Load calls them.
    void Clear設定();
    void Read設定();
    void FormInit();
    void Readコードマスタ();

    // Settings page.
    void cmd設定登録_Click();
    void cmd設定クリア_Click();
    void cmd設定読込_Click();
    void Clearコード明細();
    void Entryコードマスタ();
    void Data初期化();
    void cmd一括削除7_Click();
    // データの接続先: this computer's files or a server, from the next start on.
    void chooseServer();

    // Receipt page: the category and proviso lists from the code master.
    void SetComb領収証();

    CustomerList* customerList() const { return customers_.get(); }
    CustomerCsv* customerCsv() const { return customerCsv_.get(); }
    PrintRuns* printRuns() const { return printRuns_.get(); }
    HintWindow* hintWindow() const { return hints_.window(); }
    // 発行記録, made on first use; from the receipt tab (Ctrl+R, context menu) and each preview.
    RegisterWindow* openRegister();
    // The stored settings as last read, which the receipt form takes its company texts from.
    const SettingCopies& settingCopies() const { return settings_; }

protected:
    void closeEvent(QCloseEvent* event) override;
    // Coming back to the window on a shared server: the next number may have moved on.
    void changeEvent(QEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    void connectButton(QAbstractButton* button, void (Frm領収証::*handler)());
    CategoryLists::Panel categoryPanel() const { return {panels_.customers.category, panels_.provisos}; }
    // After a preview printed or saved its run: the counter has moved on.
    void showCounter();
    // Tells why the data could not be opened and offers the connection dialog; false when the
    // user gives up (the start ends), else `server` holds the new choice.
    bool chooseServerAfter(const QString& problem, std::optional<ServerAddress>* server);

    MainWindowLayout::Panels panels_;
    SettingCopies settings_;
    HintLauncher hints_{this};
    std::unique_ptr<CustomerList> customers_;
    std::unique_ptr<CustomerCsv> customerCsv_;
    std::unique_ptr<ReceiptForm> receiptForm_;
    std::unique_ptr<PrintRuns> printRuns_;
    std::unique_ptr<PrintOptions> printOptions_;
    QPointer<RegisterWindow> register_;
    bool onServer_ = false; // the main data is on a server shared with other computers
};
