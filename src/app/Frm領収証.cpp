#include "app/Frm領収証.h"

#include "app/MainWindowInit.h"
#include "app/MainWindowLayout.h"
#include "messages/ShowMsg.h"
#include "settings/SettingCopies.h"
#include "settings/SettingsBlock.h"
#include "store/Connections.h"
#include "store/DataPaths.h"

#include <QApplication>
#include <QCloseEvent>
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

void Frm領収証::Clear設定() {}
void Frm領収証::Read設定() { SettingsBlock::read(this); }
void Frm領収証::FormInit() { MainWindowInit::apply(this, SettingCopies::current().SettingEra); }
void Frm領収証::Clear領収証() {}
void Frm領収証::Readコードマスタ() {}
