#include "hints/HintWindow.h"

#include "report/ReportFont.h"
#include "ui/LayoutUnits.h"
#include "messages/ShowMsg.h"
#include "store/HintTable.h"

#include <QCloseEvent>
#include <QFrame>
#include <QIcon>
#include <QLabel>
#include <QPlainTextEdit>
#include <QShortcut>
#include <QToolButton>

namespace {

// Positions and sizes are laid out in twips, as the main window's.
QRect twips(int left, int top, int width, int height) { return LayoutUnits::rect(left, top, width, height); }
using LayoutUnits::px;

QFont windowFont(qreal points)
{
    QFont font(ReportFont::family());
    font.setPointSizeF(points);
    return font;
}

void setBackground(QWidget* widget, const QColor& colour)
{
    QPalette palette = widget->palette();
    palette.setColor(QPalette::Window, colour);
    palette.setColor(QPalette::Button, colour);
    widget->setPalette(palette);
    widget->setAutoFillBackground(true);
}

QFrame* addPanel(QWidget* parent, const char* name, const QRect& box)
{
    auto* panel = new QFrame(parent);
    panel->setObjectName(QString::fromUtf8(name));
    panel->setGeometry(box);
    panel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    panel->setLineWidth(1);
    setBackground(panel, HintWindow::lockedColour());
    return panel;
}

QLabel* addLabel(QWidget* parent, const char* name, const QRect& box, Qt::Alignment alignment)
{
    auto* label = new QLabel(parent);
    label->setObjectName(QString::fromUtf8(name));
    label->setGeometry(box);
    label->setAlignment(alignment | Qt::AlignVCenter);
    label->setFont(windowFont(11.25));
    setBackground(label, HintWindow::lockedColour());
    return label;
}

} // namespace

HintWindow::HintWindow(QWidget* parent)
    : QWidget(parent, Qt::Dialog | Qt::MSWindowsFixedSizeDialogHint | Qt::CustomizeWindowHint |
                          Qt::WindowTitleHint | Qt::WindowCloseButtonHint)
{
    setObjectName(QStringLiteral("Hint"));
    setWindowTitle(Caption);
    setWindowIcon(QIcon(QStringLiteral(":/hints/art/hint.svg")));
    setFixedSize(px(8730), px(6030));
    setBackground(this, lockedColour());
    buildLayout();
    // Esc closes as 閉じる does, asking first when the text has unsaved edits.
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &HintWindow::cmd閉じる_Click);
}

void HintWindow::buildLayout()
{
    ImFrame3D1 = addPanel(this, "ImFrame3D1", twips(0, 0, 8700, 6030));
    ImFrame3D6 = addPanel(ImFrame3D1, "ImFrame3D6", twips(120, 90, 3480, 975));
    ImFrame3D2 = addPanel(ImFrame3D1, "ImFrame3D2", twips(4860, 90, 3720, 975));

    cmd編集 = addButton(ImFrame3D6, "cmd編集", QStringLiteral("編集"), QStringLiteral("edit"), 120, 675);
    cmd登録 = addButton(ImFrame3D6, "cmd登録", QStringLiteral("登録"), QStringLiteral("register"), 780, 675);
    cmd削除 = addButton(ImFrame3D6, "cmd削除", QStringLiteral("削除"), QStringLiteral("delete"), 1440, 675);
    cmdクリア =
        addButton(ImFrame3D6, "cmdクリア", QStringLiteral("クリア"), QStringLiteral("clear"), 2100, 675);
    cmd閉じる =
        addButton(ImFrame3D6, "cmd閉じる", QStringLiteral("閉じる"), QStringLiteral("close"), 2760, 660);
    connect(cmd編集, &QToolButton::clicked, this, &HintWindow::cmd編集_Click);
    connect(cmd登録, &QToolButton::clicked, this, &HintWindow::cmd登録_Click);
    connect(cmd削除, &QToolButton::clicked, this, &HintWindow::cmd削除_Click);
    connect(cmdクリア, &QToolButton::clicked, this, &HintWindow::cmdクリア_Click);
    connect(cmd閉じる, &QToolButton::clicked, this, &HintWindow::cmd閉じる_Click);

    lblFormTitle = addLabel(ImFrame3D2, "lblFormTitle", twips(150, 150, 3435, 255), Qt::AlignHCenter);
    lblFormName = addLabel(ImFrame3D2, "lblFormName", twips(360, 540, 1260, 255), Qt::AlignLeft);
    lblCtlName = addLabel(ImFrame3D2, "lblCtlName", twips(2340, 540, 1155, 270), Qt::AlignLeft);

    txtContents = new QPlainTextEdit(ImFrame3D1);
    txtContents->setObjectName(QStringLiteral("txtContents"));
    txtContents->setGeometry(twips(120, 1155, 8445, 4755));
    txtContents->setFont(windowFont(11.25));
    txtContents->setLineWrapMode(QPlainTextEdit::WidgetWidth);
    txtContents->setPlainText(InitialText);

    // Keyboard order: the text, then the buttons from the right.
    setTabOrder(txtContents, cmd閉じる);
    setTabOrder(cmd閉じる, cmdクリア);
    setTabOrder(cmdクリア, cmd削除);
    setTabOrder(cmd削除, cmd登録);
    setTabOrder(cmd登録, cmd編集);
    setEditing(false);
}

QToolButton* HintWindow::addButton(QWidget* bar, const char* name, const QString& caption, const QString& art,
                                   int left, int width)
{
    auto* button = new QToolButton(bar);
    button->setObjectName(QString::fromUtf8(name));
    button->setGeometry(twips(left, 60, width, 840));
    button->setText(caption);
    button->setIcon(QIcon(QStringLiteral(":/hints/art/%1.svg").arg(art)));
    button->setIconSize(QSize(32, 32));
    button->setToolButtonStyle(Qt::ToolButtonTextUnderIcon);
    button->setFont(windowFont(11.26));
    button->setFocusPolicy(Qt::StrongFocus);
    QPalette palette = button->palette();
    palette.setColor(QPalette::Button, lockedColour());
    palette.setColor(QPalette::ButtonText, QPalette().color(QPalette::ButtonText));
    button->setPalette(palette);
    return button;
}

void HintWindow::Form_Load(const HintHandOver& handOver)
{
    lblFormName->setText(handOver.HintFormName);
    lblFormTitle->setText(handOver.HintFormTitle);
    lblCtlName->setText(handOver.HintCtlName);
    txtContents->setPlainText(InitialText);
    setEditing(false);
    ReadHint();
    unchangedText_ = txtContents->toPlainText();
    loaded_ = true;
    if (!placed_ && parentWidget()) {
        // First showing: centred over the asking window.
        move(parentWidget()->window()->geometry().center() - rect().center());
        placed_ = true;
    }
    bringToFront();
}

void HintWindow::SwitchKey(const HintHandOver& handOver)
{
    const bool sameKey =
        handOver.HintFormName == lblFormName->text() && handOver.HintCtlName == lblCtlName->text();
    const bool keepShown = sameKey || (hasUnsavedEdits() &&
                                       !ShowMsg(QStringLiteral("その他"), QStringLiteral("破棄確認"),
                                                QStringLiteral("登録していない変更は失われます。ヒントを切り替えます")));
    if (keepShown) {
        bringToFront();
        return;
    }
    Form_Load(handOver);
}

bool HintWindow::hasUnsavedEdits() const
{
    return txtContents->toPlainText() != unchangedText_;
}

bool HintWindow::hasKey() const
{
    return !lblFormName->text().isEmpty() && !lblCtlName->text().isEmpty();
}

StoreResult HintWindow::Deleteヒント()
{
    if (!hasKey())
        return StoreResult::failure(QStringLiteral("ヒントの対象が決まっていません。"));
    const StoreResult result = HintTable::remove(lblFormName->text(), lblCtlName->text());
    if (result) {
        txtContents->clear();
        unchangedText_.clear();
    }
    return result;
}

StoreResult HintWindow::EntryHint()
{
    if (!hasKey())
        return StoreResult::failure(QStringLiteral("ヒントの対象が決まっていません。"));
    const QString text = txtContents->toPlainText();
    const StoreResult result =
        HintTable::replace({lblFormName->text(), lblCtlName->text(), lblFormTitle->text(), text});
    if (result)
        unchangedText_ = text;
    return result;
}

void HintWindow::ReadHint()
{
    if (!hasKey())
        return;
    bool ok = false;
    const QList<HintRecord> rows = HintTable::read(lblFormName->text(), lblCtlName->text(), &ok);
    if (!ok || rows.isEmpty())
        return;
    // A Null text shows as an empty box.
    txtContents->setPlainText(rows.first().Contents.isNull() ? QString() : rows.first().Contents.toString());
}

void HintWindow::cmdクリア_Click()
{
    txtContents->clear();
}

void HintWindow::cmd削除_Click()
{
    if (!ShowMsg(QStringLiteral("削除"), QStringLiteral("確認"), QStringLiteral("ヒント")))
        return;
    if (const StoreResult result = Deleteヒント(); !result) {
        ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"),
                QStringLiteral("ヒントを削除できませんでした。データは変更されていません。\n") +
                    result.error);
        return;
    }
    ShowMsg(QStringLiteral("削除"), QStringLiteral("完了"), QStringLiteral("ヒント"));
}

void HintWindow::cmd登録_Click()
{
    if (!ShowMsg(QStringLiteral("登録"), QStringLiteral("確認"), QStringLiteral("ヒント")))
        return;
    if (const StoreResult result = EntryHint(); !result) {
        ShowWriteFailure(QStringLiteral("ヒント"), result.error);
        return;
    }
    ShowMsg(QStringLiteral("登録"), QStringLiteral("完了"), QStringLiteral("ヒント"));
}

void HintWindow::cmd閉じる_Click()
{
    close();
}

void HintWindow::cmd編集_Click()
{
    // The mode is read from the button colour itself.
    setEditing(cmd編集->palette().color(QPalette::Button) == lockedColour());
    txtContents->setFocus();
}

void HintWindow::setEditing(bool editing)
{
    QPalette palette = cmd編集->palette();
    palette.setColor(QPalette::Button, editing ? editingColour() : lockedColour());
    cmd編集->setPalette(palette);
    txtContents->setReadOnly(!editing);
    // Locked still lets the user select, copy and move through the text.
    if (!editing)
        txtContents->setTextInteractionFlags(Qt::TextSelectableByMouse | Qt::TextSelectableByKeyboard);
}

void HintWindow::bringToFront()
{
    show();
    raise();
    activateWindow();
    txtContents->setFocus();
}

void HintWindow::closeEvent(QCloseEvent* event)
{
    // Closing unloads: text and edit mode go, unsaved edits included, without a question.
    loaded_ = false;
    event->accept();
}
