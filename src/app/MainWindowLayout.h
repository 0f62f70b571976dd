#pragma once
// The static layout of the main window: every control with its kind, parent, place and size
// (in twips), tab index, text, font size and colours, and the code that builds it.
//
// Kinds of control and the Qt classes behind them:
//   tab control ............ QTabWidget (ui/TabControl), one plain QWidget page per tab
//   panel .................. QFrame, background = its colour (autoFillBackground)
//   button ................. QToolButton (ui/IconButton): caption under a 32 × 32 icon,
//                            Qt::ToolButtonTextUnderIcon; hint buttons carry only the icon
//   text box ............... QLineEdit; the multi-line ones (txt自社情報, txt自社情報領収証)
//                            QPlainTextEdit
//   number box ............. ui/NumberBox (a QLineEdit)
//   date box ............... ui/DateBox (a QFrame holding a QLineEdit and the calendar button)
//   combo box .............. QComboBox with ui/ReadOnlyComboFilter
//   check box .............. QCheckBox          option button ...... QRadioButton
//   label .................. QLabel             line ............... ui/LineWidget
//   image .................. ui/PictureBox (its picture stretched over the box)
//   grid ................... QTableView (Grid顧客, Gridコード表)
//   drop-down list ......... QListView (DD但書), hidden
//   data control ........... QSqlTableModel (dat顧客, dat但書, datコードマスタ), a child QObject
//                            of the window created by FormInit; not a widget
// `build` hands each controller its controls as typed pointers (Panels); the object names stay
// the controls' names, for the tests and the hint keys.
#include "codes/CategoryTaxDefault.h"
#include "codes/CodeEditor.h"
#include "customers/CustomerList.h"
#include "printing/PrintOptions.h"
#include "printing/ReceiptForm.h"
#include "settings/SettingsBlock.h"

#include <QList>
#include <QString>

class QLabel;
class QListView;
class QSqlTableModel;
class QTabWidget;
class QPushButton;
class QToolButton;
class QWidget;

namespace MainWindowLayout {

enum class Kind {
    Panel, Button, HintButton, TextBox, TextArea, NumberBox, DateBox, Combo, Check, Option, Label, Line, Image,
    Grid, DropDown
};

inline constexpr quint32 NoColour = 0xFFFFFFFFu;

struct Control {
    const char* name;
    Kind kind;
    const char* parent; // "SSTab1:0" / "SSTab1:1" for the tab pages
    double left, top, width, height; // twips; a line runs from (left, top) across `width`
    int tab;                         // tab index; -1 when the control takes no focus
    const char* text = "";
    double points = 12;
    quint32 fore = NoColour; // &HBBGGRR
    quint32 back = NoColour;
    const char* picture = ""; // artwork under :/app/art/
    const char* help = "";    // tooltip
};

inline constexpr double ClientWidth = 10635;
inline constexpr double ClientHeight = 8415;
inline constexpr double TabRowHeight = 360; // pages begin under the tab row

// The window's controls by the part of the program that serves them. The data controls (the
// models) are filled in when the databases are open (MainWindowInit::apply).
struct Panels {
    QTabWidget* tabs = nullptr; // SSTab1
    ReceiptForm::Panel receipt;
    CustomerList::Panel customers;
    PrintOptions::Panel printOptions;
    SettingsBlock::Panel settings;
    CodeEditor::Panel codes;
    CategoryTaxDefault::Panel categoryTax;
    QListView* provisoDropDown = nullptr; // DD但書
    QSqlTableModel* provisos = nullptr;    // dat但書
    QLabel* info = nullptr;                // lblInfo
    QLabel* support = nullptr;             // lblSupport
    struct ReceiptButtons {
        QToolButton* close;      // cmd閉じる
        QToolButton* load;       // cmd徴収読込
        QToolButton* save;       // cmd登録
        QToolButton* print;      // cmd徴収印刷
        QToolButton* clear;      // cmdクリア
        QToolButton* selectAll;  // cmd全選択
        QToolButton* clearMarks; // cmd全解除
        QToolButton* hint;       // cmdHint
        QToolButton* runPrint;   // cmd印刷実行
        QToolButton* closePrint; // cmd印刷設定閉じる
    } receiptButtons{};
    struct SettingsButtons {
        QToolButton* load;  // cmd設定読込
        QToolButton* save;  // cmd設定登録
        QToolButton* clear; // cmd設定クリア
        QToolButton* hint;  // cmdHint2
        QToolButton* wipe;  // cmd一括削除7
    } settingsButtons{};
    QPushButton* serverChoice = nullptr; // cmd接続先: where the main data lives
};

// Creates the tab control and every control of both pages inside `window`, with the tab order.
Panels build(QWidget* window);

} // namespace MainWindowLayout
