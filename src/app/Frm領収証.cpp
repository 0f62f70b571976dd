#include "app/Frm領収証.h"

#include "messages/ShowMsg.h"
#include "store/Connections.h"
#include "store/DataPaths.h"

#include <QApplication>
#include <QCloseEvent>

Frm領収証::Frm領収証(QWidget* parent) : QWidget(parent)
{
    setObjectName(QStringLiteral("Frm領収証"));
    setWindowTitle(QStringLiteral("領収証印刷"));
    resize(709, 561); // client area 10635 × 8415 twips at 15 twips a pixel
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
void Frm領収証::Read設定() {}
void Frm領収証::FormInit() {}
void Frm領収証::Clear領収証() {}
void Frm領収証::Readコードマスタ() {}
