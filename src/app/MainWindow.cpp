#include "app/MainWindow.h"

#include "app/AppArt.h"
#include "app/MainWindowInit.h"
#include "app/MainWindowLayout.h"
#include "codes/CategoryLists.h"
#include "codes/CodeEditor.h"
#include "customers/CustomerCsv.h"
#include "customers/CustomerList.h"
#include "domain/EraDateFormat.h"
#include "hints/HintWindow.h"
#include "messages/ShowMsg.h"
#include "preview/ReportPreview.h"
#include "receipt/AbandonedOutputs.h"
#include "printing/PrintOptions.h"
#include "printing/PrintRuns.h"
#include "printing/ReceiptForm.h"
#include "register/RegisterWindow.h"
#include "codes/CategoryTaxDefault.h"
#include "settings/DataReset.h"
#include "settings/ServerDialog.h"
#include "settings/SettingsBlock.h"
#include "store/Connections.h"
#include "store/CustomerWorkTable.h"
#include "store/DataPaths.h"
#include "store/DeliveredHints.h"
#include "store/ServerSetting.h"
#include "ui/DateBox.h"
#include "ui/LeavingFocus.h"

#include <QPushButton>
#include <QTabWidget>
#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QFocusEvent>
#include <QScreen>
#include <QToolButton>

Frm領収証::Frm領収証(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Frm領収証"));
    setWindowTitle(QStringLiteral("領収証印刷"));
    setWindowIcon(AppArt::icon(QStringLiteral("ledrium"), devicePixelRatioF()));
    resize(709, 561); // client area 10635 × 8415 twips at 15 twips a pixel
    panels_ = MainWindowLayout::build(this);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    receiptForm_ = std::make_unique<ReceiptForm>(panels_.receipt);
    const auto& receipt = panels_.receiptButtons;
    connectButton(receipt.close, &Frm領収証::cmd閉じる_Click);
    connectButton(receipt.clear, &Frm領収証::Clear領収証);
    connectButton(receipt.save, &Frm領収証::Entry顧客リスト);
    connectButton(receipt.load, &Frm領収証::cmb顧客区分_LostFocus);
    connectButton(receipt.print, &Frm領収証::cmd徴収印刷_Click);
    connectButton(receipt.closePrint, &Frm領収証::cmd印刷設定閉じる_Click);
    connectButton(receipt.runPrint, &Frm領収証::cmd印刷実行_Click);
    connectButton(receipt.hint, &Frm領収証::cmdHint_Click);
    connect(receipt.selectAll, &QToolButton::clicked, this, [this] { Set全選択(true); });
    connect(receipt.clearMarks, &QToolButton::clicked, this, [this] { Set全選択(false); });
    panels_.customers.category->installEventFilter(this);
    const auto& settings = panels_.settingsButtons;
    connectButton(settings.save, &Frm領収証::cmd設定登録_Click);
    connectButton(settings.clear, &Frm領収証::cmd設定クリア_Click);
    connectButton(settings.load, &Frm領収証::cmd設定読込_Click);
    connectButton(settings.wipe, &Frm領収証::cmd一括削除7_Click);
    connectButton(settings.hint, &Frm領収証::cmdHint2_Click);
    connectButton(panels_.serverChoice, &Frm領収証::chooseServer);
    // Another computer may have printed meanwhile: the receipt tab shows the number the store
    // gives now whenever it comes into view.
    connect(panels_.tabs, &QTabWidget::currentChanged, this, [this](int page) {
        if (page == 0 && Connections::mainDb().isOpen())
            receiptForm_->showNextNumber();
    });
    SettingsBlock::setUpNumberBox(panels_.settings);
    SettingsBlock::setUpTaxLists(panels_.settings);
    CodeEditor::attach(panels_.codes.kind, [this] { Readコードマスタ(); });
    // 発行記録 in one step from the receipt tab without a control of its own on the page:
    // Ctrl+R anywhere on the page, or the page's context menu.
    QWidget* receiptPage = panels_.tabs->widget(0);
    auto* registerAction = new QAction(QStringLiteral("発行記録を開く"), receiptPage);
    registerAction->setObjectName(QStringLiteral("act発行記録"));
    registerAction->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_R));
    registerAction->setShortcutContext(Qt::WidgetWithChildrenShortcut);
    connect(registerAction, &QAction::triggered, this, [this] { openRegister(); });
    receiptPage->addAction(registerAction);
    receiptPage->setContextMenuPolicy(Qt::ActionsContextMenu);
}

Frm領収証::~Frm領収証() = default;

void Frm領収証::connectButton(QAbstractButton* button, void (Frm領収証::*handler)())
{
    connect(button, &QAbstractButton::clicked, this, handler);
}

bool Frm領収証::eventFilter(QObject* watched, QEvent* event)
{
    // Leaving the category box loads its list; opening its own drop-down or switching to
    // another window is not leaving it.
    if (event->type() == QEvent::FocusOut && watched == panels_.customers.category &&
        leavesControl(static_cast<QFocusEvent*>(event)))
        cmb顧客区分_LostFocus();
    return QWidget::eventFilter(watched, event);
}

bool Frm領収証::Form_Load(const QString& dataFolder, WholeFileCheck check)
{
    const DataPaths paths = DataPaths::forFolder(dataFolder);
    QString settingError;
    std::optional<ServerAddress> server = ServerSetting::load(&settingError);
    if (!settingError.isEmpty() && !chooseServerAfter(settingError, &server))
        return false;
    // A server that cannot be reached: nothing is written here, and the user may choose again.
    for (;;) {
        const OpenOutcome opened = Connections::open(paths, server ? server->asMainData() : MainServer{}, check);
        if (opened.ok)
            break;
        if (!server) {
            ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"),
                    QStringLiteral("データベースを開けないため、起動できません。\nファイル：%1\n理由：%2")
                        .arg(opened.file, opened.reason));
            return false;
        }
        if (!chooseServerAfter(QStringLiteral("サーバーのデータを開けないため、起動できません。\n接続先：%1\n理由：%2")
                                   .arg(opened.file, opened.reason),
                               &server))
            return false;
    }
    onServer_ = server.has_value();
    // Initialising a shared store would wipe every computer's data.
    panels_.settingsButtons.wipe->setEnabled(!onServer_);
    if (onServer_)
        panels_.settingsButtons.wipe->setToolTip(QStringLiteral("サーバーのデータは、ほかのパソコンと共用のため初期化できません。"));
    // Every screen starts from its work table. One that cannot be written (a full disk) stops
    // the start here with one message saying so, before each screen reports it as a failed save.
    if (const StoreResult prepared = CustomerWorkTable::rebuild(); !prepared) {
        Connections::close();
        ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"),
                QStringLiteral("作業用の一覧を準備できないため、起動できません。登録済みのデータは変更されていません。\n"
                               "ファイル：%1\n理由：%2")
                    .arg(paths.WorkDbPath, prepared.error));
        return false;
    }
    // A run killed during its output left its numbers pending: they are voided, and said so.
    if (const QString abandoned = AbandonedOutputs::settle(Connections::mainDb()); !abandoned.isEmpty())
        ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"), abandoned);
    setWindowTitle(Caption);
    // Hints still as an earlier version delivered them get today's texts; edited ones stay.
    // A failure leaves the old texts, which is all the user would see of it.
    DeliveredHints::refresh();
    Clear設定();
    Read設定();
    FormInit();
    Clear領収証();
    Readコードマスタ();
    MainWindowInit::refreshDataControls(panels_); // the grids show the rebuilt work tables
    return true;
}

void Frm領収証::cmd閉じる_Click()
{
    if (HintWindow* hint = hints_.window())
        hint->close();
    close();
    QCoreApplication::quit();
}

void Frm領収証::changeEvent(QEvent* event)
{
    if (event->type() == QEvent::ActivationChange && isActiveWindow() && onServer_ &&
        panels_.tabs->currentIndex() == 0)
        receiptForm_->showNextNumber();
    QWidget::changeEvent(event);
}

void Frm領収証::closeEvent(QCloseEvent* event)
{
    if (HintWindow* hint = hints_.window())
        hint->close();
    event->accept();
}

// Empties the settings block and reloads the code list for the first category. Reading a list
// starts from blank rows itself. At start-up the category list is not filled yet and the load's
// last step reads the codes, so the code list is left to that step (each rebuild is a disk write).
void Frm領収証::Clear設定()
{
    SettingsBlock::clearFields(panels_.settings);
    QComboBox* codeKind = panels_.codes.kind;
    if (codeKind->count() == 0)
        return;
    codeKind->setCurrentIndex(0);
    Readコードマスタ();
}

void Frm領収証::Read設定() { SettingsBlock::read(panels_.settings, settings_); }

void Frm領収証::FormInit()
{
    MainWindowInit::apply(this, panels_, settings_.SettingEra);
    CodeEditor::followGrid(panels_.codes);
    CategoryTaxDefault::attach(panels_.categoryTax);
    customers_ = std::make_unique<CustomerList>(panels_.customers);
    customers_->attach();
    customerCsv_ = std::make_unique<CustomerCsv>(customers_.get(), panels_.customers.category);
    customerCsv_->attach();
    printRuns_ = std::make_unique<PrintRuns>(PrintRuns::Sources{
        panels_.receipt, panels_.settings, customers_.get(), this, [this] { showCounter(); },
        [this](ReportPreview& preview) {
            preview.addTool(QStringLiteral("cmd発行記録"), QStringLiteral("発行記録"),
                            QStringLiteral("発行した領収証の記録を開きます（Ctrl+R）"), [this] { openRegister(); });
        }});
    printOptions_ = std::make_unique<PrintOptions>(panels_.printOptions, printRuns_.get());
    connect(panels_.printOptions.calibration, &QAbstractButton::clicked, this,
            [this] { printOptions_->cmd印刷位置_Click(); });
}

void Frm領収証::showCounter()
{
    receiptForm_->showNextNumber();
    SettingsBlock::followCounter(panels_.settings);
    if (register_ && register_->isVisible())
        register_->open();
}

RegisterWindow* Frm領収証::openRegister()
{
    if (!register_)
        register_ = new RegisterWindow(this);
    register_->open();
    return register_;
}

void Frm領収証::Clear領収証()
{
    Clear領収リスト();
    Clear領収フォーム();
    SetComb領収証();
}

void Frm領収証::Clear領収リスト()
{
    if (customers_)
        customers_->Clear領収リスト();
}

void Frm領収証::Clear領収フォーム() { receiptForm_->Clear領収フォーム(settings_); }

void Frm領収証::Read顧客リスト()
{
    if (customers_)
        customers_->Read顧客リスト();
}

void Frm領収証::Entry顧客リスト()
{
    if (customers_)
        customers_->Entry顧客リスト();
}

void Frm領収証::Set全選択(bool flag)
{
    if (customers_)
        customers_->Set全選択(flag);
}

void Frm領収証::cmb顧客区分_LostFocus()
{
    if (customers_ && !customers_->mayLoseTypedAmounts())
        return;
    Read顧客リスト();
    Set全選択(true);
}

void Frm領収証::cmd徴収印刷_Click()
{
    if (printOptions_)
        printOptions_->cmd徴収印刷_Click();
}

void Frm領収証::cmd印刷設定閉じる_Click()
{
    if (printOptions_)
        printOptions_->cmd印刷設定閉じる_Click();
}

void Frm領収証::cmd印刷実行_Click()
{
    if (printOptions_)
        printOptions_->cmd印刷実行_Click();
}

void Frm領収証::cmdHint_Click() { hints_.open(QStringLiteral("cmdHint")); }
void Frm領収証::cmdHint2_Click() { hints_.open(QStringLiteral("cmdHint2")); }

void Frm領収証::SetComb領収証() { CategoryLists::fill(categoryPanel()); }

void Frm領収証::Clearコード明細() { CodeEditor::clearDetail(panels_.codes); }

void Frm領収証::Readコードマスタ() { CodeEditor::read(panels_.codes); }

void Frm領収証::Entryコードマスタ() { CodeEditor::entry(panels_.codes); }

// After a Yes: the settings, then the code list; a part that could not be saved stops the rest.
void Frm領収証::cmd設定登録_Click()
{
    if (!ShowMsg(QStringLiteral("登録"), QStringLiteral("確認"), QStringLiteral("設定")))
        return;
    if (!CodeEditor::commitPendingEdit(panels_.codes) || !SettingsBlock::entry(panels_.settings))
        return;
    receiptForm_->showNextNumber(); // the receipt tab shows the number the next receipt will carry
    Entryコードマスタ();
    // The receipt date keeps the calendar it was given at start-up; a changed era would
    // otherwise only show itself on paper.
    const bool eraChosen = EraDateFormat::isEraSetting(panels_.settings.era->currentText());
    if (eraChosen != panels_.receipt.date->eraFormat())
        ShowMsg(QStringLiteral("登録"), QStringLiteral("年号変更"), QStringLiteral("設定"));
}

void Frm領収証::cmd設定クリア_Click() { Clear設定(); }

void Frm領収証::cmd設定読込_Click()
{
    Read設定();
    Readコードマスタ();
}

// After a completed initialisation every screen shows the wiped data as a fresh start does, so
// that nothing left on them can write it back.
bool Frm領収証::chooseServerAfter(const QString& problem, std::optional<ServerAddress>* server)
{
    if (!ShowMsg(QStringLiteral("その他"), QStringLiteral("確認"), problem + QStringLiteral("\n\n接続先を選び直します")))
        return false;
    ServerDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return false;
    *server = dialog.chosen();
    return true;
}

void Frm領収証::chooseServer()
{
    ServerDialog dialog(this);
    if (dialog.exec() != QDialog::Accepted)
        return;
    const QString where = dialog.chosen() ? QStringLiteral("サーバー（%1）").arg(dialog.chosen()->describe())
                                          : QStringLiteral("このパソコンのデータ");
    ShowMsg(QStringLiteral("その他"), QStringLiteral("メッセージ"),
            QStringLiteral("接続先を%1にしました。次にプログラムを起動したときから使います。").arg(where));
}

void Frm領収証::Data初期化()
{
    if (onServer_)
        return;
    if (!DataReset::run())
        return;
    settings_ = {}; // the receipt form takes the company texts from the copies
    Clear設定();
    Read設定();
    const bool era = EraDateFormat::isEraSetting(settings_.SettingEra);
    panels_.settings.era->setCurrentIndex(panels_.settings.era->findText(settings_.SettingEra));
    panels_.receipt.date->setEraFormat(era);
    Clear領収証();
    Readコードマスタ();
}

void Frm領収証::cmd一括削除7_Click() { Data初期化(); }
