// The main window: every control in place, the date box, the lists and grids set up at start.
#include "ScriptedMessagePresenter.h"
#include "TestData.h"
#include "TestText.h"
#include "app/AppArt.h"
#include "app/ApplicationSetup.h"
#include "app/MainWindow.h"
#include "domain/EraDateFormat.h"
#include "domain/JapaneseHolidays.h"
#include "report/ReportFont.h"
#include "store/CodeWorkTable.h"
#include "store/Connections.h"
#include "ui/DateBox.h"
#include "ui/HolidayCalendar.h"
#include "ui/LineWidget.h"
#include "ui/NumberBox.h"
#include "ui/PictureBox.h"
#include "ui/RecentFolder.h"

#include <QAbstractItemView>
#include <QApplication>
#include <QCheckBox>
#include <QClipboard>
#include <QDir>
#include <QFile>
#include <QStandardPaths>
#include <QTemporaryDir>
#include <QComboBox>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QListView>
#include <QMenu>
#include <QMimeData>
#include <QPlainTextEdit>
#include <QSqlTableModel>
#include <QStyledItemDelegate>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <memory>

class TestMainWindow : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void layout_data();
    void layout();
    void tabOrder();
    void window();
    void looks_data();
    void looks();
    void dateBoxByEra_data();
    void dateBoxByEra();
    void eraDates_data();
    void eraDates();
    void typedDates_data();
    void typedDates();
    void calendar();
    void typedDateIsTakenOrRefused_data();
    void typedDateIsTakenOrRefused();
    void holidaysAsTheLawSetsThem_data();
    void holidaysAsTheLawSetsThem();
    void holidayNames_data();
    void holidayNames();
    void calendarMarksJanuary2027();
    void lists();
    void grids();
    void checkCellsShowOnlyTheirBox();
    void dataControls();
    void readOnlyLists_data();
    void readOnlyLists();
    void readOnlyListsTakeNoPasteOrDrop_data();
    void readOnlyListsTakeNoPasteOrDrop();
    void datesOutsideTheRangeAreRefused_data();
    void datesOutsideTheRangeAreRefused();
    void buttonsWithoutAction();
    void numberBox_data();
    void numberBox();
    void fileDialogsOpenWhereTheUserSavedLast();
};

namespace {
const int Px = 15; // twips per pixel

// Types `text` key by key; characters beyond ASCII arrive as key events carrying their text.
void type(QWidget* target, const QString& text)
{
    for (qsizetype i = 0; i < text.size(); ++i) {
        QString one(text.at(i));
        if (text.at(i).isHighSurrogate() && i + 1 < text.size())
            one += text.at(++i);
        if (one.size() == 1 && one.at(0).unicode() < 0x80)
            QTest::keyClick(target, one.at(0).toLatin1());
        else
            QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, one, Qt::NoModifier);
    }
}

// A started window on a fresh data folder, with `era` stored in the settings.
struct Started {
    TestData data;
    std::unique_ptr<Frm領収証> window;
    explicit Started(const QVariant& era = QVariant())
    {
        if (!era.isNull())
            TestData::execMain(u("INSERT INTO 自社情報 (年号) VALUES (?)"), {era});
        window = std::make_unique<Frm領収証>();
        window->Form_Load(data.folder());
    }
    template <class T> T* get(const char* name) const { return window->findChild<T*>(u(name)); }
};
} // namespace

void TestMainWindow::initTestCase()
{
    ApplicationSetup::apply(*static_cast<QApplication*>(QCoreApplication::instance()));
    ScriptedMessagePresenter::install();
}

void TestMainWindow::layout_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("kind");
    QTest::addColumn<QString>("parent");
    QTest::addColumn<QRect>("twips");
    QTest::addColumn<int>("tab");
    auto row = [](const char* name, const char* kind, const char* parent, int l, int t, int w, int h, int tab) {
        QTest::newRow(name) << u(name) << u(kind) << u(parent) << QRect(l, t, w, h) << tab;
    };
    row("imContainer3D1", "QFrame", "SSTab1:0", 0, 360, 10575, 7995, 1);
    row("imContainer3D2", "QFrame", "imContainer3D1", 240, 180, 9075, 2500, 19);
    row("txt領収証タイトル", "QLineEdit", "imContainer3D2", 3900, 60, 2115, 375, 25);
    row("Image3", "PictureBox", "imContainer3D2", 7740, 70, 1200, 1215, -1);
    row("Lbl領収証氏名", "QLabel", "imContainer3D2", 600, 300, 2235, 255, 26);
    row("Label3", "QLabel", "imContainer3D2", 3300, 300, 315, 255, 27);
    row("Dt領収日付", "DateBox", "imContainer3D2", 6420, 540, 1995, 315, 22);
    row("Line1", "LineWidget", "imContainer3D2", 540, 600, 3040, 15, -1);
    row("txt領収額", "QLineEdit", "imContainer3D2", 2760, 720, 2895, 300, 20); // 20 px tall for its 15.75 pt figures
    row("Lbl領収証番号", "QLabel", "imContainer3D2", 6960, 855, 1095, 255, 28);
    row("Image1", "PictureBox", "imContainer3D2", 180, 960, 1320, 1335, -1);
    row("Line2", "LineWidget", "imContainer3D2", 2700, 1020, 2940, 15, -1);
    row("txt領収証但書", "QLineEdit", "imContainer3D2", 1920, 1060, 4095, 255, 24);
    row("Label12", "QLabel", "imContainer3D2", 3060, 1305, 2655, 240, 71);
    row("txt自社名領収証", "QLineEdit", "imContainer3D2", 4500, 1500, 3915, 255, 21);
    row("txt自社情報領収証", "QPlainTextEdit", "imContainer3D2", 4860, 1740, 3915, 705, 23);
    row("Label9", "QLabel", "imContainer3D1", 300, 2820, 975, 255, 62);
    row("cmb顧客区分", "QComboBox", "imContainer3D1", 1380, 2760, 3735, 360, 63);
    row("Grid顧客", "QTableView", "imContainer3D1", 240, 3180, 9075, 4620, 29);
    row("DD但書", "QListView", "imContainer3D1", 1920, 6660, 4635, 3975, 68);
    row("Cn印刷選択", "QFrame", "imContainer3D1", 4260, 3540, 5115, 3015, 2);
    row("imContainer3D5", "QFrame", "Cn印刷選択", 60, 60, 4995, 2895, 3);
    row("Label2", "QLabel", "imContainer3D5", 1500, 120, 1815, 255, 18);
    row("Label1", "QLabel", "imContainer3D5", 300, 600, 1815, 255, 57);
    row("cmb用紙", "QComboBox", "imContainer3D5", 2340, 540, 2535, 360, 56);
    row("Label4", "QLabel", "imContainer3D5", 300, 1260, 1635, 255, 17);
    row("Optリスト印刷", "QRadioButton", "imContainer3D5", 2340, 1320, 195, 180, 6);
    row("Label5", "QLabel", "imContainer3D5", 300, 1560, 2475, 255, 16);
    row("Opt白紙印刷", "QRadioButton", "imContainer3D5", 2340, 1620, 195, 180, 5);
    row("Label10", "QLabel", "imContainer3D5", 2700, 1560, 555, 255, 12);
    row("num枚数", "NumberBox", "imContainer3D5", 3300, 1515, 555, 285, 4);
    row("Label6", "QLabel", "imContainer3D5", 300, 1920, 1695, 255, 15);
    row("Chk日付印刷", "QCheckBox", "imContainer3D5", 2340, 1905, 255, 255, 9);
    row("Label7", "QLabel", "imContainer3D5", 300, 2220, 1695, 255, 14);
    row("Chk番号印刷", "QCheckBox", "imContainer3D5", 2340, 2205, 255, 255, 8);
    row("Label8", "QLabel", "imContainer3D5", 300, 2520, 1695, 255, 13);
    row("Chk金額印刷", "QCheckBox", "imContainer3D5", 2340, 2520, 255, 255, 7);
    row("cmd印刷設定閉じる", "QToolButton", "imContainer3D5", 4080, 1080, 735, 795, 10);
    row("cmd印刷実行", "QToolButton", "imContainer3D5", 4080, 1920, 735, 795, 11);
    row("imContainer3D3", "QFrame", "imContainer3D1", 9480, 180, 915, 7590, 30);
    row("cmd閉じる", "QToolButton", "imContainer3D3", 60, 60, 795, 855, 32);
    row("cmd徴収読込", "QToolButton", "imContainer3D3", 60, 930, 795, 795, 58);
    row("cmd登録", "QToolButton", "imContainer3D3", 60, 1740, 795, 855, 60);
    row("CSCmdBtn1", "QToolButton", "imContainer3D3", 60, 2610, 795, 795, 61);
    row("cmd徴収印刷", "QToolButton", "imContainer3D3", 60, 3420, 795, 855, 59);
    row("cmdクリア", "QToolButton", "imContainer3D3", 60, 4305, 795, 795, 31);
    row("cmd全選択", "QToolButton", "imContainer3D3", 60, 5130, 795, 795, 69);
    row("cmd全解除", "QToolButton", "imContainer3D3", 60, 5955, 795, 795, 70);
    row("cmdHint", "QToolButton", "imContainer3D3", 60, 6780, 795, 750, 33);
    row("imContainer3D4", "QFrame", "SSTab1:1", 60, 360, 10515, 7995, 34);
    row("imContainer3D8", "QFrame", "imContainer3D4", 300, 180, 5655, 1935, 35);
    row("Label14", "QLabel", "imContainer3D8", 0, 140, 975, 255, 42);
    row("txt自社名", "QLineEdit", "imContainer3D8", 1080, 120, 4575, 315, 38);
    row("Label15", "QLabel", "imContainer3D8", 0, 580, 1035, 255, 43);
    row("txt自社情報", "QPlainTextEdit", "imContainer3D8", 1080, 540, 4575, 795, 37);
    row("Label13", "QLabel", "imContainer3D8", 0, 1560, 795, 255, 41);
    row("cmb年号", "QComboBox", "imContainer3D8", 1080, 1500, 975, 360, 36);
    row("Label27", "QLabel", "imContainer3D8", 2220, 1560, 1215, 255, 40);
    row("num領収証番号", "NumberBox", "imContainer3D8", 3540, 1500, 975, 315, 39);
    row("ImFrame3D12", "QFrame", "imContainer3D4", 6120, 420, 3225, 1110, 50);
    row("ImFrame3D1", "QFrame", "ImFrame3D12", 45, 45, 3120, 1020, 51);
    row("Label18", "QLabel", "ImFrame3D1", 135, 195, 2100, 585, 53);
    row("cmd一括削除7", "QToolButton", "ImFrame3D1", 2280, 60, 720, 885, 52);
    row("imContainer3D6", "QFrame", "imContainer3D4", 1380, 2160, 7875, 3680, 64);
    row("Label11", "QLabel", "imContainer3D6", 300, 180, 675, 255, 66);
    row("cmbコード区分", "QComboBox", "imContainer3D6", 1080, 100, 1695, 360, 65);
    row("Gridコード表", "QTableView", "imContainer3D6", 240, 540, 7395, 3000, 67);
    row("imContainer3D9", "QFrame", "imContainer3D4", 9420, 120, 915, 4485, 44);
    row("cmd設定読込", "QToolButton", "imContainer3D9", 60, 60, 795, 870, 48);
    row("cmd設定登録", "QToolButton", "imContainer3D9", 60, 960, 795, 855, 45);
    row("cmd設定削除", "QToolButton", "imContainer3D9", 60, 1850, 795, 915, 47);
    row("cmd設定クリア", "QToolButton", "imContainer3D9", 60, 2790, 795, 855, 46);
    row("cmdHint2", "QToolButton", "imContainer3D9", 60, 3680, 795, 750, 49);
    row("lblInfo", "QLabel", "imContainer3D4", 840, 5980, 8415, 495, 54);
    row("lblSupport", "QLabel", "imContainer3D4", 1080, 6540, 8115, 195, 55);
    row("Image2", "PictureBox", "imContainer3D4", 960, 6840, 8295, 1005, -1);
}

// Each control under its name, of its kind, in its parent, at its place (±1 px), before start-up.
void TestMainWindow::layout()
{
    QFETCH(QString, name);
    QFETCH(QString, kind);
    QFETCH(QString, parent);
    QFETCH(QRect, twips);
    QFETCH(int, tab);
    Frm領収証 window;
    QWidget* control = window.findChild<QWidget*>(name);
    QVERIFY2(control, qPrintable(name));
    if (kind == QLatin1String("LineWidget"))
        QVERIFY(dynamic_cast<LineWidget*>(control));
    else
        QVERIFY2(control->inherits(kind.toLatin1()), control->metaObject()->className());
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    auto* tabs = window.findChild<QTabWidget*>(u("SSTab1"));
    QRect actual = control->geometry();
    if (parent.startsWith(u("SSTab1:"))) {
        const int page = parent.back().digitValue();
        QCOMPARE(tabs->indexOf(control->parentWidget()), page);
        actual.moveTopLeft(control->mapTo(tabs, QPoint(0, 0)));
    } else {
        QCOMPARE(control->parentWidget()->objectName(), parent);
    }
    const QRect expected(qRound(twips.x() / double(Px)), qRound(twips.y() / double(Px)),
                         qRound(twips.width() / double(Px)), qRound(twips.height() / double(Px)));
    auto near = [](int a, int b) { return qAbs(a - b) <= 1; };
    QVERIFY2(near(actual.x(), expected.x()) && near(actual.y(), expected.y()) &&
                 near(actual.width(), expected.width()) && near(actual.height(), expected.height()),
             qPrintable(QStringLiteral("%1,%2 %3x%4 instead of %5,%6 %7x%8")
                            .arg(actual.x()).arg(actual.y()).arg(actual.width()).arg(actual.height())
                            .arg(expected.x()).arg(expected.y()).arg(expected.width()).arg(expected.height())));
    if (tab >= 0)
        QCOMPARE(control->property("tabIndex").toInt(), tab);
}

// Walking the focus chain from the tab control meets the focusable controls in tab-index order.
void TestMainWindow::tabOrder()
{
    Frm領収証 window;
    QMap<int, QString> expected; // tab index -> name, for controls that take focus
    QSet<QString> named;
    for (QWidget* w : window.findChildren<QWidget*>()) {
        if (!w->property("tabIndex").isValid())
            continue;
        named.insert(w->objectName());
        if (w->focusPolicy() & Qt::TabFocus)
            expected.insert(w->property("tabIndex").toInt(), w->objectName());
    }
    QCOMPARE(expected.size(), 39); // 27 on the receipts page, 12 on the settings page
    auto* tabs = window.findChild<QTabWidget*>(u("SSTab1"));
    QStringList walked{tabs->objectName()};
    QWidget* w = tabs;
    for (int step = 0; step < 2000; ++step) {
        w = w->nextInFocusChain();
        if (w == tabs)
            break;
        // A compound control's inner widgets count as the control itself.
        QWidget* owner = w;
        while (owner && !named.contains(owner->objectName()))
            owner = owner->parentWidget();
        if (!owner || !(owner->focusPolicy() & Qt::TabFocus) || walked.contains(owner->objectName()))
            continue;
        walked.append(owner->objectName());
    }
    QStringList wanted{tabs->objectName()};
    wanted += expected.values();
    QCOMPARE(walked, wanted);
}

void TestMainWindow::window()
{
    Frm領収証 window;
    window.show();
    QVERIFY(QTest::qWaitForWindowExposed(&window));
    QCOMPARE(window.size(), QSize(709, 561));
    QVERIFY(!window.windowIcon().isNull());
    auto* tabs = window.findChild<QTabWidget*>(u("SSTab1"));
    QCOMPARE(tabs->geometry(), QRect(0, 0, 709, 561));
    QCOMPARE(tabs->count(), 2);
    QCOMPARE(tabs->tabText(0), u("領収証"));
    QCOMPARE(tabs->tabText(1), u("設定・情報"));
    QCOMPARE(tabs->currentIndex(), 0);
    QVERIFY(!window.findChild<QWidget*>(u("Cn印刷選択"))->isVisible());
    QVERIFY(!window.findChild<QWidget*>(u("DD但書"))->isVisible());
    // Resizing moves nothing.
    const QRect grid = window.findChild<QWidget*>(u("Grid顧客"))->geometry();
    window.resize(900, 700);
    QCoreApplication::processEvents();
    QCOMPARE(window.findChild<QWidget*>(u("Grid顧客"))->geometry(), grid);
    // Buttons: caption under a 32 × 32 icon; hint buttons carry the icon only.
    for (QToolButton* button : window.findChildren<QToolButton*>()) {
        if (!button->objectName().startsWith(u("cmd")) && button->objectName() != u("CSCmdBtn1"))
            continue;
        QVERIFY2(!button->icon().isNull(), qPrintable(button->objectName()));
        QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        QCOMPARE(button->iconSize(), QSize(32, 32));
        QCOMPARE(button->text().isEmpty(), button->objectName().startsWith(u("cmdHint")));
    }
    const QList<QPair<const char*, const char*>> tips = {
        {"cmd設定登録", "設定情報を登録します。請求書画面のデータは登録されません。"},
        {"cmd設定クリア", "設定画面の情報を消去します。登録済みデータは消去されません。"},
        {"cmd設定読込", "設定を読込みます"},
        {"cmd設定削除", "設定情報を削除し初期値に戻します。"},
        {"cmd接続先", "データをこのパソコンに置くか、PostgreSQL サーバーに置くかを選びます。"},
        {"cmd印影選択", "印影の画像（PNG または SVG、5 MB まで）を選びます。"},
        {"chk印影白透明", "スキャンした印影の白い地を透明にします。次に選ぶ画像と、いま選んだ画像に効きます。"}};
    int withTip = 0;
    for (QWidget* w : window.findChildren<QWidget*>())
        withTip += !w->toolTip().isEmpty();
    QCOMPARE(withTip, tips.size());
    for (const auto& [name, tip] : tips)
        QCOMPARE(window.findChild<QWidget*>(u(name))->toolTip(), u(tip));
    // Pictures and icons come from the artwork rendered when building, for either pixel ratio.
    auto picture = [&](const char* name) { return window.findChild<PictureBox*>(u(name))->image(); };
    for (const char* name : {"Image1", "Image2", "Image3"})
        QVERIFY(!picture(name).isNull());
    QCOMPARE(picture("Image2").size(), QSize(553, 67));
    QCOMPARE(picture("Image1").size(), QSize(144, 145));
    QCOMPARE(AppArt::image(u("corner-lower-left"), 2).size(), QSize(288, 290));
    QCOMPARE(AppArt::image(u("corner-lower-left"), 2).devicePixelRatio(), 2.0);
    QVERIFY(AppArt::image(u("no-such-picture"), 1).isNull());
    for (const char* name : {"cmd印刷実行", "cmdHint"})
        QVERIFY(!window.findChild<QToolButton*>(u(name))->icon().pixmap(QSize(32, 32)).isNull());
    QVERIFY(!window.windowIcon().isNull());
}

void TestMainWindow::looks_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("text");
    QTest::addColumn<double>("points");
    QTest::addColumn<QString>("role"); // which colour is checked
    QTest::addColumn<QColor>("colour");
    auto row = [](const char* name, const char* text, double points, const char* role, QRgb rgb) {
        QTest::newRow(name) << u(name) << u(text) << points << u(role) << QColor(rgb);
    };
    row("txt領収証タイトル", "領収証", 18, "", 0);
    row("Lbl領収証氏名", "氏名", 12, "fore", 0x004040);
    row("Label3", "様", 12, "fore", 0x004040);
    row("txt領収額", "", 15.75, "", 0);
    row("Lbl領収証番号", "No 0001", 12, "fore", 0x004040);
    row("txt領収証但書", "品代として", 9.75, "", 0);
    row("Label12", "上記金額を領収致しました。", 9.75, "fore", 0x004040);
    row("txt自社名領収証", "会の名称", 11.25, "", 0);
    row("txt自社情報領収証", "会の情報", 9.75, "", 0);
    row("Label2", "領収証印刷設定", 12, "fore", 0x000040);
    row("Label1", "領収証用紙タイプ", 12, "fore", 0x325F4A);
    row("Label13", "年　号", 12, "fore", 0x325F4A);
    row("Label11", "区　分", 12, "fore", 0x325F4A);
    row("Label18", "すべてのデータを削除し初期状態に戻す", 12, "fore", 0x004040);
    row("lblSupport", "", 9.75, "fore", 0x004040);
    row("lblInfo", "", 12, "fore", 0x000080);
    row("Grid顧客", "", 9, "", 0);
    row("Gridコード表", "", 9, "", 0);
    row("cmd閉じる", "閉じる", 11.25, "button", 0x627BC6);
    row("cmd徴収読込", "読込", 12, "button", 0x627BC6);
    row("CSCmdBtn1", "行削除", 9.75, "button", 0x627BC6);
    row("cmd一括削除7", "実行", 11.25, "button", 0xFFFFFF);
    row("cmd設定読込", "読込", 11.26, "button", 0x627BC6);
    row("Cn印刷選択", "", 12, "back", 0x345049);
    row("ImFrame3D12", "", 12, "back", 0xFF0000);
    row("imContainer3D2", "", 12, "back", 0xFFFFFF);
}

// Texts, font sizes (in the layout's font, shown in IPAPGothic) and colours.
void TestMainWindow::looks()
{
    QFETCH(QString, name);
    QFETCH(QString, text);
    QFETCH(double, points);
    QFETCH(QString, role);
    QFETCH(QColor, colour);
    Frm領収証 window;
    QWidget* w = window.findChild<QWidget*>(name);
    QVERIFY(w);
    QString shown;
    if (auto* label = qobject_cast<QLabel*>(w))
        shown = label->text();
    else if (auto* line = qobject_cast<QLineEdit*>(w))
        shown = line->text();
    else if (auto* area = qobject_cast<QPlainTextEdit*>(w))
        shown = area->toPlainText();
    else if (auto* button = qobject_cast<QToolButton*>(w))
        shown = button->text();
    QCOMPARE(shown, text);
    QCOMPARE(w->font().pointSizeF(), points);
    QCOMPARE(w->font().family(), ReportFont::family());
    QCOMPARE(QFontInfo(w->font()).family(), u("IPAPGothic"));
    if (role == u("fore"))
        QCOMPARE(w->palette().color(QPalette::WindowText), colour);
    else if (role == u("button"))
        QCOMPARE(w->palette().color(QPalette::Button), colour);
    else if (role == u("back")) {
        QVERIFY(w->autoFillBackground());
        QCOMPARE(w->palette().color(QPalette::Window), colour);
    }
}

void TestMainWindow::dateBoxByEra_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("left");
    QTest::addColumn<int>("width");
    QTest::addColumn<QString>("shown");
    const QString era = u("令和 08年12月10日"), western = u("2026年12月10日");
    QTest::newRow("和暦") << QVariant(u("和暦")) << 5460 << 2295 << era;
    QTest::newRow("西暦") << QVariant(u("西暦")) << 6760 << 1995 << western;
    QTest::newRow("empty text") << QVariant(u("")) << 6760 << 1995 << western;
    QTest::newRow("no settings row") << QVariant() << 6760 << 1995 << western;
    QTest::newRow("和暦 with a blank") << QVariant(u("和暦 ")) << 6760 << 1995 << western;
    QTest::newRow("wareki") << QVariant(u("wareki")) << 6760 << 1995 << western;
}

// Only the exact text "和暦" selects the era form, and the box moves and widens for it.
void TestMainWindow::dateBoxByEra()
{
    QFETCH(QVariant, stored);
    QFETCH(int, left);
    QFETCH(int, width);
    QFETCH(QString, shown);
    Started started(stored);
    auto* date = started.get<DateBox>("Dt領収日付");
    QCOMPARE(date->x(), qRound(left / double(Px)));
    QCOMPARE(date->width(), qRound(width / double(Px)));
    QCOMPARE(date->y(), 36);
    date->setDate(QDate(2026, 12, 10));
    QCOMPARE(date->text(), shown);
    QCOMPARE(date->lineEdit()->text(), shown);
    // The whole date fits the box while it is not being edited (a line edit keeps 2 px a side).
    started.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(started.window.get()));
    date->setDate(QDate(2008, 8, 28));
    const QLineEdit* edit = date->lineEdit();
    QVERIFY2(edit->fontMetrics().horizontalAdvance(edit->text()) <= edit->width() - 4,
             qPrintable(QStringLiteral("%1 px of text in %2 px").arg(edit->fontMetrics().horizontalAdvance(edit->text())).arg(edit->width() - 4)));
    // With the focus the drop-down button shows: the date is set beside it, none of it under it.
    started.window->activateWindow();
    QVERIFY(QTest::qWaitForWindowActive(started.window.get()));
    date->lineEdit()->setFocus();
    const auto* drop = date->findChild<QWidget*>(u("drop"));
    QTRY_VERIFY(drop->isVisible());
    const int room = drop->x() - edit->x() - 4;
    QVERIFY2(edit->fontMetrics().horizontalAdvance(edit->text()) <= room,
             qPrintable(QStringLiteral("%1 px of text left of the button, %2 px of room").arg(edit->fontMetrics().horizontalAdvance(edit->text())).arg(room)));
    QCOMPARE(edit->font().pointSizeF(), date->font().pointSizeF());
    // The era list agrees with the date box.
    QCOMPARE(started.get<QComboBox>("cmb年号")->currentText(), stored == QVariant(u("和暦")) ? u("和暦") : u("西暦"));
}

void TestMainWindow::eraDates_data()
{
    QTest::addColumn<QDate>("date");
    QTest::addColumn<QString>("era");
    QTest::addColumn<QString>("western");
    QTest::newRow("Reiwa 8") << QDate(2026, 12, 10) << u("令和 08年12月10日") << u("2026年12月10日");
    QTest::newRow("last day of Showa") << QDate(1989, 1, 7) << u("昭和 64年01月07日") << u("1989年01月07日");
    QTest::newRow("first day of Heisei") << QDate(1989, 1, 8) << u("平成 01年01月08日") << u("1989年01月08日");
    QTest::newRow("last day of Heisei") << QDate(2019, 4, 30) << u("平成 31年04月30日") << u("2019年04月30日");
    QTest::newRow("first day of Reiwa") << QDate(2019, 5, 1) << u("令和 01年05月01日") << u("2019年05月01日");
    QTest::newRow("leap day") << QDate(2024, 2, 29) << u("令和 06年02月29日") << u("2024年02月29日");
}

void TestMainWindow::eraDates()
{
    QFETCH(QDate, date);
    QFETCH(QString, era);
    QFETCH(QString, western);
    DateBox box;
    box.setEraFormat(true);
    box.setDate(date);
    QCOMPARE(box.text(), era);
    box.setEraFormat(false);
    QCOMPARE(box.text(), western);
    // What is shown reads back as the same date.
    QCOMPARE(EraDateFormat::parse(era, EraDateFormat::EraPattern), date);
    QCOMPARE(EraDateFormat::parse(western, EraDateFormat::GregorianPattern), date);
}

void TestMainWindow::typedDates_data()
{
    QTest::addColumn<bool>("era");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QDate>("date"); // invalid: the previous date stays
    QTest::newRow("era without zeros") << true << u("令和8年1月2日") << QDate(2026, 1, 2);
    QTest::newRow("era, first year") << true << u("平成 01年01月08日") << QDate(1989, 1, 8);
    QTest::newRow("era past its end") << true << u("昭和 64年01月08日") << QDate();
    QTest::newRow("unknown era") << true << u("未来 01年01月01日") << QDate();
    QTest::newRow("eight digits") << true << u("20240229") << QDate(2024, 2, 29);
    QTest::newRow("western") << false << u("2025年7月20日") << QDate(2025, 7, 20);
    QTest::newRow("no such day") << false << u("2025年02月30日") << QDate();
    QTest::newRow("letters") << false << u("abc") << QDate();
    QTest::newRow("emoji") << false << u("2025年😀月01日") << QDate();
}

// Typing into the box: a whole date of its form is taken, anything else brings back the old date.
void TestMainWindow::typedDates()
{
    QFETCH(bool, era);
    QFETCH(QString, typed);
    QFETCH(QDate, date);
    QWidget host;
    auto* box = new DateBox(&host);
    auto* other = new QLineEdit(&host);
    other->move(0, 40);
    box->setEraFormat(era);
    box->setDate(QDate(2000, 1, 1));
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    box->lineEdit()->setFocus();
    box->lineEdit()->selectAll();
    type(box->lineEdit(), typed);
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    QCOMPARE(box->date(), date.isValid() ? date : QDate(2000, 1, 1));
    QCOMPARE(box->lineEdit()->text(), box->text());
    // Emptying the box blanks it; the blank positions show as "_".
    box->lineEdit()->selectAll();
    QTest::keyClick(box->lineEdit(), Qt::Key_Delete);
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    QVERIFY(box->isBlank());
    QCOMPARE(box->text(), QString());
    QVERIFY(box->displayText().contains(QLatin1Char('_')));
    QCOMPARE(box->lineEdit()->text(), box->displayText());
}

// The drop-down calendar: weeks from Sunday, weekday names 日 … 土, fixed holidays marked.
void TestMainWindow::calendar()
{
    DateBox box;
    box.setEraFormat(true);
    box.setDate(QDate(2026, 5, 4));
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    box.showCalendar();
    HolidayCalendar* calendar = box.calendar();
    QVERIFY(calendar->isVisible());
    QCOMPARE(calendar->monthShown(), 5);
    auto* view = calendar->findChild<QAbstractItemView*>(u("qt_calendar_calendarview"));
    QVERIFY(view);
    QStringList names;
    for (int column = 0; column < 7; ++column)
        names << view->model()->index(0, column).data().toString();
    QCOMPARE(names.join(QLatin1Char(',')), u("日,月,火,水,木,金,土"));
    auto* title = box.findChild<QLabel*>(u("monthTitle"));
    QCOMPARE(title->text(), u("令和 08年05月"));
    const QColor holiday = calendar->dateTextFormat(QDate(2026, 5, 3)).foreground().color();
    for (const QDate& day : JapaneseHolidays::ofYear(2026).keys())
        QCOMPARE(calendar->dateTextFormat(day).foreground().color(), holiday);
    QCOMPARE(calendar->dateTextFormat(QDate(2026, 5, 6)).toolTip(), u("振替休日"));
    // Days that were holidays only under earlier rules are not marked.
    for (const QDate& day : {QDate(2026, 1, 15), QDate(2026, 10, 10), QDate(2026, 12, 23), QDate(2026, 5, 7)})
        QVERIFY(!calendar->dateTextFormat(day).hasProperty(QTextFormat::ForegroundBrush));
    QCOMPARE(calendar->dateTextFormat(QDate(2027, 1, 11)).toolTip(), u("成人の日"));
    // Clicking a day takes it and closes the calendar.
    calendar->setSelectedDate(QDate(2026, 5, 20));
    emit calendar->clicked(QDate(2026, 5, 20));
    QCOMPARE(box.date(), QDate(2026, 5, 20));
    QVERIFY(!calendar->isVisible());
}

void TestMainWindow::typedDateIsTakenOrRefused_data()
{
    QTest::addColumn<bool>("era");
    QTest::addColumn<bool>("byKeys"); // the cursor brought there with Home and →, not a click
    QTest::addColumn<QString>("before"); // the text left of the digits reached; "" selects all (a click) or is Home
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QDate>("date");
    QTest::addColumn<bool>("told");
    QTest::newRow("era day") << true << false << u("令和 08年12月") << u("15") << QDate(2026, 12, 15) << false;
    QTest::newRow("era month") << true << false << u("令和 08年") << u("03") << QDate(2026, 3, 20) << false;
    QTest::newRow("era month, one digit") << true << false << u("令和 08年") << u("3") << QDate(2026, 3, 20) << false;
    QTest::newRow("era year") << true << false << u("令和 ") << u("07") << QDate(2025, 12, 20) << false;
    QTest::newRow("era month, then on into the day") << true << false << u("令和 08年") << u("0315") << QDate(2026, 3, 15) << false;
    QTest::newRow("Gregorian day") << false << false << u("2026年12月") << u("01") << QDate(2026, 12, 1) << false;
    QTest::newRow("all of it, eight digits") << false << false << QString() << u("20250704") << QDate(2025, 7, 4) << false;
    QTest::newRow("not a date") << false << false << QString() << u("abc") << QDate(2026, 12, 20) << true;
    QTest::newRow("no such day") << true << false << u("令和 08年12月") << u("32") << QDate(2026, 12, 20) << true;
    QTest::newRow("a third digit in the day") << true << false << u("令和 08年12月") << u("157") << QDate(2026, 12, 20) << true;
    QTest::newRow("keys: era day") << true << true << u("令和 08年12月") << u("15") << QDate(2026, 12, 15) << false;
    QTest::newRow("keys: Home, the era year on") << true << true << QString() << u("071103") << QDate(2025, 11, 3) << false;
    QTest::newRow("keys: Home, the Gregorian year on") << false << true << QString() << u("20250704") << QDate(2025, 7, 4) << false;
    QTest::newRow("keys: Gregorian month") << false << true << u("2026年") << u("02") << QDate(2026, 2, 20) << false;
    QTest::newRow("keys: past the day") << false << true << u("2026年12月20日") << u("1") << QDate(2026, 12, 20) << true;
}

// A click into a part of the date selects it and typing replaces it; typed with the cursor in
// a part, digits write over the part's and go on into the next; what cannot be read is refused
// with a message, never dropped without a word.
void TestMainWindow::typedDateIsTakenOrRefused()
{
    QFETCH(bool, era);
    QFETCH(bool, byKeys);
    QFETCH(QString, before);
    QFETCH(QString, typed);
    QFETCH(QDate, date);
    QFETCH(bool, told);
    ScriptedMessagePresenter& presenter = ScriptedMessagePresenter::install();
    QWidget host;
    auto* box = new DateBox(&host);
    box->resize(260, 30);
    auto* other = new QLineEdit(&host);
    other->move(0, 40);
    box->setEraFormat(era);
    box->setDate(QDate(2026, 12, 20));
    host.show();
    host.activateWindow(); // focus moves, and the box hears of it, only in an active window
    QVERIFY(QTest::qWaitForWindowActive(&host));
    QLineEdit* edit = box->lineEdit();
    edit->setFocus();
    if (byKeys) {
        QTest::keyClick(edit, Qt::Key_Home);
        for (qsizetype step = 0; step < before.size(); ++step)
            QTest::keyClick(edit, Qt::Key_Right);
    } else if (before.isEmpty()) {
        edit->selectAll();
    } else {
        // Into the middle of the digits after `before`, as a user clicks.
        const int x = edit->fontMetrics().horizontalAdvance(before) + edit->fontMetrics().horizontalAdvance(u("0")) + 2;
        QTest::mouseClick(edit, Qt::LeftButton, {}, QPoint(x, edit->height() / 2));
    }
    QTest::keyClicks(edit, typed);
    other->setFocus();
    QCOMPARE(box->date(), date);
    QCOMPARE(presenter.shown.size(), told ? 1 : 0);
    if (told)
        QVERIFY2(presenter.shown[0].prompt.contains(u("日付として読み取れません")), qPrintable(presenter.shown[0].prompt));
}

void TestMainWindow::holidaysAsTheLawSetsThem_data()
{
    QTest::addColumn<int>("year");
    QTest::addColumn<QStringList>("days"); // month/day, as the Cabinet Office lists them
    QTest::newRow("2019, the enthronement") << 2019 << QStringList{
        u("1/1"),  u("1/14"), u("2/11"), u("3/21"),  u("4/29"),  u("4/30"),  u("5/1"),  u("5/2"),
        u("5/3"),  u("5/4"),  u("5/5"),  u("5/6"),   u("7/15"),  u("8/11"),  u("8/12"), u("9/16"),
        u("9/23"), u("10/14"), u("10/22"), u("11/3"), u("11/4"), u("11/23")};
    QTest::newRow("2020, the Olympic moves") << 2020 << QStringList{
        u("1/1"),  u("1/13"), u("2/11"), u("2/23"), u("2/24"), u("3/20"), u("4/29"),  u("5/3"),  u("5/4"),
        u("5/5"),  u("5/6"),  u("7/23"), u("7/24"), u("8/10"), u("9/21"), u("9/22"),  u("11/3"), u("11/23")};
    QTest::newRow("2021, moved again") << 2021 << QStringList{
        u("1/1"),  u("1/11"), u("2/11"), u("2/23"), u("3/20"), u("4/29"), u("5/3"),  u("5/4"), u("5/5"),
        u("7/22"), u("7/23"), u("8/8"),  u("8/9"),  u("9/20"), u("9/23"), u("11/3"), u("11/23")};
    QTest::newRow("2026, a day between two holidays") << 2026 << QStringList{
        u("1/1"),  u("1/12"), u("2/11"), u("2/23"), u("3/20"),  u("4/29"),  u("5/3"),  u("5/4"),  u("5/5"),
        u("5/6"),  u("7/20"), u("8/11"), u("9/21"), u("9/22"),  u("9/23"),  u("10/12"), u("11/3"), u("11/23")};
    QTest::newRow("2027, the equinox on a Sunday") << 2027 << QStringList{
        u("1/1"),  u("1/11"), u("2/11"), u("2/23"), u("3/21"), u("3/22"), u("4/29"),  u("5/3"),  u("5/4"),
        u("5/5"),  u("7/19"), u("8/11"), u("9/20"), u("9/23"), u("10/11"), u("11/3"), u("11/23")};
    QTest::newRow("1989, the old rules and a state funeral") << 1989 << QStringList{
        u("1/1"),  u("1/2"),  u("1/15"), u("1/16"), u("2/11"), u("2/24"), u("3/21"), u("4/29"), u("5/3"),
        u("5/4"),  u("5/5"),  u("9/15"), u("9/23"), u("10/10"), u("11/3"), u("11/23"), u("12/23")};
    QTest::newRow("1978, the equinoxes before 1980") << 1978 << QStringList{
        u("1/1"), u("1/2"),  u("1/15"), u("1/16"), u("2/11"), u("3/21"),  u("4/29"),
        u("5/3"), u("5/5"),  u("9/15"), u("9/23"), u("10/10"), u("11/3"), u("11/23")};
    QTest::newRow("1970, equinoxes a day late if rounded down") << 1970 << QStringList{
        u("1/1"), u("1/15"), u("2/11"), u("3/21"), u("4/29"),  u("5/3"),
        u("5/5"), u("9/15"), u("9/23"), u("10/10"), u("11/3"), u("11/23")};
    QTest::newRow("before the law") << 1947 << QStringList{};
}

void TestMainWindow::holidaysAsTheLawSetsThem()
{
    QFETCH(int, year);
    QFETCH(QStringList, days);
    QStringList found;
    for (const QDate& day : JapaneseHolidays::ofYear(year).keys())
        found << QStringLiteral("%1/%2").arg(day.month()).arg(day.day());
    QCOMPARE(found, days);
}

void TestMainWindow::holidayNames_data()
{
    QTest::addColumn<QDate>("day");
    QTest::addColumn<QString>("name");
    QTest::newRow("substitute before 2007, also between two holidays") << QDate(1987, 5, 4) << u("振替休日");
    QTest::newRow("substitute for a moved holiday") << QDate(2021, 8, 9) << u("振替休日");
    QTest::newRow("between the enthronement and 昭和の日") << QDate(2019, 4, 30) << u("国民の休日");
    QTest::newRow("between 敬老の日 and 秋分の日") << QDate(2026, 9, 22) << u("国民の休日");
    QTest::newRow("the equinox") << QDate(2027, 3, 21) << u("春分の日");
}

void TestMainWindow::holidayNames()
{
    QFETCH(QDate, day);
    QFETCH(QString, name);
    QCOMPARE(JapaneseHolidays::ofYear(day.year()).value(day), name);
}

// January 2027 as the calendar shows it: 元日 and 成人の日 (the second Monday) marked and
// named, and no other day, 1/15 included.
void TestMainWindow::calendarMarksJanuary2027()
{
    DateBox box;
    box.setDate(QDate(2027, 1, 20));
    box.show();
    QVERIFY(QTest::qWaitForWindowExposed(&box));
    box.showCalendar();
    HolidayCalendar* calendar = box.calendar();
    QCOMPARE(calendar->yearShown(), 2027);
    QCOMPARE(calendar->monthShown(), 1);
    auto* view = calendar->findChild<QAbstractItemView*>(u("qt_calendar_calendarview"));
    QVERIFY(view);
    const QColor red(0xc0, 0x1c, 0x1c);
    QMap<int, QString> marked;
    for (int row = 1; row < view->model()->rowCount(); ++row)
        for (int column = 0; column < 7; ++column) {
            const QModelIndex cell = view->model()->index(row, column);
            const int day = cell.data().toInt();
            const bool inJanuary = !(row == 1 && day > 7) && !(row > 4 && day < 15);
            if (inJanuary && cell.data(Qt::ForegroundRole).value<QColor>() == red)
                marked.insert(day, cell.data(Qt::ToolTipRole).toString());
        }
    QCOMPARE(marked, (QMap<int, QString>{{1, u("元日")}, {11, u("成人の日")}}));
}

void TestMainWindow::lists()
{
    Started started;
    auto items = [](QComboBox* combo) {
        QStringList all;
        for (int i = 0; i < combo->count(); ++i)
            all << combo->itemText(i);
        return all;
    };
    auto* paper = started.get<QComboBox>("cmb用紙");
    QCOMPARE(items(paper), QStringList({u("A4 x 4"), u("A4 x 4 控付"), u("A4 x 4 T2"), u("A4 x 4 T3"),
                                        u("A4 x 4 T4"), u("A4 x 8"), u("A4 x 8 T3"), u("A4 x 8 T4")}));
    QCOMPARE(paper->currentText(), u("A4 x 4"));
    auto* era = started.get<QComboBox>("cmb年号");
    QCOMPARE(items(era), QStringList({u("西暦"), u("和暦")}));
    auto* codeKind = started.get<QComboBox>("cmbコード区分");
    QCOMPARE(items(codeKind), QStringList({u("顧客区分"), u("但書")}));
    QCOMPARE(codeKind->currentText(), u("顧客区分"));
    QCOMPARE(started.get<QLabel>("lblInfo")->text().split(QLatin1Char('\n')).size(), 2);
    QCOMPARE(started.get<QLabel>("lblInfo")->text().section(QLatin1Char('\n'), 0, 0), u("LEDRIUM Ver 1.16"));
    QCOMPARE(started.get<QLabel>("lblSupport")->text(), u("質問は下のバナーをクリックしてモルベクフリー掲示板へ"));
    QCOMPARE(started.window->windowTitle(), u("LEDRIUM Ver 1.16"));
}

// Visible columns, captions, widths and alignment of both grids; amounts as "#,###"; the code locked.
// A check cell shows its box and nothing else: no trace of the stored -1 or 0 beside it.
void TestMainWindow::checkCellsShowOnlyTheirBox()
{
    Started started;
    auto* customers = started.get<QTableView>("Grid顧客");
    auto* model = qobject_cast<QSqlTableModel*>(customers->model());
    TestData::execWork(u("DELETE FROM w顧客マスタ"));
    TestData::execWork(u("INSERT INTO w顧客マスタ (行番号, チェック, 顧客名) VALUES (1, 0, 'A'), (2, -1, 'B')"));
    model->select();
    started.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(started.window.get()));
    const QImage shown = customers->viewport()->grab().toImage();
    const int column = model->fieldIndex(u("チェック"));
    const int left = customers->columnViewportPosition(column);
    for (int row = 0; row < 2; ++row) {
        const QRect cell(left, customers->rowViewportPosition(row), customers->columnWidth(column),
                         customers->rowHeight(row));
        // The box sits in the middle: the strip from the cell's left edge to the box is bare.
        for (int x = cell.left() + 1; x < cell.center().x() - 8; ++x)
            for (int y = cell.top() + 1; y < cell.bottom(); ++y)
                QVERIFY2(QColor(shown.pixel(x, y)).lightness() > 240,
                         qPrintable(QStringLiteral("row %1: ink at %2, %3").arg(row).arg(x - cell.left()).arg(y - cell.top())));
    }
}

void TestMainWindow::grids()
{
    Started started;
    auto visible = [](QTableView* grid) {
        QStringList captions;
        QList<int> widths;
        for (int column = 0; column < grid->model()->columnCount(); ++column)
            if (!grid->isColumnHidden(column)) {
                captions << grid->model()->headerData(column, Qt::Horizontal).toString();
                widths << grid->columnWidth(column);
            }
        return qMakePair(captions, widths);
    };
    auto* customers = started.get<QTableView>("Grid顧客");
    const auto [captions, widths] = visible(customers);
    QCOMPARE(captions, QStringList({u(""), u(""), u("顧　客　名"), u("領収額"), u("但　　書")}));
    QCOMPARE(widths, QList<int>({29, 26, 167, 82, 263}));
    TestData::execWork(u("DELETE FROM w顧客マスタ"));
    TestData::execWork(u("INSERT INTO w顧客マスタ (行番号, チェック, 顧客名, 領収額, 但書) VALUES (1, 0, 'A', 1234567, 'x'), (2, 0, 'B', 0, 'y')"));
    auto* model = qobject_cast<QSqlTableModel*>(customers->model());
    model->select();
    const int amount = model->fieldIndex(u("領収額"));
    auto shown = [&](int row) {
        const QModelIndex index = model->index(row, amount);
        return static_cast<QStyledItemDelegate*>(customers->itemDelegateForColumn(amount))->displayText(index.data(), QLocale());
    };
    QCOMPARE(shown(0), u("1,234,567"));
    QCOMPARE(shown(1), QString());
    auto* codes = started.get<QTableView>("Gridコード表");
    const auto [codeCaptions, codeWidths] = visible(codes);
    QCOMPARE(codeCaptions, QStringList({u(""), u("名　　　　　称")}));
    QCOMPARE(codeWidths, QList<int>({29, 427}));
    // The code column takes no editor; the name column does.
    started.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(started.window.get()));
    started.get<QTabWidget>("SSTab1")->setCurrentIndex(1);
    auto* codeModel = qobject_cast<QSqlTableModel*>(codes->model());
    QVERIFY(CodeWorkTable::rebuild());
    codeModel->select();
    QCOMPARE(codeModel->rowCount(), 30);
    const QModelIndex code = codeModel->index(0, codeModel->fieldIndex(u("code")));
    const QModelIndex name = codeModel->index(0, codeModel->fieldIndex(u("sname")));
    codes->setCurrentIndex(code);
    codes->edit(code);
    QVERIFY(!codes->indexWidget(code) && !codes->findChild<QLineEdit*>());
    codes->setCurrentIndex(name);
    codes->edit(name);
    QVERIFY(codes->findChild<QLineEdit*>());
}

// The three data controls show the work tables once the window has loaded.
void TestMainWindow::dataControls()
{
    Started started;
    const QList<QPair<const char*, const char*>> controls = {
        {"dat顧客", "w顧客マスタ"}, {"dat但書", "w但書"}, {"datコードマスタ", "wコードマスタ"}};
    for (const auto& [name, table] : controls) {
        auto* model = started.window->findChild<QSqlTableModel*>(u(name));
        QVERIFY2(model, name);
        QCOMPARE(model->parent(), started.window.get());
        QCOMPARE(model->tableName(), u(table));
        QCOMPARE(model->database().connectionName(), u("WorkDb"));
        const QVariantList count = TestData::columnWork(u("SELECT count(*) FROM ") + u(table));
        QCOMPARE(model->rowCount(), count.value(0).toInt());
    }
    QCOMPARE(started.get<QTableView>("Grid顧客")->model(), started.window->findChild<QSqlTableModel*>(u("dat顧客")));
    QCOMPARE(started.get<QListView>("DD但書")->model(), started.window->findChild<QSqlTableModel*>(u("dat但書")));
}

void TestMainWindow::readOnlyLists_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<int>("key");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("changes"); // only Delete in the category box may change its text
    for (const char* name : {"cmb用紙", "cmb年号", "cmbコード区分", "cmb顧客区分"}) {
        const bool category = QByteArray(name) == "cmb顧客区分";
        QTest::addRow("%s Delete", name) << u(name) << int(Qt::Key_Delete) << QString() << category;
        QTest::addRow("%s Backspace", name) << u(name) << int(Qt::Key_Backspace) << QString() << false;
        QTest::addRow("%s letter", name) << u(name) << 0 << u("A") << false;
        QTest::addRow("%s digits", name) << u(name) << 0 << u("48") << false;
        QTest::addRow("%s Japanese", name) << u(name) << 0 << u("但") << false;
    }
}

void TestMainWindow::readOnlyLists()
{
    QFETCH(QString, name);
    QFETCH(int, key);
    QFETCH(QString, typed);
    QFETCH(bool, changes);
    Started started;
    auto* combo = started.window->findChild<QComboBox*>(name);
    if (combo->count() == 0)
        combo->addItems({u("会員"), u("賛助会員")});
    combo->setCurrentIndex(combo->count() - 1);
    started.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(started.window.get()));
    const bool settingsPage = name == u("cmb年号") || name == u("cmbコード区分");
    started.get<QTabWidget>("SSTab1")->setCurrentIndex(settingsPage ? 1 : 0);
    if (name == u("cmb用紙"))
        started.get<QWidget>("Cn印刷選択")->show();
    combo->setFocus();
    if (combo->lineEdit())
        combo->lineEdit()->selectAll();
    const QString before = combo->currentText();
    const int index = combo->currentIndex();
    QWidget* target = combo->lineEdit() ? static_cast<QWidget*>(combo->lineEdit()) : combo;
    if (key)
        QTest::keyClick(target, Qt::Key(key));
    else
        type(target, typed);
    QCOMPARE(combo->currentText() != before, changes);
    QCOMPARE(combo->currentIndex(), index);
    QCOMPARE(combo->count(), name == u("cmb用紙") ? 8 : 2);
}

void TestMainWindow::readOnlyListsTakeNoPasteOrDrop_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("how");
    for (const char* name : {"cmbコード区分", "cmb顧客区分"})
        for (const char* how : {"context menu paste", "context menu delete", "drop", "middle click"})
            QTest::addRow("%s %s", name, how) << u(name) << u(how);
}

// The category boxes change only by choosing an item: the edits a line edit offers besides
// keys (the context menu, drag and drop, the X primary selection) leave the text as chosen.
void TestMainWindow::readOnlyListsTakeNoPasteOrDrop()
{
    QFETCH(QString, name);
    QFETCH(QString, how);
    Started started;
    auto* combo = started.window->findChild<QComboBox*>(name);
    if (combo->count() == 0)
        combo->addItems({u("会員"), u("賛助会員")});
    combo->setCurrentIndex(combo->count() - 1);
    started.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(started.window.get()));
    started.get<QTabWidget>("SSTab1")->setCurrentIndex(name == u("cmbコード区分") ? 1 : 0);
    QLineEdit* edit = combo->lineEdit();
    QVERIFY(edit);
    combo->setFocus();
    edit->selectAll();
    const QString before = combo->currentText();
    const QString foreign = u("ABC");
    if (how.startsWith(u("context menu"))) {
        QApplication::clipboard()->setText(foreign);
        std::unique_ptr<QMenu> menu(edit->createStandardContextMenu());
        // The menu's own words, as its translation gives them.
        const QString action = QCoreApplication::translate("QLineEdit", how.endsWith(u("paste")) ? "&Paste" : "Delete");
        bool offered = false;
        for (QAction* item : menu->actions())
            if (item->text().section(QLatin1Char('\t'), 0, 0) == action) {
                offered = true;
                item->trigger(); // does nothing when disabled
            }
        QVERIFY(offered || combo->lineEdit()->isReadOnly());
    } else if (how == u("drop")) {
        QMimeData data;
        data.setText(foreign);
        QDragEnterEvent enter(edit->rect().center(), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(edit, &enter);
        QDropEvent drop(QPointF(edit->rect().center()), Qt::CopyAction, &data, Qt::LeftButton, {});
        QCoreApplication::sendEvent(edit, &drop);
    } else {
        QClipboard* clipboard = QApplication::clipboard();
        if (!clipboard->supportsSelection())
            QSKIP("this platform has no primary selection");
        clipboard->setText(foreign, QClipboard::Selection);
        QTest::mouseClick(edit, Qt::MiddleButton, {}, edit->rect().center());
    }
    QCOMPARE(combo->currentText(), before);
    QCOMPARE(combo->currentIndex(), combo->count() - 1);
}

void TestMainWindow::datesOutsideTheRangeAreRefused_data()
{
    QTest::addColumn<bool>("era");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("shown"); // empty: refused with a message, the old date stays
    QTest::newRow("the day before the range") << true << u("18721231") << QString();
    QTest::newRow("an era date before the range") << true << u("明治 05年12月31日") << QString();
    QTest::newRow("first day of the range") << true << u("18730101") << u("明治 06年01月01日");
    QTest::newRow("last day of Meiji") << true << u("19120729") << u("明治 45年07月29日");
    QTest::newRow("first day of Taisho") << true << u("19120730") << u("大正 01年07月30日");
    QTest::newRow("last day of Taisho") << true << u("19261224") << u("大正 15年12月24日");
    QTest::newRow("first day of Showa") << true << u("19261225") << u("昭和 01年12月25日");
    QTest::newRow("last day of the range") << true << u("20991231") << u("令和 81年12月31日");
    QTest::newRow("the day after the range") << true << u("21000101") << QString();
    QTest::newRow("year 9999") << true << u("99991231") << QString();
    QTest::newRow("year 1, Gregorian") << false << u("0001年01月01日") << QString();
    QTest::newRow("year 9999, Gregorian") << false << u("9999年12月31日") << QString();
    QTest::newRow("first day, Gregorian") << false << u("1873年1月1日") << u("1873年01月01日");
    QTest::newRow("last day, Gregorian") << false << u("2099年12月31日") << u("2099年12月31日");
}

// The box takes 1873-01-01 to 2099-12-31, where both patterns are right; a date outside is
// refused with a message, whether typed or picked, and the box keeps its date.
void TestMainWindow::datesOutsideTheRangeAreRefused()
{
    QFETCH(bool, era);
    QFETCH(QString, typed);
    QFETCH(QString, shown);
    ScriptedMessagePresenter& presenter = ScriptedMessagePresenter::install();
    QWidget host;
    auto* box = new DateBox(&host);
    box->setEraFormat(era);
    box->setDate(QDate(2000, 1, 1));
    const QString old = box->text();
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    box->lineEdit()->setFocus();
    box->lineEdit()->selectAll();
    type(box->lineEdit(), typed);
    QTest::keyClick(box->lineEdit(), Qt::Key_Return);
    QCOMPARE(box->text(), shown.isEmpty() ? old : shown);
    QCOMPARE(box->lineEdit()->text(), box->text());
    QCOMPARE(presenter.shown.size(), shown.isEmpty() ? 1 : 0);
    if (shown.isEmpty())
        QVERIFY(presenter.shown[0].prompt.contains(u("1873年01月01日～2099年12月31日")));
    // Neither can the calendar reach a date outside.
    QCOMPARE(box->calendar()->minimumDate(), QDate(1873, 1, 1));
    QCOMPARE(box->calendar()->maximumDate(), QDate(2099, 12, 31));
}

// "行削除", "削除" and the banner do nothing: no message, no table changed, no text changed.
void TestMainWindow::buttonsWithoutAction()
{
    Started started;
    ScriptedMessagePresenter& presenter = ScriptedMessagePresenter::install();
    TestData::execMain(u("INSERT INTO 自社情報 (自社名, 領収証番号) VALUES ('会', 7)"));
    TestData::execWork(u("DELETE FROM w顧客マスタ"));
    TestData::execWork(u("INSERT INTO w顧客マスタ (行番号, チェック, 顧客名) VALUES (1, -1, 'A')"));
    started.window->show();
    QVERIFY(QTest::qWaitForWindowExposed(started.window.get()));
    auto snapshot = [] {
        return TestData::columnMain(u("SELECT group_concat(ifnull(自社名,'') || 領収証番号) FROM 自社情報")) +
               TestData::columnMain(u("SELECT count(*) FROM 顧客マスタ")) +
               TestData::columnWork(u("SELECT group_concat(行番号 || チェック || ifnull(顧客名,'')) FROM w顧客マスタ")) +
               TestData::columnMain(u("SELECT group_concat(ifnull(sname,'-')) FROM コードマスタ"));
    };
    const QVariantList before = snapshot();
    auto* tabs = started.get<QTabWidget>("SSTab1");
    QTest::mouseClick(started.get<QToolButton>("CSCmdBtn1"), Qt::LeftButton);
    tabs->setCurrentIndex(1);
    started.get<QLineEdit>("txt自社名")->setText(u("画面の値"));
    QTest::mouseClick(started.get<QToolButton>("cmd設定削除"), Qt::LeftButton);
    QTest::mouseClick(started.get<QWidget>("Image2"), Qt::LeftButton);
    QCOMPARE(snapshot(), before);
    QCOMPARE(presenter.shown.size(), 0);
    QCOMPARE(started.get<QLineEdit>("txt自社名")->text(), u("画面の値"));
    QCOMPARE(tabs->currentIndex(), 1);
    QVERIFY(started.window->isVisible());
}

void TestMainWindow::numberBox_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<bool>("empty");
    QTest::addColumn<qint64>("value");
    QTest::addColumn<QString>("shown");
    QTest::newRow("thousands") << u("12345") << false << qint64(12345) << u("12,345");
    QTest::newRow("negative") << u("-1234") << false << qint64(-1234) << u("-1,234");
    QTest::newRow("past the range") << u("999999") << false << qint64(99999) << u("99,999");
    QTest::newRow("letters dropped") << u("1a2b") << false << qint64(12) << u("12");
    QTest::newRow("nothing typed") << u("") << true << qint64(0) << u("");
    QTest::newRow("lone minus") << u("-") << true << qint64(0) << u("");
    // "#,###" prints no digit for zero: the box looks empty but holds 0.
    QTest::newRow("zero") << u("0") << false << qint64(0) << u("");
    QTest::newRow("zeros") << u("000") << false << qint64(0) << u("");
    QTest::newRow("zero typed away") << u("0\b") << true << qint64(0) << u("");
}

// Whole numbers within -99999 … 99999, shown "#,###" once the box is left; empty is not 0.
void TestMainWindow::numberBox()
{
    QFETCH(QString, typed);
    QFETCH(bool, empty);
    QFETCH(qint64, value);
    QFETCH(QString, shown);
    QWidget host;
    auto* box = new NumberBox(&host);
    auto* other = new QLineEdit(&host);
    other->move(0, 40);
    host.show();
    QVERIFY(QTest::qWaitForWindowExposed(&host));
    box->setFocus();
    QTest::keyClicks(box, typed);
    other->setFocus();
    QCOMPARE(box->isEmpty(), empty);
    QCOMPARE(box->value(), value);
    QCOMPARE(box->text(), shown);
    box->setValue(-5000000);
    QCOMPARE(box->value(), qint64(-99999));
    box->clear();
    QVERIFY(box->isEmpty());
    QCOMPARE(box->text(), QString());
}

// Kept in the user's settings file, so that it holds across starts; a folder since removed is
// not offered.
void TestMainWindow::fileDialogsOpenWhereTheUserSavedLast()
{
    QStandardPaths::setTestModeEnabled(true);
    QFile::remove(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u("/Ledrium/Ledrium.conf"));
    const QString documents = QStandardPaths::writableLocation(QStandardPaths::DocumentsLocation);
    QCOMPARE(RecentFolder::suggest(u("領収証.pdf")), QDir(documents).filePath(u("領収証.pdf")));
    QTemporaryDir chosen;
    RecentFolder::remember(QDir(chosen.path()).filePath(u("会費.pdf")));
    RecentFolder::remember(QString()); // a cancelled dialog
    QCOMPARE(RecentFolder::suggest(u("発行記録.csv")), QDir(chosen.path()).filePath(u("発行記録.csv")));
    chosen.remove();
    QCOMPARE(RecentFolder::suggest(), documents);
    QFile::remove(QStandardPaths::writableLocation(QStandardPaths::GenericConfigLocation) + u("/Ledrium/Ledrium.conf"));
    QStandardPaths::setTestModeEnabled(false);
}

QTEST_MAIN(TestMainWindow)
#include "tst_mainwindow.moc"
