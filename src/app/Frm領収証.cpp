#include "app/Frm領収証.h"

#include "app/MainWindowInit.h"
#include "app/MainWindowLayout.h"
#include "messages/ShowMsg.h"
#include "settings/SettingCopies.h"
#include "settings/DataReset.h"
#include "settings/SettingsBlock.h"
#include "codes/CategoryLists.h"
#include "codes/CodeEditor.h"
#include "ui/NumberBox.h"
#include "store/Connections.h"
#include "store/DataPaths.h"

#include <QApplication>
#include <QCloseEvent>
#include <QComboBox>
#include <QScreen>
#include <QToolButton>

Frm領収証::Frm領収証(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Frm領収証"));
    setWindowTitle(QStringLiteral("領収証印刷"));
    setWindowIcon(QIcon(MainWindowLayout::art(QStringLiteral("ledrium"))));
    resize(709, 561); // client area 10635 × 8415 twips at 15 twips a pixel
    MainWindowLayout::build(this);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        move(screen->availableGeometry().center() - rect().center());
    connect(control<QToolButton>(QStringLiteral("cmd閉じる")), &QToolButton::clicked, this, &Frm領収証::cmd閉じる_Click);
    connect(control<QToolButton>(QStringLiteral("cmd設定登録")), &QToolButton::clicked, this,
            &Frm領収証::cmd設定登録_Click);
    connect(control<QToolButton>(QStringLiteral("cmd設定クリア")), &QToolButton::clicked, this,
            &Frm領収証::cmd設定クリア_Click);
    connect(control<QToolButton>(QStringLiteral("cmd設定読込")), &QToolButton::clicked, this,
            &Frm領収証::cmd設定読込_Click);
    connect(control<QToolButton>(QStringLiteral("cmd一括削除7")), &QToolButton::clicked, this,
            &Frm領収証::cmd一括削除7_Click);
    control<NumberBox>(QStringLiteral("num領収証番号"))->setRange(0, 99999999);
    SettingsBlock::followCounter(this);
    CodeEditor::attach(this);
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
    setWindowTitle(Caption);
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

// Saves the settings block once the code grid's pending edit is in the work table, so that the
// code list saved right after it includes that edit.
void Frm領収証::Entry設定()
{
    if (CodeEditor::commitPendingEdit(this))
        SettingsBlock::entry(this);
}

void Frm領収証::FormInit()
{
    MainWindowInit::apply(this, SettingCopies::current().SettingEra);
    CodeEditor::followGrid(this);
}

void Frm領収証::Clear領収証() { SetComb領収証(); }

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

void Frm領収証::Data初期化() { DataReset::run(); }

void Frm領収証::cmd一括削除7_Click() { Data初期化(); }
