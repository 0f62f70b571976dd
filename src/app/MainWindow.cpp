#include "app/MainWindow.h"

#include "app/AppArt.h"
#include "app/MainWindowInit.h"
#include "customers/CustomerList.h"
#include "hints/HintLauncher.h"
#include "printing/PrintOptions.h"
#include "printing/PrintRuns.h"
#include "printing/ReceiptForm.h"
#include "app/MainWindowLayout.h"
#include "messages/ShowMsg.h"
#include "settings/SettingCopies.h"
#include "settings/DataReset.h"
#include "settings/SettingsBlock.h"
#include "codes/CategoryLists.h"
#include "codes/CodeEditor.h"
#include "ui/DateBox.h"
#include "ui/EraDateFormat.h"
#include "ui/LeavingFocus.h"
#include "store/Connections.h"
#include "store/CustomerWorkTable.h"
#include "store/DataPaths.h"
#include "store/DeliveredHints.h"

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
    MainWindowLayout::build(this);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    receiptForm_ = std::make_unique<ReceiptForm>(this);
    receiptForm_->attach();
    connectButton("cmd閉じる", &Frm領収証::cmd閉じる_Click);
    connectButton("cmdクリア", &Frm領収証::Clear領収証);
    connectButton("cmd登録", &Frm領収証::Entry顧客リスト);
    connectButton("cmd徴収読込", &Frm領収証::cmb顧客区分_LostFocus);
    connectButton("cmd徴収印刷", &Frm領収証::cmd徴収印刷_Click);
    connectButton("cmd印刷設定閉じる", &Frm領収証::cmd印刷設定閉じる_Click);
    connectButton("cmd印刷実行", &Frm領収証::cmd印刷実行_Click);
    connectButton("cmdHint", &Frm領収証::cmdHint_Click);
    connectButton("cmdHint2", &Frm領収証::cmdHint2_Click);
    if (auto* all = control<QToolButton>(QStringLiteral("cmd全選択")))
        connect(all, &QToolButton::clicked, this, [this] { Set全選択(true); });
    if (auto* none = control<QToolButton>(QStringLiteral("cmd全解除")))
        connect(none, &QToolButton::clicked, this, [this] { Set全選択(false); });
    if (auto* category = control<QComboBox>(QStringLiteral("cmb顧客区分")))
        category->installEventFilter(this);
    connect(control<QToolButton>(QStringLiteral("cmd設定登録")), &QToolButton::clicked, this,
            &Frm領収証::cmd設定登録_Click);
    connect(control<QToolButton>(QStringLiteral("cmd設定クリア")), &QToolButton::clicked, this,
            &Frm領収証::cmd設定クリア_Click);
    connect(control<QToolButton>(QStringLiteral("cmd設定読込")), &QToolButton::clicked, this,
            &Frm領収証::cmd設定読込_Click);
    connect(control<QToolButton>(QStringLiteral("cmd一括削除7")), &QToolButton::clicked, this,
            &Frm領収証::cmd一括削除7_Click);
    SettingsBlock::setUpNumberBox(this);
    SettingsBlock::followCounter(this);
    CodeEditor::attach(this);
}

Frm領収証::~Frm領収証() = default;

void Frm領収証::connectButton(const char* name, void (Frm領収証::*handler)())
{
    if (auto* button = control<QToolButton>(QString::fromUtf8(name)))
        connect(button, &QToolButton::clicked, this, handler);
}

bool Frm領収証::eventFilter(QObject* watched, QEvent* event)
{
    // Leaving the category box loads its list; opening its own drop-down or switching to
    // another window is not leaving it.
    if (event->type() == QEvent::FocusOut && watched->objectName() == QStringLiteral("cmb顧客区分") &&
        leavesControl(static_cast<QFocusEvent*>(event)))
        cmb顧客区分_LostFocus();
    return QWidget::eventFilter(watched, event);
}

bool Frm領収証::Form_Load(const QString& dataFolder)
{
    DataPaths::current() = DataPaths::forFolder(dataFolder);
    const OpenOutcome opened = Connections::open(DataPaths::current());
    if (!opened.ok) {
        ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"),
                QStringLiteral("データベースを開けないため、起動できません。\nファイル：%1\n理由：%2")
                    .arg(opened.file, opened.reason));
        return false;
    }
    // Every screen starts from its work table. One that cannot be written (a full disk) stops
    // the start here with one message saying so, before each screen reports it as a failed save.
    if (const StoreResult prepared = CustomerWorkTable::rebuild(); !prepared) {
        Connections::close();
        ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"),
                QStringLiteral("作業用の一覧を準備できないため、起動できません。登録済みのデータは変更されていません。\n"
                               "ファイル：%1\n理由：%2")
                    .arg(DataPaths::current().WorkDbPath, prepared.error));
        return false;
    }
    setWindowTitle(Caption);
    // Hints still as an earlier version delivered them get today's texts; edited ones stay.
    // A failure leaves the old texts, which is all the user would see of it.
    DeliveredHints::refresh();
    Clear設定();
    Read設定();
    FormInit();
    Clear領収証();
    Readコードマスタ();
    MainWindowInit::refreshDataControls(this); // the grids show the rebuilt work tables
    return true;
}

void Frm領収証::cmd閉じる_Click()
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window->objectName() == QLatin1String("Hint"))
            window->close();
    close();
    QCoreApplication::quit();
}

void Frm領収証::closeEvent(QCloseEvent* event)
{
    for (QWidget* window : QApplication::topLevelWidgets())
        if (window != this && window->objectName() == QLatin1String("Hint"))
            window->close();
    event->accept();
}

// Empties the settings block and reloads the code list for the first category. Reading a list
// starts from blank rows itself. At start-up the category list is not filled yet and the load's
// last step reads the codes, so the code list is left to that step (each rebuild is a disk write).
void Frm領収証::Clear設定()
{
    SettingsBlock::clearFields(this);
    auto* codeKind = control<QComboBox>(QStringLiteral("cmbコード区分"));
    if (!codeKind || codeKind->count() == 0)
        return;
    codeKind->setCurrentIndex(0);
    Readコードマスタ();
}

void Frm領収証::Read設定() { SettingsBlock::read(this); }
void Frm領収証::FormInit()
{
    MainWindowInit::apply(this, SettingCopies::current().SettingEra);
    CodeEditor::followGrid(this);
    customers_ = std::make_unique<CustomerList>(this);
    customers_->attach();
    printRuns_ = std::make_unique<PrintRuns>(this, customers_.get());
    printOptions_ = std::make_unique<PrintOptions>(this, printRuns_.get());
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

void Frm領収証::Clear領収フォーム() { receiptForm_->Clear領収フォーム(); }

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

void Frm領収証::cmdHint_Click() { openHint(this, QStringLiteral("cmdHint")); }
void Frm領収証::cmdHint2_Click() { openHint(this, QStringLiteral("cmdHint2")); }

void Frm領収証::SetComb領収証() { CategoryLists::fill(this); }

void Frm領収証::Clearコード明細() { CodeEditor::clearDetail(this); }

void Frm領収証::Readコードマスタ() { CodeEditor::read(this); }

void Frm領収証::Entryコードマスタ() { CodeEditor::entry(this); }

// After a Yes: the settings, then the code list; a part that could not be saved stops the rest.
void Frm領収証::cmd設定登録_Click()
{
    if (!ShowMsg(QStringLiteral("登録"), QStringLiteral("確認"), QStringLiteral("設定")))
        return;
    if (!CodeEditor::commitPendingEdit(this) || !SettingsBlock::entry(this))
        return;
    Entryコードマスタ();
}

void Frm領収証::cmd設定クリア_Click() { Clear設定(); }

void Frm領収証::cmd設定読込_Click()
{
    Read設定();
    Readコードマスタ();
}

// After a completed initialisation every screen shows the wiped data as a fresh start does, so
// that nothing left on them can write it back.
void Frm領収証::Data初期化()
{
    if (!DataReset::run())
        return;
    SettingCopies::current() = {}; // the receipt form takes the company texts from the copies
    Clear設定();
    Read設定();
    const bool era = EraDateFormat::isEraSetting(SettingCopies::current().SettingEra);
    if (auto* eraList = control<QComboBox>(QStringLiteral("cmb年号")))
        eraList->setCurrentIndex(eraList->findText(SettingCopies::current().SettingEra));
    if (auto* date = control<DateBox>(QStringLiteral("Dt領収日付")))
        date->setEraFormat(era);
    Clear領収証();
    Readコードマスタ();
}

void Frm領収証::cmd一括削除7_Click() { Data初期化(); }
