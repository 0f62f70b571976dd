// Own-company settings, the receipt-number counter and data initialisation, driven through the
// settings page's controls.
#include "SettingsPage.h"
#include "TestData.h"
#include "TestText.h"
#include "WindowRuns.h"
#include "app/ApplicationSetup.h"
#include "app/MainWindow.h"
#include "messages/MessageCatalogue.h"
#include "report/SealImage.h"
#include "settings/ReceiptCounter.h"
#include "store/CodeMasterTable.h"
#include "store/CompanyTable.h"
#include "ui/NumberBox.h"

#include <QApplication>
#include <QBuffer>
#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFileDialog>
#include <QPainter>
#include <QTimer>
#include <QComboBox>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QSqlTableModel>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QTest>
#include <QToolButton>

#include <memory>

namespace {
using Started = SettingsPage;

QVariantList settingsRows()
{
    QVariantList rows;
    for (const QVariant& row : TestData::columnMain(
             u("SELECT ifnull(自社名,'<N>') || '|' || ifnull(自社情報,'<N>') || '|' || ifnull(年号,'<N>') || '|' || "
               "ifnull(領収証番号,'<N>') FROM 自社情報 ORDER BY rowid")))
        rows << row;
    return rows;
}

const QByteArray StoredSeal = "<svg xmlns='http://www.w3.org/2000/svg' viewBox='0 0 10 10'><circle cx='5' cy='5' r='4'/></svg>";

// A red seal on white paper, as a scanner gives it.
QByteArray scannedSealPng()
{
    QImage image(120, 120, QImage::Format_RGB32);
    image.fill(Qt::white);
    QPainter(&image).fillRect(QRect(10, 10, 100, 100), QColor(200, 30, 30));
    QByteArray png;
    QBuffer buffer(&png);
    buffer.open(QIODevice::WriteOnly);
    image.save(&buffer, "PNG");
    return png;
}

// Picks `path` in the file dialog the button opens, as a user would.
void pickSealFile(const Started& started, const QString& path)
{
    QTimer::singleShot(0, [path] {
        if (auto* dialog = qobject_cast<QFileDialog*>(QApplication::activeModalWidget())) {
            dialog->selectFile(path);
            static_cast<QDialog*>(dialog)->accept(); // the dialog hides its own accept()
        }
    });
    started.click("cmd印影選択");
}

QVariantList storedSeal()
{
    return TestData::columnMain(u("SELECT 種類 || '|' || 寸法 || '|' || 印刷 FROM 印影"));
}
} // namespace

class TestSettings : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void counter_data();
    void counter();
    void readButton_data();
    void readButton();
    void saveButton_data();
    void saveButton();
    void saveKeepsCopies();
    void issuerAndRegistrationNumber_data();
    void issuerAndRegistrationNumber();
    void failedSave_data();
    void failedSave();
    void printingRaisesShownNumber();
    void clearButton();
    void eraStoredAsWareki();
    void dataInitialisation_data();
    void dataInitialisation();
    void dataInitialisationTwice();
    void failedDataInitialisation();
    void registerAfterInitialisation();
    void storedCounterIsNeverLowered_data();
    void storedCounterIsNeverLowered();
    void savedNumberAgreesWithTheRegister_data();
    void savedNumberAgreesWithTheRegister();
    void registeredElsewhereIsOfferedForReload_data();
    void registeredElsewhereIsOfferedForReload();
    void sealGroup_data();
    void sealGroup();
    void sealRemoved();
};

void TestSettings::initTestCase()
{
    ApplicationSetup::apply(*static_cast<QApplication*>(QCoreApplication::instance()));
}

void TestSettings::counter_data()
{
    QTest::addColumn<QString>("stored"); // "" no row, "null" a row with a Null number, else the number
    QTest::addColumn<QString>("field");
    QTest::addColumn<QString>("mode");
    QTest::addColumn<QVariant>("value");
    QTest::addColumn<QVariant>("result");
    QTest::addColumn<QVariantList>("after"); // the rows of 自社情報 afterwards
    const QString f = u("領収証番号");
    const QVariant none = QString();
    QTest::newRow("no row: Get gives 1") << "" << f << "Get" << QVariant(0) << QVariant(1) << QVariantList();
    QTest::newRow("no row: Set 5 adds a row") << "" << f << "Set" << QVariant(5) << none
                                               << QVariantList{u("<N>|<N>|<N>|5")};
    QTest::newRow("Null: Get gives 1") << "null" << f << "Get" << QVariant(0) << QVariant(1)
                                       << QVariantList{u("会|<N>|<N>|<N>")};
    QTest::newRow("Null: Set 7 stores 7") << "null" << f << "Set" << QVariant(7) << none
                                          << QVariantList{u("会|<N>|<N>|7")};
    QTest::newRow("12: Get gives 13") << "12" << f << "Get" << QVariant(0) << QVariant(13)
                                      << QVariantList{u("会|<N>|<N>|12")};
    QTest::newRow("12: Set 10 keeps 12") << "12" << f << "Set" << QVariant(10) << none
                                         << QVariantList{u("会|<N>|<N>|12")};
    QTest::newRow("12: Set 12 keeps 12") << "12" << f << "Set" << QVariant(12) << none
                                         << QVariantList{u("会|<N>|<N>|12")};
    QTest::newRow("12: Set 15 stores 15") << "12" << f << "Set" << QVariant(15) << none
                                          << QVariantList{u("会|<N>|<N>|15")};
    QTest::newRow("12: get is not Get") << "12" << f << "get" << QVariant(0) << none
                                        << QVariantList{u("会|<N>|<N>|12")};
    QTest::newRow("12: set is not Set") << "12" << f << "set" << QVariant(99) << none
                                        << QVariantList{u("会|<N>|<N>|12")};
    QTest::newRow("12: Set of an empty text") << "12" << f << "Set" << QVariant(u("")) << none
                                              << QVariantList{u("会|<N>|<N>|12")};
    QTest::newRow("other field: Get") << "12" << u("自社名") << "Get" << QVariant(0) << none
                                      << QVariantList{u("会|<N>|<N>|12")};
    QTest::newRow("other field: Set") << "12" << u("自社名") << "Set" << QVariant(99) << none
                                      << QVariantList{u("会|<N>|<N>|12")};
    QTest::newRow("no row: other field adds none") << "" << u("自社名") << "Set" << QVariant(3) << none
                                                   << QVariantList();
}

// Access自社情報: Get answers the next number, Set only ever raises it; exact field and mode.
void TestSettings::counter()
{
    QFETCH(QString, stored);
    QFETCH(QString, field);
    QFETCH(QString, mode);
    QFETCH(QVariant, value);
    QFETCH(QVariant, result);
    QFETCH(QVariantList, after);
    TestData data;
    if (!stored.isEmpty())
        TestData::execMain(u("INSERT INTO 自社情報 (自社名, 領収証番号) VALUES ('会', ?)"),
                           {stored == u("null") ? QVariant() : QVariant(stored.toInt())});
    const QVariant answer = Access自社情報(field, mode, value);
    QCOMPARE(answer.toString(), result.toString());
    QCOMPARE(settingsRows(), after);
}

void TestSettings::readButton_data()
{
    QTest::addColumn<QVariantList>("row"); // 自社名, 自社情報, 年号, 領収証番号; empty: no row
    QTest::addColumn<QString>("name");
    QTest::addColumn<QString>("info");
    QTest::addColumn<QString>("era");
    QTest::addColumn<QString>("number");
    QTest::addColumn<QString>("eraCopy");
    QTest::newRow("all fields") << QVariantList{u("ひまわり会"), u("東京都\n03-1234"), u("和暦"), 41}
                                << u("ひまわり会") << u("東京都\n03-1234") << u("和暦") << u("41") << u("和暦");
    QTest::newRow("Null era shows 西暦") << QVariantList{u("会"), u("情報"), QVariant(), 3} << u("会") << u("情報")
                                         << u("西暦") << u("3") << u("西暦");
    QTest::newRow("Null number shows 1") << QVariantList{u("会"), u("情報"), u("西暦"), QVariant()} << u("会")
                                         << u("情報") << u("西暦") << u("1") << u("西暦");
    QTest::newRow("Null texts show empty") << QVariantList{QVariant(), QVariant(), u("西暦"), 1234567} << u("")
                                           << u("") << u("西暦") << u("1,234,567") << u("西暦");
    QTest::newRow("quotes and emoji") << QVariantList{u("O'Brien \"会\" 😀"), u("a'b"), u("西暦"), 2}
                                      << u("O'Brien \"会\" 😀") << u("a'b") << u("西暦") << u("2") << u("西暦");
    // With no row the screen keeps what it shows.
    QTest::newRow("no row keeps the screen") << QVariantList() << u("画面の名前") << u("画面の情報") << u("和暦")
                                             << u("77") << u("西暦");
}

// "読込" shows the stored settings and sets the copies.
void TestSettings::readButton()
{
    QFETCH(QVariantList, row);
    QFETCH(QString, name);
    QFETCH(QString, info);
    QFETCH(QString, era);
    QFETCH(QString, number);
    QFETCH(QString, eraCopy);
    Started started;
    started.get<QLineEdit>("txt自社名")->setText(u("画面の名前"));
    started.get<QPlainTextEdit>("txt自社情報")->setPlainText(u("画面の情報"));
    started.get<QComboBox>("cmb年号")->setCurrentText(u("和暦"));
    started.get<NumberBox>("num領収証番号")->setValue(77);
    if (!row.isEmpty())
        TestData::execMain(u("INSERT INTO 自社情報 (自社名, 自社情報, 年号, 領収証番号) VALUES (?, ?, ?, ?)"), row);
    started.click("cmd設定読込");
    QCOMPARE(started.get<QLineEdit>("txt自社名")->text(), name);
    QCOMPARE(started.get<QPlainTextEdit>("txt自社情報")->toPlainText(), info);
    QCOMPARE(started.get<QComboBox>("cmb年号")->currentText(), era);
    QCOMPARE(started.get<NumberBox>("num領収証番号")->text(), number);
    QCOMPARE(started.window->settingCopies().SettingEra, eraCopy);
    if (!row.isEmpty()) {
        QCOMPARE(started.window->settingCopies().SettingCompanyName, name);
        QCOMPARE(started.window->settingCopies().SettingCompanyInfo, info);
    }
    QCOMPARE(started.presenter->shown.size(), 0);
}

void TestSettings::saveButton_data()
{
    QTest::addColumn<bool>("existing"); // a row stored before
    QTest::addColumn<bool>("yes");
    QTest::addColumn<QVariantList>("after");
    QTest::newRow("new row, Yes") << false << true << QVariantList{u("新しい会|1行目\n2行目|和暦|250")};
    QTest::newRow("new row, No") << false << false << QVariantList();
    QTest::newRow("existing row, Yes") << true << true << QVariantList{u("新しい会|1行目\n2行目|和暦|250")};
    QTest::newRow("existing row, No") << true << false << QVariantList{u("旧|旧情報|西暦|900")};
}

// "登録" asks first; Yes writes the whole block into the one row (a lower number included).
void TestSettings::saveButton()
{
    QFETCH(bool, existing);
    QFETCH(bool, yes);
    QFETCH(QVariantList, after);
    Started started([existing] {
        if (existing)
            TestData::execMain(u("INSERT INTO 自社情報 (自社名, 自社情報, 年号, 領収証番号) VALUES ('旧', '旧情報', '西暦', 900)"));
    });
    const QVariantList codesBefore = TestData::columnMain(u("SELECT count(*) FROM コードマスタ WHERE sname IS NULL"));
    started.get<QLineEdit>("txt自社名")->setText(u("新しい会"));
    started.get<QPlainTextEdit>("txt自社情報")->setPlainText(u("1行目\n2行目"));
    started.get<QComboBox>("cmb年号")->setCurrentText(u("和暦"));
    started.get<NumberBox>("num領収証番号")->setValue(250);
    started.presenter->answers = {yes};
    started.click("cmd設定登録");
    // The era changed from the one the receipt date uses: the user is told when it takes effect.
    const QStringList titles = yes ? QStringList{u("登録の確認"), u("登録完了")} : QStringList{u("登録の確認")};
    QCOMPARE(started.titles(), titles);
    QCOMPARE(started.presenter->shown[0].prompt, u("設定 を登録します。よろしいですか"));
    if (yes)
        QCOMPARE(started.presenter->shown[1].prompt,
                 u("設定 を登録しました。\n変えた年号は、次にプログラムを起動したときから領収証の日付に使われます。"));
    QCOMPARE(settingsRows(), after);
    // The code list of the page is saved with the settings (blank names become "").
    QCOMPARE(TestData::columnMain(u("SELECT count(*) FROM コードマスタ WHERE sname IS NULL")),
             yes ? QVariantList{30} : codesBefore);
}

void TestSettings::issuerAndRegistrationNumber_data()
{
    QTest::addColumn<QString>("issuer");
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QList<bool>>("answers"); // to 登録の確認, then to any question
    QTest::addColumn<QStringList>("titles");
    QTest::addColumn<QString>("stored"); // 事業者区分|登録番号|端数処理; empty: nothing saved
    const QStringList saved{u("登録の確認")};
    const QStringList asked{u("登録の確認"), u("確認")};
    const QStringList refused{u("登録の確認"), u("注意")};
    QTest::newRow("valid corporate number") << u("適格請求書発行事業者") << u("T7000012050002") << QList<bool>{true}
                                            << saved << u("qualified|T7000012050002|half-up");
    QTest::newRow("full-width, no T, spaces") << u("適格請求書発行事業者") << u("７０００ ０１２０ ５０００２")
                                              << QList<bool>{true} << saved << u("qualified|T7000012050002|half-up");
    QTest::newRow("check digit wrong, kept") << u("適格請求書発行事業者") << u("T8000012050002") << QList<bool>{true, true}
                                             << asked << u("qualified|T8000012050002|half-up");
    QTest::newRow("check digit wrong, not kept") << u("適格請求書発行事業者") << u("T8000012050002")
                                                 << QList<bool>{true, false} << asked << QString();
    QTest::newRow("12 digits") << u("適格請求書発行事業者") << u("T700001205000") << QList<bool>{true} << refused << QString();
    QTest::newRow("14 digits") << u("免税事業者") << u("T70000120500021") << QList<bool>{true} << refused << QString();
    QTest::newRow("qualified without number") << u("適格請求書発行事業者") << u("") << QList<bool>{true} << refused << QString();
    QTest::newRow("non-profit without number") << u("非営利の団体") << u("") << QList<bool>{true} << saved
                                               << u("nonprofit|<N>|half-up");
}

// "登録" stores who issues, the registration number normalised and the rounding; a number that
// is no registration number is refused, one whose check digit fails is stored only on a Yes
// (No preselected). "読込" shows what was stored.
void TestSettings::issuerAndRegistrationNumber()
{
    QFETCH(QString, issuer);
    QFETCH(QString, typed);
    QFETCH(QList<bool>, answers);
    QFETCH(QStringList, titles);
    QFETCH(QString, stored);
    Started started;
    started.get<QComboBox>("cmb事業者区分")->setCurrentText(issuer);
    started.get<QLineEdit>("txt登録番号")->setText(typed);
    started.get<QComboBox>("cmb端数処理")->setCurrentText(u("四捨五入"));
    started.presenter->answers = answers;
    started.click("cmd設定登録");
    QCOMPARE(started.titles(), titles);
    if (titles.contains(u("確認")))
        QCOMPARE(started.presenter->shown[1].style, MessageStyle::AskNo);
    const QVariantList rows = TestData::columnMain(
        u("SELECT ifnull(事業者区分,'<N>') || '|' || ifnull(登録番号,'<N>') || '|' || ifnull(端数処理,'<N>') FROM 自社情報"));
    QCOMPARE(rows, stored.isEmpty() ? QVariantList() : QVariantList{stored});
    if (stored.isEmpty())
        return;
    started.get<QComboBox>("cmb事業者区分")->setCurrentIndex(0);
    started.get<QLineEdit>("txt登録番号")->clear();
    started.click("cmd設定読込");
    QCOMPARE(started.get<QComboBox>("cmb事業者区分")->currentText(), issuer);
    QCOMPARE(started.get<QLineEdit>("txt登録番号")->text(), stored.section(u'|', 1, 1).remove(u("<N>")));
    QCOMPARE(started.get<QComboBox>("cmb端数処理")->currentText(), u("四捨五入"));
}

// Saving does not change the copies the receipt form uses; reading does.
void TestSettings::saveKeepsCopies()
{
    Started started([] { TestData::execMain(u("INSERT INTO 自社情報 (自社名, 自社情報, 年号, 領収証番号) VALUES ('旧', '旧情報', '和暦', 1)")); });
    started.get<QLineEdit>("txt自社名")->setText(u("新"));
    started.get<QComboBox>("cmb年号")->setCurrentText(u("西暦"));
    started.presenter->answers = {true};
    started.click("cmd設定登録");
    QCOMPARE(started.window->settingCopies().SettingCompanyName, u("旧"));
    QCOMPARE(started.window->settingCopies().SettingEra, u("和暦"));
    started.click("cmd設定読込");
    QCOMPARE(started.window->settingCopies().SettingCompanyName, u("新"));
    QCOMPARE(started.window->settingCopies().SettingEra, u("西暦"));
}

void TestSettings::failedSave_data()
{
    QTest::addColumn<QString>("lockedTable");
    QTest::addColumn<QVariantList>("settingsAfter");
    QTest::addColumn<int>("blankCodesAfter"); // コードマスタ rows with a Null name
    QTest::newRow("settings cannot be written") << u("自社情報") << QVariantList{u("旧|旧情報|西暦|900")} << 60;
    QTest::newRow("codes cannot be written") << u("コードマスタ") << QVariantList{u("新|旧情報|西暦|900")} << 60;
}

// A write that fails is rolled back and reported; nothing after it runs and nothing is lost.
void TestSettings::failedSave()
{
    QFETCH(QString, lockedTable);
    QFETCH(QVariantList, settingsAfter);
    QFETCH(int, blankCodesAfter);
    Started started([] { TestData::execMain(u("INSERT INTO 自社情報 (自社名, 自社情報, 年号, 領収証番号) VALUES ('旧', '旧情報', '西暦', 900)")); });
    for (const char* action : {"INSERT", "UPDATE", "DELETE"})
        TestData::execMain(u("CREATE TRIGGER lock_%1 BEFORE %1 ON %2 BEGIN SELECT RAISE(ABORT, 'locked'); END")
                               .arg(u(action), lockedTable));
    started.get<QLineEdit>("txt自社名")->setText(u("新"));
    started.presenter->answers = {true};
    started.click("cmd設定登録");
    QCOMPARE(started.titles(), (QStringList{u("登録の確認"), u("注意")}));
    QVERIFY(started.presenter->shown[1].prompt.contains(u("保存できませんでした")));
    QCOMPARE(settingsRows(), settingsAfter);
    QCOMPARE(TestData::columnMain(u("SELECT count(*) FROM コードマスタ WHERE sname IS NULL")),
             QVariantList{blankCodesAfter});
    QCOMPARE(TestData::columnMain(u("SELECT count(*) FROM コードマスタ")), QVariantList{60});
}

// Numbers printed after the settings were read show up in the block, so saving it unchanged
// never takes the counter back.
void TestSettings::printingRaisesShownNumber()
{
    Started started([] { TestData::execMain(u("INSERT INTO 自社情報 (自社名, 自社情報, 年号, 領収証番号) VALUES ('会', '', '西暦', 12)")); });
    auto* number = started.get<NumberBox>("num領収証番号");
    QCOMPARE(number->value(), qint64(12));
    Access自社情報(u("領収証番号"), u("Set"), 19); // numbers handed out elsewhere
    auto* tabs = started.get<QTabWidget>("SSTab1");
    tabs->setCurrentIndex(0);
    loadCategory(started, {u("会員一")});
    QTemporaryDir dir;
    QVERIFY(printThroughWindow(started, u("A4 x 4"))->saveAsPdfTo(dir.filePath(u("r.pdf")))); // prints No.20
    tabs->setCurrentIndex(1);
    QCOMPARE(number->value(), qint64(20));
    started.presenter->answers = {true};
    started.click("cmd設定登録");
    QCOMPARE(settingsRows(), QVariantList{u("会||西暦|20")});
    QCOMPARE(Access自社情報(u("領収証番号"), u("Get"), 0).toLongLong(), qint64(21));
    // A number typed higher than the printed one stays as typed.
    number->setValue(500);
    Access自社情報(u("領収証番号"), u("Set"), 29);
    tabs->setCurrentIndex(0);
    QVERIFY(printThroughWindow(started, u("A4 x 4"))->saveAsPdfTo(dir.filePath(u("r.pdf")))); // prints No.30
    QCOMPARE(number->value(), qint64(500));
}

// "クリア" empties the block without asking and writes nothing; the era stays.
void TestSettings::clearButton()
{
    Started started([] {
        TestData::execMain(u("INSERT INTO 自社情報 (自社名, 自社情報, 年号, 領収証番号) VALUES ('会', '情報', '和暦', 5)"));
        TestData::execMain(u("UPDATE コードマスタ SET sname = '会員' WHERE kcode = '顧客区分' AND code = '01'"));
    });
    auto* codeKind = started.get<QComboBox>("cmbコード区分");
    codeKind->setCurrentIndex(1);
    started.click("cmd設定クリア");
    QCOMPARE(started.get<QLineEdit>("txt自社名")->text(), QString());
    QCOMPARE(started.get<QPlainTextEdit>("txt自社情報")->toPlainText(), QString());
    QVERIFY(started.get<NumberBox>("num領収証番号")->isEmpty());
    QCOMPARE(started.get<QComboBox>("cmb年号")->currentText(), u("和暦"));
    QCOMPARE(codeKind->currentText(), u("顧客区分"));
    auto* grid = started.get<QTableView>("Gridコード表");
    QCOMPARE(grid->model()->rowCount(), 30);
    QCOMPARE(grid->model()->index(0, 2).data().toString(), u("会員"));
    QCOMPARE(settingsRows(), QVariantList{u("会|情報|和暦|5")});
    QCOMPARE(started.presenter->shown.size(), 0);
}

// With "和暦" stored the era list shows it after start-up, and saving unchanged keeps it.
void TestSettings::eraStoredAsWareki()
{
    Started started([] { TestData::execMain(u("INSERT INTO 自社情報 (自社名, 自社情報, 年号, 領収証番号) VALUES ('会', '', '和暦', 3)")); });
    QCOMPARE(started.get<QComboBox>("cmb年号")->currentText(), u("和暦"));
    started.presenter->answers = {true};
    started.click("cmd設定登録");
    QCOMPARE(settingsRows(), QVariantList{u("会||和暦|3")});
    QCOMPARE(started.titles(), QStringList{u("登録の確認")}); // the era in use did not change
}

void TestSettings::dataInitialisation_data()
{
    QTest::addColumn<bool>("yes");
    QTest::newRow("Yes") << true;
    QTest::newRow("No") << false;
}

// "実行" wipes customers, settings and code names after a Yes; work tables and hints stay.
void TestSettings::dataInitialisation()
{
    QFETCH(bool, yes);
    Started started([] {
        TestData::execMain(u("INSERT INTO 自社情報 (自社名, 自社情報, 年号, 領収証番号) VALUES ('会', '情報', '和暦', 5)"));
        TestData::execMain(u("INSERT INTO 顧客マスタ (行番号, 顧客名, 区分, 但書) VALUES (1, '山田', '会員', '会費')"));
        TestData::execMain(u("UPDATE コードマスタ SET sname = '名前' || code"));
        TestData::execWork(u("INSERT INTO ClHint VALUES ('Frm領収証', 'cmdHint', '領収証', 'ヒント')"));
        TestData::execWork(u("INSERT INTO w領収証印刷 (顧客名, 領収額, 但書) VALUES ('山田', 1000, '会費')"));
    });
    started.presenter->answers = {yes, false}; // the register of issued receipts is kept
    started.click("cmd一括削除7");
    QCOMPARE(started.titles(),
             yes ? QStringList({u("確認"), u("確認"), u("キーチェック")}) : QStringList({u("確認")}));
    QCOMPARE(started.presenter->shown[0].prompt, u("すべてのデータを初期化します。、よろしいですか"));
    if (yes)
        QCOMPARE(started.presenter->shown[2].prompt, u("すべてのデータを初期化しました"));
    QCOMPARE(TestData::columnMain(u("SELECT count(*) FROM 顧客マスタ")), QVariantList{yes ? 0 : 1});
    QCOMPARE(TestData::columnMain(u("SELECT count(*) FROM 自社情報")), QVariantList{yes ? 0 : 1});
    QCOMPARE(TestData::columnMain(u("SELECT count(*) FROM コードマスタ")), QVariantList{60});
    QCOMPARE(TestData::columnMain(u("SELECT count(*) FROM コードマスタ WHERE sname IS NULL")),
             QVariantList{yes ? 60 : 0});
    QCOMPARE(TestData::columnWork(u("SELECT count(*) FROM ClHint WHERE Contents = 'ヒント'")), QVariantList{1});
    QCOMPARE(TestData::columnWork(u("SELECT count(*) FROM w領収証印刷")), QVariantList{1});
    // The screen shows what is stored: nothing after a Yes, the old settings after a No.
    QCOMPARE(started.get<QLineEdit>("txt自社名")->text(), yes ? QString() : u("会"));
}

void TestSettings::dataInitialisationTwice()
{
    Started started([] { TestData::execMain(u("INSERT INTO 自社情報 (自社名, 自社情報, 年号, 領収証番号) VALUES ('会', '情報', '和暦', 5)")); });
    started.presenter->answers = {true, false, true, true, false}; // each wipe: yes, keep the register, OK
    started.click("cmd一括削除7");
    started.click("cmd一括削除7");
    QCOMPARE(started.titles(),
             (QStringList{u("確認"), u("確認"), u("キーチェック"), u("確認"), u("確認"), u("キーチェック")}));
    QCOMPARE(TestData::columnMain(u("SELECT count(*) FROM 自社情報")), QVariantList{0});
}

// A wipe that cannot finish changes nothing and says so instead of reporting success.
void TestSettings::failedDataInitialisation()
{
    Started started([] {
        TestData::execMain(u("INSERT INTO 自社情報 (自社名, 自社情報, 年号, 領収証番号) VALUES ('会', '情報', '和暦', 5)"));
        TestData::execMain(u("INSERT INTO 顧客マスタ (行番号, 顧客名, 区分, 但書) VALUES (1, '山田', '会員', '会費')"));
        TestData::execMain(u("UPDATE コードマスタ SET sname = 'x'"));
    });
    // Made once the program runs: a file that carries a trigger of its own is refused at start-up.
    TestData::execMain(u("CREATE TRIGGER lock BEFORE UPDATE ON コードマスタ BEGIN SELECT RAISE(ABORT, 'locked'); END"));
    started.presenter->answers = {true, false};
    started.click("cmd一括削除7");
    QCOMPARE(started.titles(), (QStringList{u("確認"), u("確認"), u("注意")}));
    QCOMPARE(TestData::columnMain(u("SELECT count(*) FROM 顧客マスタ")), QVariantList{1});
    QCOMPARE(TestData::columnMain(u("SELECT count(*) FROM 自社情報")), QVariantList{1});
    QCOMPARE(TestData::columnMain(u("SELECT count(*) FROM コードマスタ WHERE sname = 'x'")), QVariantList{60});
}

// After an initialisation both tabs show the wiped data as a fresh start shows it, so that the
// next "登録" of either tab writes nothing of the old data back.
void TestSettings::registerAfterInitialisation()
{
    Started started([] {
        TestData::execMain(u("INSERT INTO 自社情報 (自社名, 自社情報, 年号, 領収証番号) VALUES ('会', '情報', '和暦', 5)"));
        TestData::execMain(u("UPDATE コードマスタ SET sname = '名' || code"));
        TestData::execMain(u("INSERT INTO 顧客マスタ (行番号, 顧客名, 区分, 但書) VALUES (1, '山田', '名01', '会費')"));
    });
    // The receipt tab has a list loaded and an amount typed.
    auto* category = started.get<QComboBox>("cmb顧客区分");
    category->setCurrentIndex(0);
    started.click("cmd徴収読込");
    auto* customers = qobject_cast<QSqlTableModel*>(started.get<QTableView>("Grid顧客")->model());
    const int name = customers->fieldIndex(u("顧客名"));
    customers->setData(customers->index(0, customers->fieldIndex(u("領収額"))), 500);
    QCOMPARE(customers->index(0, name).data().toString(), u("山田"));

    started.presenter->answers = {true, true, true};
    started.click("cmd一括削除7");
    QCOMPARE(started.get<QLineEdit>("txt自社名")->text(), QString());
    QCOMPARE(started.get<QPlainTextEdit>("txt自社情報")->toPlainText(), QString());
    QCOMPARE(started.get<QComboBox>("cmb年号")->currentText(), u("西暦"));
    QVERIFY(started.get<NumberBox>("num領収証番号")->isEmpty());
    auto* codes = qobject_cast<QSqlTableModel*>(started.get<QTableView>("Gridコード表")->model());
    QCOMPARE(codes->rowCount(), 30);
    for (int row = 0; row < 30; ++row)
        QCOMPARE(codes->index(row, codes->fieldIndex(u("sname"))).data().toString(), QString());
    QCOMPARE(category->count(), 0);
    QCOMPARE(category->currentText(), QString());
    QCOMPARE(customers->rowCount(), 100);
    for (int row = 0; row < 100; ++row)
        QVERIFY(customers->index(row, name).data().isNull());
    QCOMPARE(started.get<QLineEdit>("txt自社名領収証")->text(), QString());

    started.click("cmd設定登録");
    QCOMPARE(settingsRows(), QVariantList{u("||西暦|<N>")});
    QCOMPARE(TestData::columnMain(u("SELECT count(*) FROM コードマスタ WHERE sname <> ''")), QVariantList{0});
    started.get<QTabWidget>("SSTab1")->setCurrentIndex(0);
    started.click("cmd登録");
    QCOMPARE(TestData::columnMain(u("SELECT count(*) FROM 顧客マスタ")), QVariantList{0});
}

void TestSettings::storedCounterIsNeverLowered_data()
{
    QTest::addColumn<QVariant>("stored");
    QTest::addColumn<QString>("shown"); // empty: not shown, with a message
    QTest::newRow("100,000,000") << QVariant(100000000LL) << u("100,000,000");
    QTest::newRow("twelve digits") << QVariant(123456789012LL) << u("123,456,789,012");
    QTest::newRow("the largest the box takes") << QVariant(999999999999999LL) << u("999,999,999,999,999");
    QTest::newRow("beyond the box") << QVariant(1000000000000000000LL) << QString();
    QTest::newRow("negative") << QVariant(-5) << QString();
}

// Whatever counter is stored, "登録" with the settings shown unchanged stores it unchanged,
// and the box shows it whole or, when it cannot, says so and stays empty.
void TestSettings::storedCounterIsNeverLowered()
{
    QFETCH(QVariant, stored);
    QFETCH(QString, shown);
    ScriptedMessagePresenter::install(); // start-up reads the settings too
    Started started([&] { TestData::execMain(u("INSERT INTO 自社情報 (自社名, 自社情報, 年号, 領収証番号) VALUES ('会', '情報', '西暦', ?)"), {stored}); });
    started.presenter->shown.clear();
    started.click("cmd設定読込");
    auto* number = started.get<NumberBox>("num領収証番号");
    QCOMPARE(number->text(), shown);
    QCOMPARE(started.titles(), shown.isEmpty() ? QStringList{u("注意")} : QStringList());
    QVERIFY2(number->fontMetrics().horizontalAdvance(number->text()) <= number->width() - 4,
             qPrintable(QStringLiteral("%1 px of text in a %2 px box")
                            .arg(number->fontMetrics().horizontalAdvance(number->text()))
                            .arg(number->width())));
    started.presenter->answers = {true};
    started.click("cmd設定登録");
    QCOMPARE(settingsRows(), QVariantList{u("会|情報|西暦|") + stored.toString()});
}

void TestSettings::savedNumberAgreesWithTheRegister_data()
{
    QTest::addColumn<int>("registered"); // highest number in the register; 0: empty
    QTest::addColumn<qint64>("typed");
    QTest::addColumn<qint64>("stored");
    QTest::addColumn<QString>("form");
    QTest::addColumn<QString>("told"); // part of the notice; empty: none
    QTest::newRow("lowered below the register") << 15 << qint64(5) << qint64(15) << u("No.00016")
                                                << u("次の領収証の番号は 16 です");
    QTest::newRow("lowered, register empty") << 0 << qint64(5) << qint64(5) << u("No.00006") << QString();
    QTest::newRow("raised past the register") << 15 << qint64(30) << qint64(30) << u("No.00031") << QString();
    QTest::newRow("equal to the register") << 15 << qint64(15) << qint64(15) << u("No.00016") << QString();
}

// After "登録" the settings box and the receipt tab show the same next number, and a number the
// register has already passed is not stored as if it could take effect: the user is told why.
void TestSettings::savedNumberAgreesWithTheRegister()
{
    QFETCH(int, registered);
    QFETCH(qint64, typed);
    QFETCH(qint64, stored);
    QFETCH(QString, form);
    QFETCH(QString, told);
    Started started([registered] {
        TestData::execMain(u("INSERT INTO 自社情報 (自社名, 自社情報, 年号, 領収証番号) VALUES ('会', '情報', '西暦', 20)"));
        for (int number = 1; number <= registered; ++number)
            TestData::execMain(u("INSERT INTO 発行記録 (領収証番号, 発行日時, 状態) VALUES (?, '2026-01-01', '発行')"),
                               {number});
    });
    auto* number = started.get<NumberBox>("num領収証番号");
    number->setValue(typed);
    started.presenter->shown.clear();
    started.presenter->answers = {true};
    started.click("cmd設定登録");
    QCOMPARE(settingsRows(), QVariantList{u("会|情報|西暦|%1").arg(stored)});
    QCOMPARE(number->value(), stored);
    QCOMPARE(started.get<QLabel>("Lbl領収証番号")->text(), form);
    const QStringList notices = started.titles().mid(1); // after the confirmation
    QCOMPARE(notices, told.isEmpty() ? QStringList() : QStringList{u("注意")});
    if (!told.isEmpty())
        QVERIFY2(started.presenter->shown.last().prompt.contains(told), qPrintable(started.presenter->shown.last().prompt));
}

void TestSettings::registeredElsewhereIsOfferedForReload_data()
{
    QTest::addColumn<bool>("settings"); // else the code list
    QTest::addColumn<bool>("reload");
    QTest::newRow("settings, reload") << true << true;
    QTest::newRow("settings, keep the edits") << true << false;
    QTest::newRow("code list, reload") << false << true;
    QTest::newRow("code list, keep the edits") << false << false;
}

// The settings or the code list registered elsewhere after this page read them: 登録 saves
// nothing of that part and asks whether to reload (Enter does not say yes); Yes shows what is
// stored, No leaves the page as typed. The settings go in before the code list, as always.
void TestSettings::registeredElsewhereIsOfferedForReload()
{
    QFETCH(bool, settings);
    QFETCH(bool, reload);
    Started started([] { TestData::execMain(u("INSERT INTO 自社情報 (自社名, 自社情報, 年号, 領収証番号) VALUES ('旧', '旧情報', '西暦', 9)")); });
    const QString kind = started.get<QComboBox>("cmbコード区分")->currentText();
    auto* codes = qobject_cast<QSqlTableModel*>(started.get<QTableView>("Gridコード表")->model());
    const auto firstCode = [codes] { return codes->index(0, codes->fieldIndex(u("sname"))).data().toString(); };
    const QString codeShown = firstCode();
    started.get<QLineEdit>("txt自社名")->setText(u("画面の名"));
    if (settings)
        QVERIFY(CompanyTable::writeFirst({u("よそ"), u("よその情報"), u("西暦"), 9}));
    else
        QVERIFY(CodeMasterTable::replaceKind(kind, {u("よその区分")}));
    started.presenter->answers = {true, reload};
    started.click("cmd設定登録");
    QCOMPARE(started.titles(), (QStringList{u("登録の確認"), u("確認")}));
    QCOMPARE(started.presenter->shown[1].style, MessageStyle::AskNo);
    const QString prompt = started.presenter->shown[1].prompt;
    QVERIFY2(prompt.startsWith(settings ? u("この設定は、読み込んだあとに") : u("この一覧は、読み込んだあとに")),
             qPrintable(prompt));
    QCOMPARE(settingsRows(), QVariantList{settings ? u("よそ|よその情報|西暦|9") : u("画面の名|旧情報|西暦|9")});
    QCOMPARE(CodeMasterTable::readKind(kind).value(0).sname.toString(), settings ? codeShown : u("よその区分"));
    QCOMPARE(started.get<QLineEdit>("txt自社名")->text(), settings && reload ? u("よそ") : u("画面の名"));
    QCOMPARE(firstCode(), !settings && reload ? u("よその区分") : codeShown);
}

// The seal group: a picked file is checked, registered with the settings and read back; a
// refused file is explained and loses nothing.
void TestSettings::sealGroup_data()
{
    QTest::addColumn<QByteArray>("file");
    QTest::addColumn<bool>("whiteToTransparent");
    QTest::addColumn<QString>("refusal"); // empty: taken
    QTest::addColumn<QString>("stored");
    const QByteArray png = scannedSealPng();
    // The picked image replaces the stored one; whether it prints stays as the user set it.
    QTest::newRow("scanned png") << png << false << QString() << u("png|155|0");
    QTest::newRow("scanned png, white made transparent") << png << true << QString() << u("png|155|0");
    QTest::newRow("svg") << QByteArray(StoredSeal).replace("circle", "ellipse") << false << QString() << u("svg|155|0");
    QTest::newRow("text named .png") << QByteArray("会長印\n") << false
                                     << u("印影には PNG または SVG の画像ファイルを選んでください。") << u("svg|155|0");
    QTest::newRow("damaged png") << png.left(png.size() / 2) << true << u("PNG ファイルが壊れているため、読めません。")
                                 << u("svg|155|0");
    QTest::newRow("svg with a script") << QByteArray("<svg xmlns='http://www.w3.org/2000/svg'><script>x()</script></svg>")
                                       << false
                                       << u("この SVG ファイルはほかのファイルやスクリプトを使っているため、印影に使えません。")
                                       << u("svg|155|0");
}

void TestSettings::sealGroup()
{
    QFETCH(QByteArray, file);
    QFETCH(bool, whiteToTransparent);
    QFETCH(QString, refusal);
    QFETCH(QString, stored);
    QTemporaryDir folder;
    const QString path = folder.filePath(u("seal.png"));
    QFile out(path);
    QVERIFY(out.open(QIODevice::WriteOnly) && out.write(file) == file.size());
    out.close();
    Started started([] {
        TestData::execMain(u("INSERT INTO 印影 (種類, 画像, 寸法, 印刷) VALUES ('svg', ?, 250, 0)"), {StoredSeal});
    });
    auto* size = started.get<QDoubleSpinBox>("num印影寸法");
    QCOMPARE(size->value(), 25.0);
    started.get<QCheckBox>("chk印影白透明")->setChecked(whiteToTransparent);
    pickSealFile(started, path);
    QCOMPARE(started.presenter->shown.size(), refusal.isEmpty() ? 0 : 1);
    if (!refusal.isEmpty())
        QCOMPARE(started.presenter->shown[0].prompt, refusal);
    size->setValue(15.5);
    started.presenter->answers = {true};
    started.click("cmd設定登録");
    QCOMPARE(storedSeal(), QVariantList{stored});
    const QByteArray image = TestData::columnMain(u("SELECT 画像 FROM 印影")).value(0).toByteArray();
    if (!whiteToTransparent || !refusal.isEmpty())
        QCOMPARE(image, refusal.isEmpty() ? file : StoredSeal);
    else
        QCOMPARE(qAlpha(SealImage::render(u("png"), image).pixel(2, 2)), 0);

    size->setValue(30);
    started.get<QCheckBox>("chk印影印刷")->setChecked(!started.get<QCheckBox>("chk印影印刷")->isChecked());
    started.click("cmd設定読込");
    QCOMPARE(size->value(), 15.5);
    QCOMPARE(started.get<QCheckBox>("chk印影印刷")->isChecked(), stored.endsWith(u("-1")));
    QVERIFY(!started.get<QLabel>("img印影")->pixmap().isNull());
}

// 削除 takes the seal off and registering stores none; a seal picked after that prints.
void TestSettings::sealRemoved()
{
    Started started([] {
        TestData::execMain(u("INSERT INTO 印影 (種類, 画像, 寸法, 印刷) VALUES ('svg', ?, 200, -1)"), {StoredSeal});
    });
    QVERIFY(!started.get<QLabel>("img印影")->pixmap().isNull());
    started.click("cmd印影削除");
    QVERIFY(started.get<QLabel>("img印影")->pixmap().isNull());
    QVERIFY(!started.get<QCheckBox>("chk印影印刷")->isEnabled());
    started.presenter->answers = {true};
    started.click("cmd設定登録");
    QCOMPARE(storedSeal(), QVariantList());

    QTemporaryDir folder;
    QFile file(folder.filePath(u("seal.svg")));
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write(StoredSeal) == StoredSeal.size());
    file.close();
    pickSealFile(started, file.fileName());
    QVERIFY(started.get<QCheckBox>("chk印影印刷")->isChecked());
    started.click("cmd設定登録");
    QCOMPARE(storedSeal(), QVariantList{u("svg|210|-1")});
}

QTEST_MAIN(TestSettings)
#include "tst_settings.moc"
