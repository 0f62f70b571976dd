// The customer list on the receipt tab, through the real grid and buttons.
#include "ScriptedMessagePresenter.h"
#include "TestText.h"
#include "StartedWindow.h"
#include "TypeText.h"
#include "app/ApplicationSetup.h"
#include "customers/CustomerList.h"
#include "printing/PrintRuns.h"
#include "report/ReportPreview.h"
#include "report/ReportRun.h"
#include "store/CustomerMasterTable.h"
#include "store/CustomerWorkTable.h"

#include <QApplication>
#include <QHeaderView>
#include <QStyledItemDelegate>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QSqlTableModel>
#include <QTabWidget>
#include <QTableView>
#include <QToolButton>

class TestCustomers : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void loadMovesNamedCustomersUpAndMarksThem_data();
    void loadMovesNamedCustomersUpAndMarksThem();
    void saveThroughTheGrid_data();
    void saveThroughTheGrid();
    void decliningTheSaveChangesNothing();
    void editStillOpenIsSaved();
    void failedSaveTellsTheUser_data();
    void failedSaveTellsTheUser();
    void largeCategoryLoadsAndSavesWhole();
    void enterWalk_data();
    void enterWalk();
    void marks();
    void rowPickCopiesNameAndAmount_data();
    void rowPickCopiesNameAndAmount();
    void amountsOutOfRangeAreRefused_data();
    void amountsOutOfRangeAreRefused();
    void rowsWithoutANameAreNotPrinted_data();
    void rowsWithoutANameAreNotPrinted();
    void provisoKeepsWhatIsTyped_data();
    void provisoKeepsWhatIsTyped();
    void tabLeavesTheGrid_data();
    void tabLeavesTheGrid();
    void rowNumbersAndTheCurrentRowShowWhole_data();
    void rowNumbersAndTheCurrentRowShowWhole();
    void openingTheCategoryListKeepsTheAmounts();
};

namespace {

void chooseCategory(StartedWindow& started, const QString& category)
{
    auto* box = started.get<QComboBox>("cmb顧客区分");
    if (box->findText(category) < 0)
        box->addItem(category);
    box->setCurrentIndex(box->findText(category));
}

void fillMaster(const QString& category, const QList<QVariant>& names)
{
    QList<CustomerRecord> rows;
    for (int i = 0; i < names.size(); ++i)
        rows.append({i + 1, names[i], category, QStringLiteral("但し%1").arg(i + 1)});
    QVERIFY(CustomerMasterTable::replaceCategory(category, rows));
}

// Opens the cell's editor, types `text` and commits it as a user would with Enter.
void typeInto(QTableView* grid, const QModelIndex& index, const QString& text)
{
    grid->setFocus();
    grid->setCurrentIndex(QModelIndex());
    grid->setCurrentIndex(index); // moving onto a cell opens its editor
    QWidget* editor = QApplication::focusWidget();
    QVERIFY(editor && editor != grid);
    if (auto* line = qobject_cast<QLineEdit*>(editor))
        line->selectAll();
    else if (auto* combo = qobject_cast<QComboBox*>(editor))
        combo->lineEdit()->selectAll();
    if (text.isEmpty())
        QTest::keyClick(editor, Qt::Key_Delete);
    typeText(editor, text);
    QTest::keyClick(editor, Qt::Key_Return);
}

// The style option a grid's own delegate paints `index` with (its text, font and elision).
struct PaintedCell : QStyledItemDelegate {
    static QStyleOptionViewItem of(QTableView* grid, const QModelIndex& index)
    {
        QStyleOptionViewItem option;
        option.initFrom(grid->viewport());
        option.rect = grid->visualRect(index);
        option.font = grid->font();
        option.fontMetrics = grid->fontMetrics();
        option.widget = grid;
        option.locale = grid->locale();
        const auto init = &PaintedCell::initStyleOption; // the delegate's own, through its vtable
        (static_cast<QStyledItemDelegate*>(grid->itemDelegateForColumn(index.column()))->*init)(&option, index);
        return option;
    }
};

QModelIndex cell(StartedWindow& started, int row, CustomerList::Column column)
{
    CustomerList* list = started.window->customerList();
    return list->model()->index(row, list->modelColumn(column));
}

} // namespace

void TestCustomers::initTestCase()
{
    ApplicationSetup::apply(*static_cast<QApplication*>(QCoreApplication::instance()));
}

void TestCustomers::loadMovesNamedCustomersUpAndMarksThem_data()
{
    QTest::addColumn<QString>("category");
    QTest::addColumn<bool>("byFocus");
    QTest::newRow("leaving the category box") << u("会員") << true;
    QTest::newRow("the 読込 button") << u("会員") << false;
    QTest::newRow("a category with quotes") << u("O'Neil \"特別\" 会員") << false;
}

// Master rows 1, 2, 5 named and 3 Null: rows 1 to 3 are filled, marked; blank rows are not.
void TestCustomers::loadMovesNamedCustomersUpAndMarksThem()
{
    QFETCH(QString, category);
    QFETCH(bool, byFocus);
    StartedWindow started;
    QVERIFY(started.show());
    fillMaster(category, {u("一"), u("二"), QVariant(), u("五")});
    chooseCategory(started, category);
    if (byFocus) {
        started.get<QComboBox>("cmb顧客区分")->setFocus();
        QTRY_VERIFY(started.get<QComboBox>("cmb顧客区分")->hasFocus());
        started.get<QTableView>("Grid顧客")->setFocus();
    } else {
        QTest::mouseClick(started.get<QToolButton>("cmd徴収読込"), Qt::LeftButton);
    }
    const QList<CustomerWorkRow> rows = CustomerWorkTable::rows();
    QCOMPARE(rows.size(), 100);
    QCOMPARE(rows[0].顧客名.toString(), u("一"));
    QCOMPARE(rows[2].顧客名.toString(), u("五"));
    QCOMPARE(rows[2].但書.toString(), u("但し4"));
    QVERIFY(rows[3].顧客名.isNull());
    QVERIFY(rows[0].チェック && rows[1].チェック && rows[2].チェック);
    QVERIFY(!rows[3].チェック);
    // The grid shows it and the form shows the first customer.
    QCOMPARE(cell(started, 2, CustomerList::Col顧客名).data().toString(), u("五"));
    QCOMPARE(started.get<QLabel>("Lbl領収証氏名")->text(), u("一"));
}

void TestCustomers::saveThroughTheGrid_data()
{
    QTest::addColumn<QList<int>>("namedRows");
    QTest::addColumn<int>("amountOnlyRow");
    QTest::newRow("rows 2, 7 and 40") << QList<int>{1, 6, 39} << 10;
    QTest::newRow("first and last row") << QList<int>{0, 99} << 50;
}

// Names typed into scattered rows are saved compacted, 1, 2, 3 …; a row with only an amount
// is not a customer, and neither is a name erased again.
void TestCustomers::saveThroughTheGrid()
{
    QFETCH(QList<int>, namedRows);
    QFETCH(int, amountOnlyRow);
    StartedWindow started;
    QVERIFY(started.show());
    chooseCategory(started, u("会員"));
    auto* grid = started.get<QTableView>("Grid顧客");
    for (int row : namedRows)
        typeInto(grid, cell(started, row, CustomerList::Col顧客名), QStringLiteral("会員%1").arg(row + 1));
    typeInto(grid, cell(started, amountOnlyRow, CustomerList::Col領収額), u("500"));
    typeInto(grid, cell(started, amountOnlyRow + 1, CustomerList::Col顧客名), u("消す人"));
    typeInto(grid, cell(started, amountOnlyRow + 1, CustomerList::Col顧客名), QString());

    ScriptedMessagePresenter& presenter = ScriptedMessagePresenter::install();
    presenter.answers = {true};
    QTest::mouseClick(started.get<QToolButton>("cmd登録"), Qt::LeftButton);
    QCOMPARE(presenter.shown.size(), 1);
    QCOMPARE(presenter.shown[0].prompt, u("顧客リスト を登録します。よろしいですか"));
    const QList<CustomerRecord> saved = CustomerMasterTable::readCategory(u("会員"));
    QCOMPARE(saved.size(), namedRows.size());
    for (int i = 0; i < namedRows.size(); ++i) {
        QCOMPARE(saved[i].行番号, i + 1);
        QCOMPARE(saved[i].顧客名.toString(), QStringLiteral("会員%1").arg(namedRows[i] + 1));
    }
}

void TestCustomers::decliningTheSaveChangesNothing()
{
    StartedWindow started;
    QVERIFY(started.show());
    fillMaster(u("会員"), {u("旧")});
    chooseCategory(started, u("会員"));
    QTest::mouseClick(started.get<QToolButton>("cmd徴収読込"), Qt::LeftButton);
    typeInto(started.get<QTableView>("Grid顧客"), cell(started, 0, CustomerList::Col顧客名), u("新"));
    ScriptedMessagePresenter& presenter = ScriptedMessagePresenter::install();
    presenter.answers = {false};
    QTest::mouseClick(started.get<QToolButton>("cmd登録"), Qt::LeftButton);
    QCOMPARE(CustomerMasterTable::readCategory(u("会員")).value(0).顧客名.toString(), u("旧"));
    QCOMPARE(presenter.shown.size(), 1); // no message after a No
}

// A name still being typed when 登録 is pressed is part of the save.
void TestCustomers::editStillOpenIsSaved()
{
    StartedWindow started;
    QVERIFY(started.show());
    chooseCategory(started, u("会員"));
    auto* grid = started.get<QTableView>("Grid顧客");
    grid->setFocus();
    grid->setCurrentIndex(cell(started, 0, CustomerList::Col顧客名));
    QWidget* editor = QApplication::focusWidget();
    QVERIFY(editor && editor != grid);
    typeText(editor, u("入力中の人"));
    ScriptedMessagePresenter::install().answers = {true};
    started.window->Entry顧客リスト(); // as the button does, with the editor still open
    QCOMPARE(CustomerMasterTable::readCategory(u("会員")).value(0).顧客名.toString(), u("入力中の人"));
}

void TestCustomers::failedSaveTellsTheUser_data()
{
    QTest::addColumn<QString>("fault");
    QTest::newRow("disk full") << u("PRAGMA max_page_count = 1");
    QTest::newRow("read-only database") << u("PRAGMA query_only = ON");
}

// A save that cannot be written says so in Japanese, claims nothing, and keeps the old list.
void TestCustomers::failedSaveTellsTheUser()
{
    QFETCH(QString, fault);
    StartedWindow started;
    QVERIFY(started.show());
    fillMaster(u("会員"), {u("旧")});
    chooseCategory(started, u("会員"));
    QTest::mouseClick(started.get<QToolButton>("cmd徴収読込"), Qt::LeftButton);
    for (int row = 1; row < 60; ++row)
        TestData::execWork(u("UPDATE w顧客マスタ SET 顧客名 = ? WHERE 行番号 = ?"), {QString(300, QChar(0x4E00 + row)), row + 1});
    TestData::execMain(fault);
    ScriptedMessagePresenter& presenter = ScriptedMessagePresenter::install();
    presenter.answers = {true};
    QTest::mouseClick(started.get<QToolButton>("cmd登録"), Qt::LeftButton);
    QCOMPARE(presenter.shown.size(), 2);
    QCOMPARE(presenter.shown[1].title, u("注意"));
    QVERIFY(presenter.shown[1].prompt.startsWith(u("顧客リストを保存できませんでした。データは変更されていません。")));
    TestData::execMain(u("PRAGMA query_only = OFF"));
    const QList<CustomerRecord> kept = CustomerMasterTable::readCategory(u("会員"));
    QCOMPARE(kept.size(), 1);
    QCOMPARE(kept[0].顧客名.toString(), u("旧"));
}

// 150 customers in one category: every one is loaded and saved back.
void TestCustomers::largeCategoryLoadsAndSavesWhole()
{
    StartedWindow started;
    QVERIFY(started.show());
    QList<QVariant> names;
    for (int i = 1; i <= 150; ++i)
        names << QStringLiteral("会員%1").arg(i);
    fillMaster(u("大"), names);
    chooseCategory(started, u("大"));
    QTest::mouseClick(started.get<QToolButton>("cmd徴収読込"), Qt::LeftButton);
    QCOMPARE(started.window->customerList()->model()->rowCount(), 150);
    ScriptedMessagePresenter::install().answers = {true};
    QTest::mouseClick(started.get<QToolButton>("cmd登録"), Qt::LeftButton);
    const QList<CustomerRecord> saved = CustomerMasterTable::readCategory(u("大"));
    QCOMPARE(saved.size(), 150);
    QCOMPARE(saved.last().顧客名.toString(), u("会員150"));
}

void TestCustomers::enterWalk_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<int>("column");
    QTest::addColumn<bool>("editing");
    QTest::addColumn<int>("toRow");
    QTest::addColumn<int>("toColumn");
    QTest::addColumn<bool>("imeOn");
    QTest::newRow("proviso of row 5 to the name of row 6") << 4 << int(CustomerList::Col但書) << false << 5
                                                           << int(CustomerList::Col顧客名) << true;
    QTest::newRow("proviso of the last row stays on it") << 99 << int(CustomerList::Col但書) << false << 99
                                                         << int(CustomerList::Col顧客名) << true;
    QTest::newRow("name to amount, input off") << 2 << int(CustomerList::Col顧客名) << true << 2
                                               << int(CustomerList::Col領収額) << false;
    QTest::newRow("number to mark") << 0 << int(CustomerList::Col行番号) << false << 0
                                    << int(CustomerList::Colチェック) << false;
    QTest::newRow("editing the proviso commits and walks on") << 7 << int(CustomerList::Col但書) << true << 8
                                                               << int(CustomerList::Col顧客名) << true;
}

void TestCustomers::enterWalk()
{
    QFETCH(int, row);
    QFETCH(int, column);
    QFETCH(bool, editing);
    QFETCH(int, toRow);
    QFETCH(int, toColumn);
    QFETCH(bool, imeOn);
    StartedWindow started;
    QVERIFY(started.show());
    auto* grid = started.get<QTableView>("Grid顧客");
    grid->setFocus();
    const QModelIndex from = cell(started, row, CustomerList::Column(column));
    grid->setCurrentIndex(from);
    QWidget* target = grid;
    if (editing) {
        target = QApplication::focusWidget(); // the cell's editor opened with the move
        QVERIFY(target != grid);
        QTest::keyClicks(target, u("7"));
    }
    QTest::keyClick(target, Qt::Key_Return);
    QCOMPARE(grid->currentIndex(), cell(started, toRow, CustomerList::Column(toColumn)));
    // The cell's editor (or the grid, on the mark column) takes the typing, with Japanese input
    // as the column wants.
    QWidget* typing = QApplication::focusWidget();
    QVERIFY(typing == grid || grid->isAncestorOf(typing));
    QCOMPARE(typing->testAttribute(Qt::WA_InputMethodEnabled), imeOn);
    if (editing && column == CustomerList::Col但書)
        QCOMPARE(cell(started, row, CustomerList::Col但書).data().toString(), u("7"));
}

// 全解除 clears every mark, 全選択 marks named rows only, a click on a mark toggles it.
void TestCustomers::marks()
{
    StartedWindow started;
    QVERIFY(started.show());
    fillMaster(u("会員"), {u("一"), u("二"), u("三")});
    chooseCategory(started, u("会員"));
    QTest::mouseClick(started.get<QToolButton>("cmd徴収読込"), Qt::LeftButton);
    QCOMPARE(CustomerWorkTable::checkedRows().size(), 3);
    QTest::mouseClick(started.get<QToolButton>("cmd全解除"), Qt::LeftButton);
    QCOMPARE(CustomerWorkTable::checkedRows().size(), 0);
    TestData::execWork(u("UPDATE w顧客マスタ SET 領収額 = 100 WHERE 行番号 = 10"));
    QTest::mouseClick(started.get<QToolButton>("cmd全選択"), Qt::LeftButton);
    QCOMPARE(CustomerWorkTable::checkedRows().size(), 3);

    auto* grid = started.get<QTableView>("Grid顧客");
    const QModelIndex mark = cell(started, 1, CustomerList::Colチェック);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(mark).center());
    const QList<CustomerWorkRow> checked = CustomerWorkTable::checkedRows();
    QCOMPARE(checked.size(), 2);
    QCOMPARE(checked[1].顧客名.toString(), u("三"));
    QCOMPARE(mark.data(Qt::EditRole).toInt(), 0);
}

void TestCustomers::rowPickCopiesNameAndAmount_data()
{
    QTest::addColumn<QVariant>("amount");
    QTest::addColumn<QString>("shown");
    QTest::newRow("1,500") << QVariant(1500) << u("\u00A51,500");
    QTest::newRow("zero gives the yen sign alone") << QVariant(0) << u("\u00A5");
    QTest::newRow("no amount") << QVariant() << QString();
    QTest::newRow("ten digits") << QVariant(9999999999LL) << u("\u00A59,999,999,999");
}

void TestCustomers::rowPickCopiesNameAndAmount()
{
    QFETCH(QVariant, amount);
    QFETCH(QString, shown);
    StartedWindow started;
    QVERIFY(started.show());
    TestData::execWork(u("UPDATE w顧客マスタ SET 顧客名 = '山田', 領収額 = ? WHERE 行番号 = 4"), {amount});
    started.window->customerList()->model()->select();
    auto* grid = started.get<QTableView>("Grid顧客");
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                      grid->visualRect(cell(started, 3, CustomerList::Col顧客名)).center());
    QCOMPARE(started.get<QLabel>("Lbl領収証氏名")->text(), u("山田"));
    QCOMPARE(started.get<QLineEdit>("txt領収額")->text(), shown);
}

void TestCustomers::amountsOutOfRangeAreRefused_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<int>("messages");
    QTest::newRow("with commas") << u("12,345") << QVariant(12345) << 0;
    QTest::newRow("full-width digits") << u("１２０００") << QVariant(12000) << 0;
    QTest::newRow("eleven digits refused") << u("99999999999") << QVariant() << 1;
    QTest::newRow("letters cannot be typed") << u("abc") << QVariant() << 0;
    QTest::newRow("zero") << u("0") << QVariant(0) << 0;
}

void TestCustomers::amountsOutOfRangeAreRefused()
{
    QFETCH(QString, typed);
    QFETCH(QVariant, stored);
    QFETCH(int, messages);
    StartedWindow started;
    QVERIFY(started.show());
    ScriptedMessagePresenter& presenter = ScriptedMessagePresenter::install();
    typeInto(started.get<QTableView>("Grid顧客"), cell(started, 0, CustomerList::Col領収額), typed);
    const QVariant value = CustomerWorkTable::rows().value(0).領収額;
    QCOMPARE(value.isNull(), stored.isNull());
    if (!stored.isNull())
        QCOMPARE(value.toLongLong(), stored.toLongLong());
    QCOMPARE(presenter.shown.size(), messages);
    if (messages)
        QCOMPARE(presenter.shown[0].title, u("入力注意"));
}

void TestCustomers::rowsWithoutANameAreNotPrinted_data()
{
    QTest::addColumn<bool>("erase"); // true: erase 井上's name; false: mark the blank row 5
    QTest::newRow("a loaded name erased") << true;
    QTest::newRow("a blank row marked") << false;
}

// A list run prints named rows only: erasing a name takes its mark away, and a mark on a row
// without a name prints nothing, even with an amount typed on that row.
void TestCustomers::rowsWithoutANameAreNotPrinted()
{
    QFETCH(bool, erase);
    StartedWindow started;
    QVERIFY(started.show());
    ScriptedMessagePresenter::install();
    fillMaster(u("会員"), {u("相川"), u("井上"), u("上田")});
    chooseCategory(started, u("会員"));
    QTest::mouseClick(started.get<QToolButton>("cmd徴収読込"), Qt::LeftButton);
    auto* grid = started.get<QTableView>("Grid顧客");
    const int row = erase ? 1 : 4;
    typeInto(grid, cell(started, row, CustomerList::Col領収額), u("5000"));
    if (erase) {
        typeInto(grid, cell(started, row, CustomerList::Col顧客名), QString());
        QVERIFY(CustomerWorkTable::rows().value(row).顧客名.isNull());
        QCOMPARE(cell(started, row, CustomerList::Colチェック).data(Qt::EditRole).toInt(), 0);
    } else {
        QTest::mouseClick(grid->viewport(), Qt::LeftButton, {},
                          grid->visualRect(cell(started, row, CustomerList::Colチェック)).center());
    }
    QTest::mouseClick(started.get<QToolButton>("cmd徴収印刷"), Qt::LeftButton);
    QTest::mouseClick(started.get<QToolButton>("cmd印刷実行"), Qt::LeftButton);
    ReportPreview* preview = started.window->printRuns()->lastPreview();
    QVERIFY(preview);
    QStringList names;
    for (int receipt = 0; receipt < preview->run().cellCount(); ++receipt)
        names << preview->run().text(receipt, u("txt氏名"));
    QCOMPARE(names, erase ? QStringList({u("相川"), u("上田")}) : QStringList({u("相川"), u("井上"), u("上田")}));
    preview->close();
}

void TestCustomers::provisoKeepsWhatIsTyped_data()
{
    QTest::addColumn<QString>("typed");
    QTest::addColumn<int>("chosen"); // item picked from the drop-down afterwards; -1: none
    QTest::addColumn<QString>("stored");
    QTest::newRow("the start of a stock proviso, Japanese") << u("年") << -1 << u("年");
    QTest::newRow("a stock proviso without its ending") << u("寄付") << -1 << u("寄付");
    QTest::newRow("the start of a stock proviso, keys") << u("Ann") << -1 << u("Ann");
    QTest::newRow("a stock proviso still chosen from the list") << u("年") << 1 << u("寄付として");
}

// The proviso cell stores what is typed as typed; the stock provisos are offered, not forced.
void TestCustomers::provisoKeepsWhatIsTyped()
{
    QFETCH(QString, typed);
    QFETCH(int, chosen);
    QFETCH(QString, stored);
    StartedWindow started([] {
        TestData::execMain(u("UPDATE コードマスタ SET sname = CASE code WHEN '01' THEN '年会費として' WHEN '02' THEN "
                             "'寄付として' WHEN '03' THEN 'Annual fee' END WHERE kcode = '但書'"));
    });
    QVERIFY(started.show());
    auto* grid = started.get<QTableView>("Grid顧客");
    grid->setFocus();
    grid->setCurrentIndex(cell(started, 0, CustomerList::Col但書));
    QWidget* editor = QApplication::focusWidget();
    auto* combo = qobject_cast<QComboBox*>(editor);
    if (!combo && editor)
        combo = qobject_cast<QComboBox*>(editor->parentWidget());
    QVERIFY(combo);
    QCOMPARE(combo->count(), 3);
    typeText(combo->lineEdit(), typed);
    if (chosen >= 0)
        combo->setCurrentIndex(chosen);
    QCOMPARE(combo->currentText(), stored);
    QTest::keyClick(combo, Qt::Key_Return);
    QCOMPARE(CustomerWorkTable::rows().value(0).但書.toString(), stored);
}

void TestCustomers::tabLeavesTheGrid_data()
{
    QTest::addColumn<int>("column");
    QTest::addColumn<QString>("typed"); // typed into the cell's editor before the key
    QTest::addColumn<int>("modifiers");
    QTest::addColumn<bool>("forward");
    QTest::newRow("Tab from the mark column") << int(CustomerList::Colチェック) << QString() << 0 << true;
    QTest::newRow("Tab from a name being typed") << int(CustomerList::Col顧客名) << u("X") << 0 << true;
    QTest::newRow("Tab from the last column") << int(CustomerList::Col但書) << QString() << 0 << true;
    QTest::newRow("Shift+Tab from an amount being typed")
        << int(CustomerList::Col領収額) << u("12") << int(Qt::ShiftModifier) << false;
    QTest::newRow("Ctrl+Tab") << int(CustomerList::Col顧客名) << QString() << int(Qt::ControlModifier) << true;
}

// Tab and Shift+Tab go on to the next (previous) control of the tab order, keeping what was
// typed in the cell; they do not walk the grid's 500 cells.
void TestCustomers::tabLeavesTheGrid()
{
    QFETCH(int, column);
    QFETCH(QString, typed);
    QFETCH(int, modifiers);
    QFETCH(bool, forward);
    StartedWindow started;
    QVERIFY(started.show());
    auto* grid = started.get<QTableView>("Grid顧客");
    // The neighbours in the tab order, among the receipt page's controls that take Tab.
    QMap<int, QWidget*> byTab;
    for (QWidget* w : started.get<QTabWidget>("SSTab1")->widget(0)->findChildren<QWidget*>())
        if (w->property("tabIndex").isValid() && (w->focusPolicy() & Qt::TabFocus) && w->isVisible() &&
            w->isEnabled())
            byTab.insert(w->property("tabIndex").toInt(), w);
    const int gridTab = grid->property("tabIndex").toInt();
    QWidget* expected =
        forward ? byTab.upperBound(gridTab).value() : std::prev(byTab.lowerBound(gridTab)).value();
    QVERIFY(expected);

    grid->setFocus();
    grid->setCurrentIndex(cell(started, 3, CustomerList::Column(column)));
    QWidget* from = QApplication::focusWidget();
    if (!typed.isEmpty()) {
        QVERIFY(from != grid);
        QTest::keyClicks(from, typed);
    }
    const Qt::KeyboardModifiers keys(modifiers);
    QTest::keyClick(from, forward ? Qt::Key_Tab : Qt::Key_Backtab, keys);
    QWidget* now = QApplication::focusWidget();
    QVERIFY2(now == expected || expected->isAncestorOf(now),
             qPrintable(now ? now->objectName() + u(" has the focus") : u("nothing has the focus")));
    if (column == CustomerList::Col顧客名 && !typed.isEmpty())
        QCOMPARE(CustomerWorkTable::rows().value(3).顧客名.toString(), typed);
    if (column == CustomerList::Col領収額)
        QCOMPARE(CustomerWorkTable::rows().value(3).領収額.toLongLong(), typed.toLongLong());
}

void TestCustomers::rowNumbersAndTheCurrentRowShowWhole_data()
{
    QTest::addColumn<int>("row");
    QTest::addColumn<QVariant>("number"); // typed over the row number; invalid: the row's own
    QTest::addColumn<QString>("shown");
    QTest::newRow("row 100") << 99 << QVariant() << u("100");
    QTest::newRow("row 57") << 56 << QVariant() << u("57");
    QTest::newRow("the largest row number") << 60 << QVariant(99999) << u("99999");
}

// The narrow row-number column draws every number whole, and the row selector marks the
// current row (and only it).
void TestCustomers::rowNumbersAndTheCurrentRowShowWhole()
{
    QFETCH(int, row);
    QFETCH(QVariant, number);
    QFETCH(QString, shown);
    StartedWindow started;
    QVERIFY(started.show());
    auto* grid = started.get<QTableView>("Grid顧客");
    const QModelIndex numberCell = cell(started, row, CustomerList::Col行番号);
    if (number.isValid())
        QVERIFY(grid->model()->setData(numberCell, number));
    grid->setFocus();
    grid->setCurrentIndex(cell(started, row, CustomerList::Colチェック));
    grid->scrollTo(grid->currentIndex());
    QCoreApplication::processEvents();

    const QStyleOptionViewItem option = PaintedCell::of(grid, numberCell);
    QCOMPARE(QString(option.text).remove(QLatin1Char(',')), shown);
    const int margin = grid->style()->pixelMetric(QStyle::PM_FocusFrameHMargin, nullptr, grid) + 1;
    const int textWidth = QFontMetrics(option.font).horizontalAdvance(option.text);
    QVERIFY2(textWidth <= option.rect.width() - 2 * margin,
             qPrintable(QStringLiteral("%1 px of text in a %2 px cell").arg(textWidth).arg(option.rect.width())));

    // Dark ink in the current row's selector, none in its neighbours'.
    QHeaderView* selector = grid->verticalHeader();
    const QImage picture = selector->grab().toImage();
    auto inkIn = [&](int section) {
        const int top = selector->sectionViewportPosition(section);
        int ink = 0;
        for (int y = qMax(0, top + 2); y < qMin(picture.height(), top + selector->sectionSize(section) - 2); ++y)
            for (int x = 2; x < picture.width() - 2; ++x)
                ink += qGray(picture.pixel(x, y)) < 96 ? 1 : 0;
        return ink;
    };
    QVERIFY(inkIn(row) > 0);
    QCOMPARE(inkIn(row - 1), 0);
}

// Opening the category box's drop-down (the first time included) and closing it is not leaving
// the box: the loaded list keeps its typed amounts.
void TestCustomers::openingTheCategoryListKeepsTheAmounts()
{
    StartedWindow started;
    QVERIFY(started.show());
    fillMaster(u("会員"), {u("一"), u("二")});
    chooseCategory(started, u("会員"));
    QTest::mouseClick(started.get<QToolButton>("cmd徴収読込"), Qt::LeftButton);
    typeInto(started.get<QTableView>("Grid顧客"), cell(started, 1, CustomerList::Col領収額), u("3000"));
    auto* box = started.get<QComboBox>("cmb顧客区分");
    QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 6, box->height() / 2)); // the arrow
    QTRY_VERIFY(box->view()->isVisible());
    QTest::keyClick(box->view(), Qt::Key_Escape);
    QTRY_VERIFY(!box->view()->isVisible());
    QCOMPARE(CustomerWorkTable::rows().value(1).領収額.toLongLong(), 3000LL);
}

QTEST_MAIN(TestCustomers)
#include "tst_customers.moc"
