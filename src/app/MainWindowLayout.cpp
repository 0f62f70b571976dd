#include "app/MainWindowLayout.h"

#include "app/SealControls.h"
#include "app/TaxControls.h"

#include "app/AppArt.h"
#include "receipt/ReceiptFormat.h"
#include "report/ReportFont.h"
#include "ui/DateBox.h"
#include "ui/GridTabOut.h"
#include "ui/IconButton.h"
#include "ui/LayoutUnits.h"
#include "ui/LineWidget.h"
#include "ui/NumberBox.h"
#include "ui/PictureBox.h"
#include "ui/ReadOnlyComboFilter.h"
#include "ui/RowSelectorHeader.h"
#include "ui/TabControl.h"
#include "ui/TextLimit.h"

#include <QCheckBox>
#include <QComboBox>
#include <QHash>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>

#include <algorithm>
#include <climits>

namespace MainWindowLayout {

namespace {
using K = Kind;
constexpr quint32 White = 0xFFFFFF;
constexpr quint32 Ink = 0x404000;    // dark teal text of the receipt page
constexpr quint32 Caption = 0x4A5F32; // green-grey captions of the settings page
constexpr quint32 Black = 0x000000;
constexpr quint32 N = NoColour;

const QList<Control> table = {
    // Page "領収証"
    {"imContainer3D1", K::Panel, "SSTab1:0", 0, 360, 10575, 7995, 1, "", 12, N, White},
    {"imContainer3D2", K::Panel, "imContainer3D1", 240, 180, 9075, 2500, 19, "", 12, N, White},
    {"txt領収証タイトル", K::TextBox, "imContainer3D2", 3900, 60, 2115, 375, 25, "", 18},
    {"Image3", K::Image, "imContainer3D2", 7740, 70, 1200, 1215, -1, "", 12, N, N, "corner-upper-right"},
    {"Lbl領収証氏名", K::Label, "imContainer3D2", 600, 300, 2235, 255, 26, "氏名", 12, Ink},
    {"Label3", K::Label, "imContainer3D2", 3300, 300, 315, 255, 27, "様", 12, Ink},
    {"Dt領収日付", K::DateBox, "imContainer3D2", 6420, 540, 1995, 315, 22},
    {"Line1", K::Line, "imContainer3D2", 540, 600, 3040, 15, -1, "", 12, Ink},
    // The amount's 15.75 pt figures need 20 px; the box keeps its top and ends on Line2 under it.
    {"txt領収額", K::TextBox, "imContainer3D2", 2760, 720, 2895, 300, 20, "", 15.75},
    {"Lbl領収証番号", K::Label, "imContainer3D2", 6960, 855, 1095, 255, 28, "No 0001", 12, Ink},
    {"Image1", K::Image, "imContainer3D2", 180, 960, 1320, 1335, -1, "", 12, N, N, "corner-lower-left"},
    {"Line2", K::Line, "imContainer3D2", 2700, 1020, 2940, 15, -1, "", 12, Ink},
    {"txt領収証但書", K::TextBox, "imContainer3D2", 1920, 1060, 4095, 255, 24, "品代として", 9.75},
    {"Label12", K::Label, "imContainer3D2", 3060, 1305, 2655, 240, 71, "上記金額を領収致しました。", 9.75, Ink},
    {"txt自社名領収証", K::TextBox, "imContainer3D2", 4500, 1500, 3915, 255, 21, "会の名称", 11.25},
    {"txt自社情報領収証", K::TextArea, "imContainer3D2", 4860, 1740, 3915, 705, 23, "会の情報", 9.75},
    {"Label9", K::Label, "imContainer3D1", 300, 2820, 975, 255, 62, "顧客区分", 12, Ink},
    {"cmb顧客区分", K::Combo, "imContainer3D1", 1380, 2760, 3735, 360, 63},
    {"Grid顧客", K::Grid, "imContainer3D1", 240, 3180, 9075, 4620, 29, "", 9},
    {"DD但書", K::DropDown, "imContainer3D1", 1920, 6660, 4635, 3975, 68, "", 9},
    {"Cn印刷選択", K::Panel, "imContainer3D1", 4260, 3540, 5115, 3015, 2, "", 12, N, 0x495034},
    {"imContainer3D5", K::Panel, "Cn印刷選択", 60, 60, 4995, 2895, 3, "", 12, N, White},
    {"Label2", K::Label, "imContainer3D5", 1500, 120, 1815, 255, 18, "領収証印刷設定", 12, 0x400000},
    {"Label1", K::Label, "imContainer3D5", 300, 600, 1815, 255, 57, "領収証用紙タイプ", 12, Caption},
    {"cmb用紙", K::Combo, "imContainer3D5", 2340, 540, 2535, 360, 56},
    {"Label4", K::Label, "imContainer3D5", 300, 1260, 1635, 255, 17, "指定された会員", 12, Ink},
    {"Optリスト印刷", K::Option, "imContainer3D5", 2340, 1320, 195, 180, 6},
    {"Label5", K::Label, "imContainer3D5", 300, 1560, 2475, 255, 16, "白紙印刷", 12, Ink},
    {"Opt白紙印刷", K::Option, "imContainer3D5", 2340, 1620, 195, 180, 5},
    {"Label10", K::Label, "imContainer3D5", 2700, 1560, 555, 255, 12, "枚数", 12, Ink},
    {"num枚数", K::NumberBox, "imContainer3D5", 3300, 1515, 555, 285, 4},
    {"Label6", K::Label, "imContainer3D5", 300, 1920, 1695, 255, 15, "日付を印字する", 12, Ink},
    {"Chk日付印刷", K::Check, "imContainer3D5", 2340, 1905, 255, 255, 9},
    {"Label7", K::Label, "imContainer3D5", 300, 2220, 1695, 255, 14, "番号を印字する", 12, Ink},
    {"Chk番号印刷", K::Check, "imContainer3D5", 2340, 2205, 255, 255, 8},
    {"Label8", K::Label, "imContainer3D5", 300, 2520, 1695, 255, 13, "金額を印字する", 12, Ink},
    {"Chk金額印刷", K::Check, "imContainer3D5", 2340, 2520, 255, 255, 7},
    {"cmd印刷設定閉じる", K::Button, "imContainer3D5", 4080, 1080, 735, 795, 10, "閉じる", 11.25, Black, N, "close"},
    {"cmd印刷実行", K::Button, "imContainer3D5", 4080, 1920, 735, 795, 11, "印刷", 11.25, N, N, "print"},
    {"imContainer3D3", K::Panel, "imContainer3D1", 9480, 180, 915, 7590, 30, "", 12, N, White},
    {"cmd閉じる", K::Button, "imContainer3D3", 60, 60, 795, 855, 32, "閉じる", 11.25, Black, N, "close"},
    {"cmd徴収読込", K::Button, "imContainer3D3", 60, 930, 795, 795, 58, "読込", 12, N, N, "load"},
    {"cmd登録", K::Button, "imContainer3D3", 60, 1740, 795, 855, 60, "登録", 12, N, N, "register"},
    {"CSCmdBtn1", K::Button, "imContainer3D3", 60, 2610, 795, 795, 61, "行削除", 9.75, N, N, "delete-row"},
    {"cmd徴収印刷", K::Button, "imContainer3D3", 60, 3420, 795, 855, 59, "印刷", 11.25, N, N, "print"},
    {"cmdクリア", K::Button, "imContainer3D3", 60, 4305, 795, 795, 31, "クリア", 11.25, N, N, "clear"},
    {"cmd全選択", K::Button, "imContainer3D3", 60, 5130, 795, 795, 69, "全選択", 11.25, N, N, "select-all"},
    {"cmd全解除", K::Button, "imContainer3D3", 60, 5955, 795, 795, 70, "全解除", 11.25, N, N, "deselect-all"},
    {"cmdHint", K::HintButton, "imContainer3D3", 60, 6780, 795, 750, 33, "", 12, N, N, "hint"},

    // Page "設定・情報"
    {"imContainer3D4", K::Panel, "SSTab1:1", 60, 360, 10515, 7995, 34, "", 12, N, White},
    {"imContainer3D8", K::Panel, "imContainer3D4", 300, 180, 5655, 1935, 35, "", 12, N, White},
    {"Label14", K::Label, "imContainer3D8", 0, 140, 975, 255, 42, "自社名", 12, Caption},
    {"txt自社名", K::TextBox, "imContainer3D8", 1080, 120, 4575, 315, 38},
    {"Label15", K::Label, "imContainer3D8", 0, 580, 1035, 255, 43, "自社情報", 12, Caption},
    {"txt自社情報", K::TextArea, "imContainer3D8", 1080, 540, 4575, 795, 37},
    {"Label13", K::Label, "imContainer3D8", 0, 1560, 795, 255, 41, "年　号", 12, Caption},
    {"cmb年号", K::Combo, "imContainer3D8", 1080, 1500, 975, 360, 36},
    {"Label27", K::Label, "imContainer3D8", 2220, 1560, 1215, 255, 40, "領収証番号", 12, Caption},
    {"num領収証番号", K::NumberBox, "imContainer3D8", 3540, 1500, 975, 315, 39},
    {"ImFrame3D12", K::Panel, "imContainer3D4", 6120, 420, 3225, 1110, 50, "", 12, N, 0x0000FF},
    {"ImFrame3D1", K::Panel, "ImFrame3D12", 45, 45, 3120, 1020, 51, "", 12, N, White},
    {"Label18", K::Label, "ImFrame3D1", 135, 195, 2100, 585, 53, "すべてのデータを削除し初期状態に戻す", 12, Ink},
    {"cmd一括削除7", K::Button, "ImFrame3D1", 2280, 60, 720, 885, 52, "実行", 11.25, N, White, "execute"},
    {"imContainer3D6", K::Panel, "imContainer3D4", 1380, 2160, 7875, 3680, 64, "", 12, N, White},
    {"Label11", K::Label, "imContainer3D6", 300, 180, 675, 255, 66, "区　分", 12, Caption},
    {"cmbコード区分", K::Combo, "imContainer3D6", 1080, 100, 1695, 360, 65},
    {"Gridコード表", K::Grid, "imContainer3D6", 240, 540, 7395, 3000, 67, "", 9},
    {"imContainer3D9", K::Panel, "imContainer3D4", 9420, 120, 915, 4485, 44, "", 12, N, White},
    {"cmd設定読込", K::Button, "imContainer3D9", 60, 60, 795, 870, 48, "読込", 11.26, N, N, "load", "設定を読込みます"},
    {"cmd設定登録", K::Button, "imContainer3D9", 60, 960, 795, 855, 45, "登録", 11.25, N, N, "register",
     "設定情報を登録します。請求書画面のデータは登録されません。"},
    {"cmd設定削除", K::Button, "imContainer3D9", 60, 1850, 795, 915, 47, "削除", 11.25, N, N, "delete",
     "設定情報を削除し初期値に戻します。"},
    {"cmd設定クリア", K::Button, "imContainer3D9", 60, 2790, 795, 855, 46, "クリア", 11.25, N, N, "clear",
     "設定画面の情報を消去します。登録済みデータは消去されません。"},
    {"cmdHint2", K::HintButton, "imContainer3D9", 60, 3680, 795, 750, 49, "", 12, N, N, "hint"},
    {"lblInfo", K::Label, "imContainer3D4", 840, 5980, 8415, 495, 54, "", 12, 0x800000},
    {"lblSupport", K::Label, "imContainer3D4", 1080, 6540, 8115, 195, 55, "", 9.75, Ink},
    {"Image2", K::Image, "imContainer3D4", 960, 6840, 8295, 1005, -1, "", 12, N, N, "banner"},
};

constexpr quint32 ButtonBack = 0xC67B62;

QFont fontOf(const Control& c)
{
    QFont font(ReportFont::family());
    font.setPointSizeF(c.points);
    return font;
}

void colour(QWidget* w, QPalette::ColorRole role, quint32 bgr)
{
    if (bgr == NoColour)
        return;
    QPalette palette = w->palette();
    palette.setColor(role, LayoutUnits::colour(bgr));
    w->setPalette(palette);
}

QWidget* create(const Control& c, QWidget* parent)
{
    const QString text = QString::fromUtf8(c.text);
    switch (c.kind) {
    case K::Panel: {
        auto* panel = new QFrame(parent);
        panel->setFrameStyle(QFrame::NoFrame);
        panel->setAutoFillBackground(true);
        colour(panel, QPalette::Window, c.back);
        return panel;
    }
    case K::Button:
    case K::HintButton: {
        auto* button = new IconButton(parent);
        button->setText(text);
        button->setIcon(AppArt::icon(QString::fromUtf8(c.picture), button->devicePixelRatioF()));
        colour(button, QPalette::Button, c.back == NoColour ? ButtonBack : c.back);
        colour(button, QPalette::ButtonText, c.fore == NoColour ? Black : c.fore);
        return button;
    }
    case K::TextBox: {
        auto* edit = new QLineEdit(text, parent);
        edit->setCursorPosition(0);
        TextLimit::guard(edit);
        return edit;
    }
    case K::TextArea: {
        auto* edit = new QPlainTextEdit(text, parent);
        edit->setTabChangesFocus(true);
        return edit;
    }
    case K::NumberBox:
        return new NumberBox(parent);
    case K::DateBox:
        return new DateBox(parent);
    case K::Combo: {
        auto* combo = new QComboBox(parent);
        // The two category boxes are editable (their text may be empty); the others are lists.
        const QByteArray name(c.name);
        if (name == "cmb顧客区分" || name == "cmbコード区分") {
            combo->setEditable(true);
            combo->setInsertPolicy(QComboBox::NoInsert);
        }
        return combo;
    }
    case K::Check:
        return new QCheckBox(parent);
    case K::Option: {
        auto* option = new QRadioButton(parent);
        // The layout gives the button 12 px; the style's indicator is a pixel taller.
        option->setStyleSheet(QStringLiteral("QRadioButton::indicator { width: 11px; height: 11px; }"));
        return option;
    }
    case K::Label: {
        auto* label = new QLabel(text, parent);
        colour(label, QPalette::WindowText, c.fore);
        return label;
    }
    case K::Line: {
        auto* line = new LineWidget(parent);
        line->setColour(LayoutUnits::colour(c.fore));
        return line;
    }
    case K::Image: {
        auto* image = new PictureBox(parent);
        image->setImage(AppArt::image(QString::fromUtf8(c.picture), image->devicePixelRatioF()));
        return image;
    }
    case K::Grid:
        return new QTableView(parent);
    case K::DropDown:
        return new QListView(parent);
    }
    return nullptr;
}

QRect placeOf(const Control& c)
{
    double top = c.top;
    if (QByteArray(c.parent).startsWith("SSTab1:"))
        top -= TabRowHeight; // page widgets start under the tab row
    return LayoutUnits::rect(c.left, top, c.width, c.height);
}

// The receipt-form boxes sit on the paper-white form like handwriting: no frame.
void flatten(QWidget* box)
{
    if (auto* line = qobject_cast<QLineEdit*>(box))
        line->setFrame(false);
    if (auto* area = qobject_cast<QPlainTextEdit*>(box)) {
        area->setFrameShape(QFrame::NoFrame);
        area->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        area->document()->setDocumentMargin(1);
    }
}

void finish(QHash<QString, QWidget*>& made)
{
    auto get = [&made](const char* name) { return made.value(QString::fromUtf8(name)); };
    for (const char* name : {"txt領収証タイトル", "txt領収額", "txt領収証但書", "txt自社名領収証", "txt自社情報領収証"})
        flatten(get(name));
    static_cast<QLineEdit*>(get("txt領収証タイトル"))->setText(ReceiptFormat::defaultTitle());
    static_cast<QLineEdit*>(get("txt領収証タイトル"))->setAlignment(Qt::AlignCenter);
    static_cast<QLineEdit*>(get("txt領収額"))->setAlignment(Qt::AlignCenter);
    static_cast<QLabel*>(get("lblInfo"))->setAlignment(Qt::AlignCenter);
    static_cast<QLabel*>(get("lblSupport"))->setAlignment(Qt::AlignCenter);
    static_cast<QLabel*>(get("Label18"))->setWordWrap(true);
    static_cast<QLabel*>(get("Lbl領収証番号"))->setAlignment(Qt::AlignRight | Qt::AlignVCenter);
    get("Image2")->setCursor(Qt::PointingHandCursor);
    static_cast<DateBox*>(get("Dt領収日付"))->setDate(QDate(2005, 12, 22));
    // Framed boxes on the white pages; the panels inside a coloured frame and the pages need none.
    for (const char* name : {"imContainer3D2", "imContainer3D3", "imContainer3D6", "imContainer3D9"}) {
        auto* panel = static_cast<QFrame*>(get(name));
        panel->setFrameStyle(QFrame::Box | QFrame::Plain);
        QPalette palette = panel->palette();
        palette.setColor(QPalette::WindowText, QColor(0xa9, 0xb6, 0xcf));
        panel->setPalette(palette);
    }
    get("Cn印刷選択")->hide();
    get("DD但書")->hide();

    auto* paper = static_cast<QComboBox*>(get("cmb用紙"));
    auto* era = static_cast<QComboBox*>(get("cmb年号"));
    auto* codeKind = static_cast<QComboBox*>(get("cmbコード区分"));
    auto* category = static_cast<QComboBox*>(get("cmb顧客区分"));
    ReadOnlyComboFilter::install(paper);
    ReadOnlyComboFilter::install(era);
    ReadOnlyComboFilter::install(codeKind);
    // The category box lets Delete erase its text: the customer list of no category.
    ReadOnlyComboFilter::install(category, ReadOnlyComboFilter::DeleteKey::Allowed);

    for (const char* name : {"Grid顧客", "Gridコード表"}) {
        auto* grid = static_cast<QTableView*>(get(name));
        grid->setSelectionMode(QAbstractItemView::SingleSelection);
        grid->setSelectionBehavior(QAbstractItemView::SelectItems);
        grid->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
        grid->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
        grid->horizontalHeader()->setSectionsMovable(false);
        grid->horizontalHeader()->setHighlightSections(false);
        grid->setVerticalHeader(new RowSelectorHeader(grid));
        grid->verticalHeader()->setDefaultSectionSize(QFontMetrics(grid->font()).height() + 6);
        grid->setEditTriggers(QAbstractItemView::AllEditTriggers);
        grid->setAlternatingRowColors(false);
        GridTabOut::install(grid);
    }
    auto* dropDown = static_cast<QListView*>(get("DD但書"));
    dropDown->setEditTriggers(QAbstractItemView::NoEditTriggers);
    dropDown->setUniformItemSizes(true);
}

// The control `name` as made by `build`, as the class its kind makes.
template <class T> T* typed(const QHash<QString, QWidget*>& made, const char* name)
{
    auto* widget = dynamic_cast<T*>(made.value(QString::fromUtf8(name)));
    Q_ASSERT_X(widget, "MainWindowLayout", name);
    return widget;
}

Panels panelsOf(const QHash<QString, QWidget*>& made)
{
    Panels p;
    p.tabs = typed<QTabWidget>(made, "SSTab1");
    p.receipt = {typed<QLineEdit>(made, "txt領収証タイトル"), typed<QLabel>(made, "Lbl領収証氏名"),
                 typed<DateBox>(made, "Dt領収日付"),       typed<QLineEdit>(made, "txt領収額"),
                 typed<QLabel>(made, "Lbl領収証番号"),      typed<QLineEdit>(made, "txt領収証但書"),
                 typed<QLineEdit>(made, "txt自社名領収証"), typed<QPlainTextEdit>(made, "txt自社情報領収証")};
    p.customers = {typed<QTableView>(made, "Grid顧客"), nullptr, typed<QComboBox>(made, "cmb顧客区分"),
                   p.receipt.name, p.receipt.amount};
    p.printOptions = {typed<QWidget>(made, "Cn印刷選択"),     typed<QComboBox>(made, "cmb用紙"),
                      typed<QRadioButton>(made, "Optリスト印刷"), typed<QRadioButton>(made, "Opt白紙印刷"),
                      typed<NumberBox>(made, "num枚数"),       typed<QCheckBox>(made, "Chk日付印刷"),
                      typed<QCheckBox>(made, "Chk番号印刷"),   typed<QCheckBox>(made, "Chk金額印刷")};
    p.printOptions.category = typed<QComboBox>(made, "cmb顧客区分");
    p.settings = {typed<QLineEdit>(made, "txt自社名"), typed<QPlainTextEdit>(made, "txt自社情報"),
                  typed<QComboBox>(made, "cmb年号"), typed<NumberBox>(made, "num領収証番号")};
    p.codes = {typed<QComboBox>(made, "cmbコード区分"), typed<QTableView>(made, "Gridコード表"), nullptr};
    p.categoryTax = {p.codes.kind, p.codes.grid, nullptr};
    p.provisoDropDown = typed<QListView>(made, "DD但書");
    p.info = typed<QLabel>(made, "lblInfo");
    p.support = typed<QLabel>(made, "lblSupport");
    auto button = [&made](const char* name) { return typed<QToolButton>(made, name); };
    p.receiptButtons = {button("cmd閉じる"), button("cmd徴収読込"), button("cmd登録"),  button("cmd徴収印刷"),
                        button("cmdクリア"), button("cmd全選択"),  button("cmd全解除"), button("cmdHint"),
                        button("cmd印刷実行"), button("cmd印刷設定閉じる")};
    p.settingsButtons = {button("cmd設定読込"), button("cmd設定登録"), button("cmd設定クリア"), button("cmdHint2"),
                         button("cmd一括削除7")};
    return p;
}

} // namespace


Panels build(QWidget* window)
{
    auto* tabs = new TabControl(LayoutUnits::px(TabRowHeight), window);
    tabs->setObjectName(QStringLiteral("SSTab1"));
    tabs->setGeometry(LayoutUnits::rect(0, 0, ClientWidth, ClientHeight));
    QFont tabFont(ReportFont::family());
    tabFont.setPointSizeF(12);
    tabs->setFont(tabFont);
    QWidget* pages[2] = {new QWidget, new QWidget};
    tabs->addTab(pages[0], QStringLiteral("領収証"));
    tabs->addTab(pages[1], QStringLiteral("設定・情報"));

    QHash<QString, QWidget*> made;
    made.insert(QStringLiteral("SSTab1"), tabs);
    made.insert(QStringLiteral("SSTab1:0"), pages[0]);
    made.insert(QStringLiteral("SSTab1:1"), pages[1]);
    // The focus chain follows creation order, so controls are made in tab order (a parent's
    // index is always below its children's); controls without focus come last.
    QList<const Control*> order;
    for (const Control& c : table)
        order.append(&c);
    std::stable_sort(order.begin(), order.end(), [](const Control* a, const Control* b) {
        return (a->tab < 0 ? INT_MAX : a->tab) < (b->tab < 0 ? INT_MAX : b->tab);
    });
    for (const Control* c : order) {
        QWidget* widget = create(*c, made.value(QString::fromUtf8(c->parent)));
        const QString name = QString::fromUtf8(c->name);
        widget->setObjectName(name);
        widget->setFont(fontOf(*c));
        widget->setGeometry(placeOf(*c));
        if (*c->help)
            widget->setToolTip(QString::fromUtf8(c->help));
        if (c->tab >= 0)
            widget->setProperty("tabIndex", c->tab);
        made.insert(name, widget);
    }
    // Overlapping controls stack as listed: the print options panel lies over the grid.
    for (const Control& c : table)
        made.value(QString::fromUtf8(c.name))->raise();
    finish(made);
    Panels panels = panelsOf(made);
    TaxControls::add(made, panels);
    SealControls::add(made, panels);
    // Where the main data lives (this computer or a server) is chosen in a dialog of its own,
    // from a button in the free space under the initialisation frame.
    panels.serverChoice = new QPushButton(QStringLiteral("データの接続先…"), made.value(QStringLiteral("imContainer3D4")));
    panels.serverChoice->setObjectName(QStringLiteral("cmd接続先"));
    QFont serverFont(ReportFont::family());
    serverFont.setPointSizeF(11.25);
    panels.serverChoice->setFont(serverFont);
    panels.serverChoice->setGeometry(LayoutUnits::rect(6120, 1620, 3225, 420));
    panels.serverChoice->setToolTip(QStringLiteral("データをこのパソコンに置くか、PostgreSQL サーバーに置くかを選びます。"));
    // Each printer's position correction, from the free corner of the print options.
    auto* calibration = new QPushButton(QStringLiteral("印刷位置の調整…"), made.value(QStringLiteral("imContainer3D5")));
    calibration->setObjectName(QStringLiteral("cmd印刷位置"));
    QFont calibrationFont(ReportFont::family());
    calibrationFont.setPointSizeF(8);
    calibration->setFont(calibrationFont);
    calibration->setGeometry(LayoutUnits::rect(3360, 90, 1575, 360));
    panels.printOptions.calibration = calibration;
    return panels;
}

} // namespace MainWindowLayout
