#pragma once
// The static layout of the main window: every control with its kind, parent, place and size
// (in twips), tab index, text, font size and colours, and the code that builds it.
//
// Kinds of control and the Qt classes behind them (find them with findChild<Class*>(name)):
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
#include <QList>
#include <QString>

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

// Creates the tab control and every control of both pages inside `window`, with the tab order.
void build(QWidget* window);

} // namespace MainWindowLayout
