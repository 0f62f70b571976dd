// The code master editor of the settings page and the category and proviso lists of the
// receipt page, driven through the grid, the category box and the buttons.
#include "SettingsPage.h"
#include "TestData.h"
#include "TestText.h"
#include "app/ApplicationSetup.h"
#include "app/MainWindow.h"

#include <QApplication>
#include <QComboBox>
#include <QLineEdit>
#include <QListView>
#include <QSqlError>
#include <QSqlTableModel>
#include <QTabWidget>
#include <QTableView>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {
struct Started : SettingsPage {
    using SettingsPage::SettingsPage;
    QTableView* grid() const { return get<QTableView>("Gridコード表"); }
    QSqlTableModel* codes() const { return qobject_cast<QSqlTableModel*>(grid()->model()); }
    QModelIndex cell(int row, const char* field) const { return codes()->index(row, codes()->fieldIndex(u(field))); }

    // Types into the grid's current cell as a user does: the first key opens the editor.
    void typeIntoCell(int row, const QString& text) const
    {
        grid()->setFocus();
        grid()->setCurrentIndex(cell(row, "sname"));
        for (const QChar c : text) {
            QWidget* target = QApplication::focusWidget();
            if (c.unicode() < 0x80)
                QTest::keyClick(target, c.toLatin1());
            else
                QTest::sendKeyEvent(QTest::Click, target, Qt::Key_unknown, QString(c), Qt::NoModifier);
        }
    }
    // Enter in a cell editor stores the cell (the grid does it from its event queue).
    void pressEnter() const
    {
        QTest::keyClick(QApplication::focusWidget(), Qt::Key_Return);
        QCoreApplication::processEvents();
    }
};

// "code=name" of a list's master rows in code order; Null names as <N>.
QStringList master(const char* kcode)
{
    QStringList rows;
    for (const QVariant& row : TestData::columnMain(
             u("SELECT code || '=' || ifnull(sname, '<N>') FROM コードマスタ WHERE kcode = ? ORDER BY code, rowid"),
             {u(kcode)}))
        rows << row.toString();
    return rows;
}

QStringList workNames()
{
    QStringList rows;
    for (const QVariant& row :
         TestData::columnWork(u("SELECT code || '=' || ifnull(sname, '<N>') || '/' || チェック FROM wコードマスタ ORDER BY code, id")))
        rows << row.toString();
    return rows;
}

QStringList thirty(const QMap<int, QString>& names, const QString& blank)
{
    QStringList rows;
    for (int i = 1; i <= 30; ++i)
        rows << QStringLiteral("%1=%2").arg(i, 2, 10, QLatin1Char('0')).arg(names.value(i, blank));
    return rows;
}

QStringList items(const QComboBox* box)
{
    QStringList all;
    for (int i = 0; i < box->count(); ++i)
        all << box->itemText(i);
    return all;
}
} // namespace

class TestCodes : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void startShowsCustomerCategories();
    void clearDetail();
    void readCategory_data();
    void readCategory();
    void saveTypedNames();
    void saveWithoutCategory();
    void saveRenumbers();
    void leavingTheBoxRereads();
    void japaneseInputInNamesOnly();
    void enterMovesRight();
    void categoryAndProvisoLists();
    void listsRunTwice();
    void listsAfterInitialisation();
    void openingTheListIsNotLeavingIt_data();
    void openingTheListIsNotLeavingIt();
};

void TestCodes::initTestCase()
{
    ApplicationSetup::apply(*static_cast<QApplication*>(QCoreApplication::instance()));
}

// After start-up the editor shows "顧客区分" and its names, one row per code.
void TestCodes::startShowsCustomerCategories()
{
    Started started([] { TestData::execMain(u("UPDATE コードマスタ SET sname = '会員' WHERE kcode = '顧客区分' AND code = '02'")); });
    QCOMPARE(started.get<QComboBox>("cmbコード区分")->currentText(), u("顧客区分"));
    QCOMPARE(started.codes()->rowCount(), 30);
    QCOMPARE(started.cell(1, "sname").data().toString(), u("会員"));
    QCOMPARE(started.cell(29, "code").data().toString(), u("30"));
}

void TestCodes::clearDetail()
{
    Started started([] { TestData::execMain(u("UPDATE コードマスタ SET sname = 'x'")); });
    started.window->Clearコード明細();
    QStringList blank;
    for (int i = 1; i <= 30; ++i)
        blank << QStringLiteral("%1=/0").arg(i, 2, 10, QLatin1Char('0'));
    QCOMPARE(workNames(), blank);
    QCOMPARE(started.codes()->rowCount(), 30);
    QCOMPARE(started.cell(0, "sname").data().toString(), QString());
}

void TestCodes::readCategory_data()
{
    QTest::addColumn<QString>("arrange");  // SQL on the main database
    QTest::addColumn<QStringList>("shown"); // the grid's names, rows 1 … 30
    QStringList blank(30, QString());
    QStringList some = blank;
    some[0] = u("会費");
    some[2] = u("寄付");
    QTest::newRow("names laid over blank rows")
        << u("UPDATE コードマスタ SET sname = CASE code WHEN '01' THEN '会費' WHEN '03' THEN '寄付' END WHERE kcode = '但書'")
        << some;
    QTest::newRow("no rows at all") << u("DELETE FROM コードマスタ WHERE kcode = '但書'") << blank;
    QStringList many = blank;
    for (int i = 0; i < 30; ++i)
        many[i] = QStringLiteral("n%1").arg(i + 1);
    QTest::newRow("rows past the 30th are dropped")
        << u("INSERT INTO コードマスタ VALUES ('但書', '31', 'n31'); UPDATE コードマスタ SET sname = 'n' || CAST(code AS INTEGER) WHERE kcode = '但書'")
        << many;
    QTest::newRow("a name with quotes") << u("UPDATE コードマスタ SET sname = 'O''Brien \"x\"' WHERE kcode = '但書' AND code = '01'")
                                        << QStringList(some.mid(0, 1).replaceInStrings(u("会費"), u("O'Brien \"x\"")) + blank.mid(1));
}

// Choosing "但書" and leaving the box shows that list's master rows.
void TestCodes::readCategory()
{
    QFETCH(QString, arrange);
    QFETCH(QStringList, shown);
    Started started([&arrange] {
        for (const QString& statement : arrange.split(QStringLiteral("; ")))
            TestData::execMain(statement);
    });
    auto* box = started.get<QComboBox>("cmbコード区分");
    box->setFocus();
    box->setCurrentIndex(1);
    started.grid()->setFocus();
    QCOMPARE(started.codes()->rowCount(), 30);
    QStringList names;
    for (int row = 0; row < 30; ++row)
        names << started.cell(row, "sname").data().toString();
    QCOMPARE(names, shown);
}

// Names typed into rows 1 and 3 (the second still being edited) are saved as 30 rows, 28 of them "".
void TestCodes::saveTypedNames()
{
    Started started;
    started.typeIntoCell(0, u("正会員"));
    started.pressEnter();
    started.typeIntoCell(2, u("賛助's"));
    QVERIFY(started.grid()->viewport()->findChild<QLineEdit*>()); // still being edited
    started.presenter->answers = {true};
    started.get<QToolButton>("cmd設定登録")->click();
    QCOMPARE(master("顧客区分"), thirty({{1, u("正会員")}, {3, u("賛助's")}}, QString()));
    QCOMPARE(master("但書"), thirty({}, u("<N>")));
    QCOMPARE(started.titles(), QStringList{u("登録の確認")});
}

// Without a category the save warns, deletes nothing and leaves the focus in the box.
void TestCodes::saveWithoutCategory()
{
    Started started([] { TestData::execMain(u("UPDATE コードマスタ SET sname = '元' WHERE code = '01'")); });
    auto* box = started.get<QComboBox>("cmbコード区分");
    box->setCurrentIndex(-1);
    QCOMPARE(box->currentText(), QString());
    started.presenter->answers = {true};
    QTest::mouseClick(started.get<QToolButton>("cmd設定登録"), Qt::LeftButton);
    QCOMPARE(started.titles(), (QStringList{u("登録の確認"), u("入力注意")}));
    QCOMPARE(started.presenter->shown[1].prompt, u("区分が指定されていません。区分を指定してください"));
    QCOMPARE(master("顧客区分"), thirty({{1, u("元")}}, u("<N>")));
    QCOMPARE(master("但書"), thirty({{1, u("元")}}, u("<N>")));
    QVERIFY(box->hasFocus());
}

// Saved rows are numbered by their place in code order, whatever codes the work rows carry.
void TestCodes::saveRenumbers()
{
    Started started;
    TestData::execWork(u("UPDATE wコードマスタ SET sname = 'N' || code"));
    TestData::execWork(u("UPDATE wコードマスタ SET code = printf('%02d', 31 - CAST(code AS INTEGER))"));
    started.codes()->select();
    started.presenter->answers = {true};
    started.get<QToolButton>("cmd設定登録")->click();
    QMap<int, QString> names;
    for (int i = 1; i <= 30; ++i)
        names.insert(i, QStringLiteral("N%1").arg(31 - i, 2, 10, QLatin1Char('0')));
    QCOMPARE(master("顧客区分"), thirty(names, QString()));
}

// Leaving the category box rereads the master: edits not saved are gone.
void TestCodes::leavingTheBoxRereads()
{
    Started started;
    started.typeIntoCell(4, u("未登録"));
    started.pressEnter();
    QCOMPARE(started.cell(4, "sname").data().toString(), u("未登録"));
    started.get<QComboBox>("cmbコード区分")->setFocus();
    started.grid()->setFocus();
    QCOMPARE(started.cell(4, "sname").data().toString(), QString());
    QCOMPARE(master("顧客区分"), thirty({}, u("<N>")));
}

// Japanese input is on in the name column and off in the code column, for the editor too.
void TestCodes::japaneseInputInNamesOnly()
{
    Started started;
    QTableView* grid = started.grid();
    grid->setFocus();
    grid->setCurrentIndex(started.cell(3, "sname"));
    QVERIFY(grid->testAttribute(Qt::WA_InputMethodEnabled));
    QTest::keyClick(grid, 'a');
    QWidget* editor = QApplication::focusWidget();
    QVERIFY(grid->viewport()->isAncestorOf(editor));
    QVERIFY(editor->testAttribute(Qt::WA_InputMethodEnabled));
    QTest::keyClick(editor, Qt::Key_Escape);
    grid->setCurrentIndex(started.cell(3, "code"));
    QVERIFY(!grid->testAttribute(Qt::WA_InputMethodEnabled));
}

// Enter stores the name and moves right, from the name column to the next row's code.
void TestCodes::enterMovesRight()
{
    Started started;
    QTableView* grid = started.grid();
    started.typeIntoCell(0, u("A"));
    started.pressEnter();
    QTRY_COMPARE(grid->currentIndex(), started.cell(1, "code"));
    QCOMPARE(started.cell(0, "sname").data().toString(), u("A"));
    QTest::keyClick(grid, Qt::Key_Return);
    QCOMPARE(grid->currentIndex(), started.cell(1, "sname"));
    grid->setCurrentIndex(started.cell(29, "sname"));
    QTest::keyClick(grid, Qt::Key_Return); // nothing after the last row
    QCOMPARE(grid->currentIndex(), started.cell(29, "sname"));
}

// The category box and w但書 take the non-empty names in code order, duplicates kept, no gaps;
// the proviso drop-down shows them at once.
void TestCodes::categoryAndProvisoLists()
{
    Started started([] {
        TestData::execMain(u("UPDATE コードマスタ SET sname = CASE code WHEN '01' THEN '正会員' WHEN '02' THEN '' "
                             "WHEN '04' THEN '賛助会員' END WHERE kcode = '顧客区分'"));
        TestData::execMain(u("UPDATE コードマスタ SET sname = CASE code WHEN '01' THEN '会費' WHEN '04' THEN '寄付' "
                             "WHEN '07' THEN '会費' END WHERE kcode = '但書'"));
    });
    auto* category = started.get<QComboBox>("cmb顧客区分");
    QCOMPARE(items(category), (QStringList{u("正会員"), u("賛助会員")}));
    QCOMPARE(category->currentIndex(), -1);
    QCOMPARE(category->currentText(), QString());
    QCOMPARE(TestData::columnWork(u("SELECT 但書 FROM w但書 ORDER BY id")),
             (QVariantList{u("会費"), u("寄付"), u("会費")}));
    auto* dropDown = started.get<QListView>("DD但書");
    QCOMPARE(dropDown->model()->rowCount(), 3);
    QCOMPARE(dropDown->model()->index(1, dropDown->modelColumn()).data().toString(), u("寄付"));
    // A later change reaches the drop-down the next time the lists are filled.
    TestData::execMain(u("UPDATE コードマスタ SET sname = '入会金' WHERE kcode = '但書' AND code = '10'"));
    category->setCurrentIndex(0);
    started.window->SetComb領収証();
    QCOMPARE(dropDown->model()->rowCount(), 4);
    QCOMPARE(category->currentText(), QString());
}

void TestCodes::listsRunTwice()
{
    Started started([] { TestData::execMain(u("UPDATE コードマスタ SET sname = 'x' || code WHERE code IN ('01', '02')")); });
    started.window->SetComb領収証();
    started.window->SetComb領収証();
    QCOMPARE(TestData::columnWork(u("SELECT 但書 FROM w但書 ORDER BY id")), (QVariantList{u("x01"), u("x02")}));
    QCOMPARE(items(started.get<QComboBox>("cmb顧客区分")), (QStringList{u("x01"), u("x02")}));
}

// After "実行" the lists come up empty the next time they are filled.
void TestCodes::listsAfterInitialisation()
{
    Started started([] { TestData::execMain(u("UPDATE コードマスタ SET sname = 'x' || code")); });
    QCOMPARE(started.get<QComboBox>("cmb顧客区分")->count(), 30);
    started.presenter->answers = {true};
    QTest::mouseClick(started.get<QToolButton>("cmd一括削除7"), Qt::LeftButton);
    started.window->SetComb領収証();
    QCOMPARE(started.get<QComboBox>("cmb顧客区分")->count(), 0);
    QCOMPARE(TestData::columnWork(u("SELECT count(*) FROM w但書")), QVariantList{0});
    QCOMPARE(started.get<QListView>("DD但書")->model()->rowCount(), 0);
}

void TestCodes::openingTheListIsNotLeavingIt_data()
{
    QTest::addColumn<int>("openings");
    QTest::newRow("first opening") << 1;
    QTest::newRow("second opening") << 2;
}

// Opening the category box's own drop-down, the very first time too, keeps the names typed
// into the grid (one stored, one still in its editor); 登録 saves both.
void TestCodes::openingTheListIsNotLeavingIt()
{
    QFETCH(int, openings);
    Started started;
    started.typeIntoCell(0, u("正会員"));
    started.pressEnter();
    started.typeIntoCell(1, u("準会員"));
    auto* box = started.get<QComboBox>("cmbコード区分");
    for (int i = 0; i < openings; ++i) {
        QTest::mouseClick(box, Qt::LeftButton, {}, QPoint(box->width() - 6, box->height() / 2)); // the arrow
        QTRY_VERIFY(box->view()->isVisible());
        QTest::keyClick(box->view(), Qt::Key_Escape);
        QTRY_VERIFY(!box->view()->isVisible());
    }
    QCOMPARE(box->currentText(), u("顧客区分"));
    started.presenter->answers = {true};
    started.get<QToolButton>("cmd設定登録")->click();
    QCOMPARE(master("顧客区分"), thirty({{1, u("正会員")}, {2, u("準会員")}}, QString()));
}

QTEST_MAIN(TestCodes)
#include "tst_codes.moc"
