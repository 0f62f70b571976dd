// The data store: delivered state, values stored exactly, all-or-nothing writes, opening rules.
#include "TestData.h"
#include "TestText.h"
#include "domain/CsvReader.h"
#include "domain/TextDecoding.h"
#include "store/CodeMasterTable.h"
#include "store/CodeWorkTable.h"
#include "store/CompanyTable.h"
#include "store/Connections.h"
#include "store/CsvText.h"
#include "store/CustomerMasterTable.h"
#include "store/CustomerWorkTable.h"
#include "store/DataInitialisation.h"
#include "store/DeliveredHints.h"
#include "store/HintTable.h"
#include "store/IssuingProcess.h"
#include "store/LeftoverLogs.h"
#include "store/PrintRowTable.h"
#include "store/ProvisoTable.h"
#include "store/ReceiptNumbers.h"
#include "store/SchemaInstaller.h"
#include "store/Transaction.h"
#include "store/WorkTableProtocol.h"
#include "store/WriteFailure.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QProcess>
#include <QSaveFile>
#include <QSqlError>
#include <QSqlQuery>
#include <QStorageInfo>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <functional>

#include <unistd.h>

class TestStore : public QObject {
    Q_OBJECT
private slots:
    void deliveredState();
    void valuesStoredExactly_data();
    void valuesStoredExactly();
    void customerRegisterCompactsNamedRows();
    void printRowsReadInAnyOrder_data();
    void printRowsReadInAnyOrder();
    void failedRegisterKeepsOldRows_data();
    void failedRegisterKeepsOldRows();
    void workListKeepsEveryNamedCustomer();
    void codeRegisterRenumbersByPosition();
    void wipeMainData();
    void storedNumbersIssueOrRefuse_data();
    void storedNumbersIssueOrRefuse();
    void pendingEntriesOfEndedProcessesAreVoided_data();
    void pendingEntriesOfEndedProcessesAreVoided();
    void secondOriginalEntryIsRefused_data();
    void secondOriginalEntryIsRefused();
    void registerFromBeforeCopiesWereMarked_data();
    void registerFromBeforeCopiesWereMarked();
    void filesFromBeforeSavedVersions();
    void openRefusesBadFiles_data();
    void openRefusesBadFiles();
    void damageDeepInTheFileIsFoundWhenThereIsAReason_data();
    void damageDeepInTheFileIsFoundWhenThereIsAReason();
    void refusedOpenChangesNeitherFile_data();
    void refusedOpenChangesNeitherFile();
    void cutOffSaveIsRolledBack();
    void journalOfAnotherStateIsRefused();
    void journalOfAnotherCopyIsRefused_data();
    void journalOfAnotherCopyIsRefused();
    void saveCutOffWhileTakingAnIdentityIsRolledBack();
    void oldDeliveredHintsGetTodaysText();
    void fullDiskIsNamed_data();
    void fullDiskIsNamed();
    void failedFileWriteSaysWhy_data();
    void failedFileWriteSaysWhy();
    void csvNeverWrittenOverOwnData_data();
    void csvNeverWrittenOverOwnData();
    void csvNeverWrittenIntoAFileHeldOpen_data();
    void csvNeverWrittenIntoAFileHeldOpen();
    void csvFieldWrittenAsSpreadsheetsReadIt_data();
    void csvFieldWrittenAsSpreadsheetsReadIt();
    void csvRecordsReadAsSpreadsheetsWriteThem_data();
    void csvRecordsReadAsSpreadsheetsWriteThem();
    void csvEncodingDetected_data();
    void csvEncodingDetected();
};

namespace {

// Runs statements on a database file through a connection of its own, as another program would.
bool onFile(const QString& path, const QStringList& statements, const std::function<void()>& whileOpen = {})
{
    const QString name = QStringLiteral("outside");
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
        db.setDatabaseName(path);
        ok = db.open();
        QSqlQuery query(db);
        for (const QString& statement : statements) {
            if (ok && !query.exec(statement)) {
                qWarning() << statement << query.lastError().text();
                ok = false;
            }
        }
        if (ok && whileOpen)
            whileOpen();
        query = QSqlQuery();
        db.close();
    }
    QSqlDatabase::removeDatabase(name);
    return ok;
}

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

bool writeBytes(const QString& path, const QByteArray& bytes)
{
    QFile file(path);
    return file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(bytes) == bytes.size();
}

// Every file in a folder with its bytes.
QMap<QString, QByteArray> folderState(const QString& folder)
{
    QMap<QString, QByteArray> state;
    for (const QString& name : QDir(folder).entryList(QDir::Files | QDir::Hidden | QDir::System))
        state.insert(name, bytesOf(QDir(folder).filePath(name)));
    return state;
}

} // namespace

void TestStore::deliveredState()
{
    TestData data;
    QVERIFY(data.ok());
    QCOMPARE(TestData::columnMain(QStringLiteral("SELECT count(*) FROM 顧客マスタ")).value(0).toInt(), 0);
    QCOMPARE(TestData::columnMain(QStringLiteral("SELECT count(*) FROM 自社情報")).value(0).toInt(), 0);
    for (const QString& kind : {QStringLiteral("顧客区分"), QStringLiteral("但書")}) {
        const QList<CodeRecord> codes = CodeMasterTable::readKind(kind);
        QCOMPARE(codes.size(), 30);
        QCOMPARE(codes.first().code, QStringLiteral("01"));
        QCOMPARE(codes.last().code, QStringLiteral("30"));
        QVERIFY(std::all_of(codes.begin(), codes.end(), [](const CodeRecord& c) { return c.sname.isNull(); }));
    }
    for (const char* table : {"w顧客マスタ", "wコードマスタ", "w但書", "w領収証印刷"})
        QCOMPARE(TestData::columnWork(QStringLiteral("SELECT count(*) FROM ") + QString::fromUtf8(table))
                     .value(0)
                     .toInt(),
                 0);
    // A second install into the same folder never overwrites.
    QString error;
    QVERIFY(!SchemaInstaller::create(data.mainPath(), SchemaInstaller::Kind::Main, &error));
}

void TestStore::valuesStoredExactly_data()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("single quote") << QStringLiteral("O'Brien 'の会'");
    QTest::newRow("double quote") << QStringLiteral("\"山田\" 太郎");
    QTest::newRow("sql fragment") << QStringLiteral("x'; DROP TABLE 顧客マスタ; --");
    QTest::newRow("like wildcards") << QStringLiteral("100% _off_");
    QTest::newRow("emoji and rare kanji") << QStringLiteral("𠮷野家 🎉👨‍👩‍👧");
    QTest::newRow("2000 characters") << QString(2000, QChar(0x9F8D));
    QTest::newRow("empty") << QString(QLatin1String(""));
    QTest::newRow("control characters") << QStringLiteral("a\tb\nc\r\x01");
}

// Category names, customer names, provisos, codes, settings and hints all round-trip unchanged.
void TestStore::valuesStoredExactly()
{
    QFETCH(QString, value);
    TestData data;
    QVERIFY(data.ok());
    QVERIFY(CustomerMasterTable::replaceCategory(value, {{1, value, value, value}}));
    const QList<CustomerRecord> customers = CustomerMasterTable::readCategory(value);
    QCOMPARE(customers.size(), 1);
    QCOMPARE(customers[0].顧客名.toString(), value);
    QCOMPARE(customers[0].但書.toString(), value);
    QCOMPARE(customers[0].区分, value);

    QVERIFY(CodeMasterTable::replaceKind(value, {value}));
    QCOMPARE(CodeMasterTable::readKind(value).value(0).sname.toString(), value);

    QVERIFY(CompanyTable::writeFirst({value, value, value, 7}));
    QCOMPARE(CompanyTable::readFirst()->自社名.toString(), value);

    QVERIFY(HintTable::replace({value, value, value, value}));
    QCOMPARE(HintTable::read(value, value).value(0).Contents.toString(), value);

    QVERIFY(ProvisoTable::rebuild({value}));
    QCOMPARE(ProvisoTable::entries(), QStringList{value});
    QVERIFY(PrintRowTable::replace({{value, 1500, value}}));
    QCOMPARE(PrintRowTable::rows().value(0).顧客名.toString(), value);
}

void TestStore::printRowsReadInAnyOrder_data()
{
    QTest::addColumn<QList<int>>("order");
    QList<int> forwards, backwards;
    for (int row = 0; row < 2500; ++row) {
        forwards << row;
        backwards.prepend(row);
    }
    QTest::newRow("in order") << forwards;
    QTest::newRow("backwards") << backwards;
    QTest::newRow("across windows") << QList<int>{0, 2000, 1023, 1024, 5, 2499, 1024, 1025};
}

// The marked rows of the work list become the print run, and the run reads back a window at a
// time: whatever order the rows are asked for in, each is the one stored at its place.
void TestStore::printRowsReadInAnyOrder()
{
    QFETCH(QList<int>, order);
    TestData data;
    QVERIFY(data.ok());
    QVERIFY(TestData::execWork(QStringLiteral(
        "WITH RECURSIVE n(i) AS (SELECT 0 UNION ALL SELECT i + 1 FROM n WHERE i < 2999) "
        "INSERT INTO w顧客マスタ (行番号, チェック, 顧客名, 領収額) SELECT 3000 - i, i < 2500, 'n' || (2499 - i), i FROM n")));
    QVERIFY(PrintRowTable::replaceWithMarkedCustomers());
    PrintRowTable::Reader reader;
    QCOMPARE(reader.count(), qsizetype(2500));
    for (int row : order) {
        const PrintRow read = reader.at(row);
        QCOMPARE(read.顧客名.toString(), QStringLiteral("n%1").arg(row));
        QCOMPARE(read.領収額.toInt(), 2499 - row);
    }
    QVERIFY(reader.ok());
    QVERIFY(reader.at(2500).顧客名.isNull());
    QVERIFY(!reader.ok());
}

// Rows 2, 7 and 40 of the work list become master rows 1, 2, 3; unnamed rows are not saved.
void TestStore::customerRegisterCompactsNamedRows()
{
    TestData data;
    QVERIFY(data.ok());
    QVERIFY(CustomerWorkTable::rebuild());
    QCOMPARE(CustomerWorkTable::rows().size(), 100);
    QVERIFY(TestData::execWork(QStringLiteral("UPDATE w顧客マスタ SET 顧客名 = '二', 領収額 = 5 WHERE 行番号 = 2")));
    QVERIFY(TestData::execWork(QStringLiteral("UPDATE w顧客マスタ SET 顧客名 = '七', 但書 = '会費' WHERE 行番号 = 7")));
    QVERIFY(TestData::execWork(QStringLiteral("UPDATE w顧客マスタ SET 顧客名 = '', チェック = -1 WHERE 行番号 = 40")));
    QVERIFY(TestData::execWork(QStringLiteral("UPDATE w顧客マスタ SET 領収額 = 900 WHERE 行番号 = 50")));
    QVERIFY(WorkTableProtocol::registerCustomerList(QStringLiteral("会員")));
    const QList<CustomerRecord> saved = CustomerMasterTable::readCategory(QStringLiteral("会員"));
    QCOMPARE(saved.size(), 3);
    QCOMPARE(saved[0].行番号, 1);
    QCOMPARE(saved[0].顧客名.toString(), QStringLiteral("二"));
    QCOMPARE(saved[1].行番号, 2);
    QCOMPARE(saved[1].但書.toString(), QStringLiteral("会費"));
    QCOMPARE(saved[2].行番号, 3);
    QCOMPARE(saved[2].顧客名.toString(), QString()); // empty name still counts as a customer
    QVERIFY(!saved[2].顧客名.isNull());
}

void TestStore::failedRegisterKeepsOldRows_data()
{
    QTest::addColumn<QString>("trigger");
    QTest::newRow("customer insert fails after the delete")
        << QStringLiteral("CREATE TRIGGER boom BEFORE INSERT ON 顧客マスタ WHEN NEW.顧客名 = '新3' "
                          "BEGIN SELECT RAISE(ABORT, 'injected'); END");
    QTest::newRow("the delete itself fails")
        << QStringLiteral("CREATE TRIGGER boom BEFORE DELETE ON 顧客マスタ BEGIN SELECT RAISE(ABORT, 'injected'); END");
}

// A failure injected part-way leaves the category's old rows whole and reports why.
void TestStore::failedRegisterKeepsOldRows()
{
    QFETCH(QString, trigger);
    TestData data;
    QVERIFY(data.ok());
    const QString category = QStringLiteral("会員");
    QVERIFY(CustomerMasterTable::replaceCategory(category, {{1, QStringLiteral("旧1"), category, {}},
                                                            {2, QStringLiteral("旧2"), category, {}}}));
    QVERIFY(TestData::execMain(trigger));
    QList<CustomerRecord> fresh;
    for (int i = 1; i <= 5; ++i)
        fresh.append({i, QStringLiteral("新%1").arg(i), category, {}});
    const StoreResult result = CustomerMasterTable::replaceCategory(category, fresh);
    QVERIFY(!result.ok);
    QVERIFY(result.error.contains(QStringLiteral("injected")));
    const QList<CustomerRecord> kept = CustomerMasterTable::readCategory(category);
    QCOMPARE(kept.size(), 2);
    QCOMPARE(kept[0].顧客名.toString(), QStringLiteral("旧1"));
    QCOMPARE(kept[1].顧客名.toString(), QStringLiteral("旧2"));
}

// Loading then registering a category of 150 customers (with Null names and gaps) loses nobody.
void TestStore::workListKeepsEveryNamedCustomer()
{
    TestData data;
    QVERIFY(data.ok());
    const QString category = QStringLiteral("大きな会");
    QList<CustomerRecord> master;
    for (int i = 1; i <= 152; ++i)
        master.append({i * 2, i % 51 == 0 ? QVariant() : QVariant(QStringLiteral("会員%1").arg(i)), category, {}});
    QVERIFY(CustomerMasterTable::replaceCategory(category, master));
    QVERIFY(WorkTableProtocol::loadCustomerList(category));
    const QList<CustomerWorkRow> work = CustomerWorkTable::rows();
    QCOMPARE(work.size(), 150);
    QCOMPARE(work.first().顧客名.toString(), QStringLiteral("会員1"));
    QCOMPARE(work[50].顧客名.toString(), QStringLiteral("会員52")); // the Null at 51 moved the rest up
    QCOMPARE(work.last().行番号, 150);
    QVERIFY(WorkTableProtocol::registerCustomerList(category));
    QCOMPARE(CustomerMasterTable::readCategory(category).size(), 150);

    QVERIFY(WorkTableProtocol::loadCustomerList(QStringLiteral("ない区分")));
    QCOMPARE(CustomerWorkTable::rows().size(), 100);
}

void TestStore::codeRegisterRenumbersByPosition()
{
    TestData data;
    QVERIFY(data.ok());
    QVERIFY(WorkTableProtocol::loadCodeList(QStringLiteral("顧客区分")));
    QCOMPARE(CodeWorkTable::rows().size(), 30);
    QVERIFY(TestData::execWork(QStringLiteral("UPDATE wコードマスタ SET sname = '一般' WHERE code = '01'")));
    QVERIFY(TestData::execWork(QStringLiteral("UPDATE wコードマスタ SET sname = '特別' WHERE code = '03'")));
    QVERIFY(TestData::execWork(QStringLiteral("UPDATE wコードマスタ SET sname = NULL WHERE code = '05'")));
    QVERIFY(WorkTableProtocol::registerCodeList(QStringLiteral("顧客区分")));
    const QList<CodeRecord> saved = CodeMasterTable::readKind(QStringLiteral("顧客区分"));
    QCOMPARE(saved.size(), 30);
    QCOMPARE(saved[0].sname.toString(), QStringLiteral("一般"));
    QCOMPARE(saved[2].sname.toString(), QStringLiteral("特別"));
    QCOMPARE(std::count_if(saved.begin(), saved.end(),
                           [](const CodeRecord& c) { return !c.sname.isNull() && c.sname.toString().isEmpty(); }),
             28);
    QCOMPARE(saved[29].code, QStringLiteral("30"));
}

void TestStore::wipeMainData()
{
    TestData data;
    QVERIFY(data.ok());
    QVERIFY(CustomerMasterTable::replaceCategory(QStringLiteral("会員"), {{1, QStringLiteral("甲"), {}, {}}}));
    QVERIFY(CompanyTable::writeFirst({QStringLiteral("会"), {}, QStringLiteral("和暦"), 12}));
    QVERIFY(CodeMasterTable::replaceKind(QStringLiteral("但書"), {QStringLiteral("会費として")}));
    QVERIFY(HintTable::replace({QStringLiteral("Frm領収証"), QStringLiteral("cmdHint"), {}, QStringLiteral("h")}));
    QVERIFY(WorkTableProtocol::loadCustomerList(QStringLiteral("会員")));
    for (int round = 0; round < 2; ++round) {
        QVERIFY(DataInitialisation::wipeMainData());
        QCOMPARE(TestData::columnMain(QStringLiteral("SELECT count(*) FROM 顧客マスタ")).value(0).toInt(), 0);
        QVERIFY(!CompanyTable::readFirst().has_value());
        QCOMPARE(TestData::columnMain(QStringLiteral("SELECT count(sname) FROM コードマスタ")).value(0).toInt(), 0);
        QCOMPARE(HintTable::read(QStringLiteral("Frm領収証"), QStringLiteral("cmdHint")).size(), 1);
    }
    // A screen loaded before the wipe cannot bring its list back.
    QVERIFY(WorkTableProtocol::registerCustomerList(QStringLiteral("会員")).outdated);
    QCOMPARE(TestData::columnMain(QStringLiteral("SELECT count(*) FROM 顧客マスタ")).value(0).toInt(), 0);
}

void TestStore::storedNumbersIssueOrRefuse_data()
{
    QTest::addColumn<QString>("counter");    // SQL literal in 自社情報.領収証番号; empty: no row
    QTest::addColumn<QStringList>("entries"); // SQL literals in 発行記録.領収証番号
    QTest::addColumn<qint64>("first");       // the run asks for numbers from here
    QTest::addColumn<qint64>("count");
    QTest::addColumn<qint64>("issued");      // first number issued; 0: refused
    QTest::addColumn<QString>("named");      // what the refusal names
    const QString counterTable = QStringLiteral("自社情報");
    const QString registerTable = QStringLiteral("発行記録");
    const qint64 largest = LargestReceiptNumber;
    QTest::newRow("no row") << "" << QStringList() << qint64(1) << qint64(3) << qint64(1) << "";
    QTest::newRow("null counter") << "NULL" << QStringList() << qint64(1) << qint64(2) << qint64(1) << "";
    QTest::newRow("empty text counter") << "''" << QStringList() << qint64(1) << qint64(2) << qint64(1) << "";
    QTest::newRow("counter 12") << "12" << QStringList() << qint64(13) << qint64(3) << qint64(13) << "";
    QTest::newRow("counter moved on since the preview") << "20" << QStringList() << qint64(13) << qint64(3)
                                                          << qint64(21) << "";
    QTest::newRow("counter lowered below the register") << "5" << QStringList{"14", "15"} << qint64(6) << qint64(2)
                                                          << qint64(16) << "";
    QTest::newRow("counter cleared, register kept") << "NULL" << QStringList{"15"} << qint64(1) << qint64(1)
                                                      << qint64(16) << "";
    QTest::newRow("digits as text are stored as a number") << "'123'" << QStringList() << qint64(124) << qint64(1)
                                                             << qint64(124) << "";
    QTest::newRow("counter up to the largest") << QString::number(largest - 2) << QStringList() << largest - 1
                                               << qint64(2) << largest - 1 << "";
    QTest::newRow("counter past the largest run") << QString::number(largest - 2) << QStringList() << largest - 1
                                                  << qint64(3) << qint64(0) << "範囲";
    QTest::newRow("counter text z") << "'z'" << QStringList() << qint64(1) << qint64(1) << qint64(0)
                                    << counterTable + "の領収証番号に、番号として使えない値 'z'";
    QTest::newRow("counter with a thousands comma") << "'1,234'" << QStringList() << qint64(1) << qint64(1)
                                                    << qint64(0) << "'1,234'";
    QTest::newRow("counter in full-width digits") << "'１２３'" << QStringList() << qint64(1) << qint64(1) << qint64(0)
                                                  << "'１２３'";
    QTest::newRow("counter with trailing letters") << "'123abc'" << QStringList() << qint64(1) << qint64(1)
                                                   << qint64(0) << "'123abc'";
    QTest::newRow("counter blob") << "x'00'" << QStringList() << qint64(1) << qint64(1) << qint64(0) << "X'00'";
    QTest::newRow("counter huge real") << "1e20" << QStringList() << qint64(1) << qint64(1) << qint64(0) << "1.0e+20";
    QTest::newRow("counter real 1e300") << "1e300" << QStringList() << qint64(1) << qint64(1) << qint64(0)
                                        << "1.0e+300";
    QTest::newRow("counter negative") << "-4" << QStringList() << qint64(1) << qint64(1) << qint64(0) << "-4";
    QTest::newRow("counter beyond the range") << QString::number(largest + 1) << QStringList() << qint64(1) << qint64(1)
                                              << qint64(0) << QString::number(largest + 1);
    QTest::newRow("register text z") << "3" << QStringList{"1", "'z'"} << qint64(4) << qint64(1) << qint64(0)
                                     << registerTable + "の領収証番号に、番号として使えない値 'z'";
    QTest::newRow("register blob") << "NULL" << QStringList{"x'00'", "2"} << qint64(1) << qint64(1) << qint64(0)
                                   << registerTable + "の領収証番号に、番号として使えない値 X'00'";
    QTest::newRow("register real 1e30") << "3" << QStringList{"1e30"} << qint64(4) << qint64(1) << qint64(0)
                                        << registerTable + "の領収証番号に、番号として使えない値 1.0e+30";
    QTest::newRow("register fraction") << "3" << QStringList{"0.5", "2"} << qint64(4) << qint64(1) << qint64(0)
                                       << "0.5";
}

// A run is numbered past every number the counter and the register hold; a stored value that
// is not a whole number in range stops numbering, is named, and is neither read as 0 nor
// written over. next() agrees with what an issue from 1 gives.
void TestStore::storedNumbersIssueOrRefuse()
{
    QFETCH(QString, counter);
    QFETCH(QStringList, entries);
    QFETCH(qint64, first);
    QFETCH(qint64, count);
    QFETCH(qint64, issued);
    QFETCH(QString, named);
    TestData data;
    if (!counter.isEmpty())
        QVERIFY(TestData::execMain(QStringLiteral("INSERT INTO 自社情報 (自社名, 領収証番号) VALUES ('会', %1)").arg(counter)));
    for (const QString& number : entries)
        QVERIFY(TestData::execMain(
            QStringLiteral("INSERT INTO 発行記録 (領収証番号, 発行日時, 状態) VALUES (%1, '2026-01-01', '発行')").arg(number)));
    const auto stored = [] {
        return TestData::columnMain(QStringLiteral("SELECT quote(領収証番号) FROM 自社情報")) +
               TestData::columnMain(QStringLiteral("SELECT count(*) FROM 発行記録"));
    };
    const QVariantList before = stored();
    const ReceiptNumbers numbers(Connections::mainDb());
    RegisterEntry entry;
    entry.発行日時 = QStringLiteral("2026-02-01T10:00:00");
    entry.状態 = QStringLiteral("発行");
    const ReceiptNumbers::Issued done = numbers.issue(first, count, QList<RegisterEntry>(count, entry));
    if (issued == 0) {
        QVERIFY(!done.result);
        QVERIFY2(done.result.error.contains(named), qPrintable(done.result.error));
        // The next number is refused alike, or exists but leaves no room for the run.
        const ReceiptNumbers::Next next = numbers.next();
        QVERIFY(next.number ? *next.number > LargestReceiptNumber - count + 1 : next.error.contains(named));
        QCOMPARE(stored(), before);
        return;
    }
    QVERIFY2(done.result, qPrintable(done.result.error));
    QCOMPARE(done.first, issued);
    QCOMPARE(done.ids.size(), count);
    QCOMPARE(TestData::columnMain(QStringLiteral("SELECT 領収証番号 FROM 自社情報")), QVariantList{issued + count - 1});
    QVariantList recorded;
    for (qint64 number = issued; number < issued + count; ++number)
        recorded << number;
    QCOMPARE(TestData::columnMain(QStringLiteral("SELECT 領収証番号 FROM 発行記録 WHERE 発行日時 LIKE '2026-02%' "
                                                 "ORDER BY 記録番号")),
             recorded);
}

void TestStore::pendingEntriesOfEndedProcessesAreVoided_data()
{
    QTest::addColumn<QString>("issuer"); // how the issuing process differs from this one
    QTest::addColumn<bool>("voided");
    QTest::newRow("this process, still running") << "" << false;
    QTest::newRow("a process of this machine that has ended") << "ended" << true;
    QTest::newRow("this process id, reused by a later process") << "reused" << true;
    QTest::newRow("this machine before it started again") << "boot" << true;
    QTest::newRow("another machine") << "machine" << false;
}

// At start, the entries an output left pending are voided only where their process is known to
// have ended (a run killed during its output), never those of an output still going on here or
// on another machine sharing the data.
void TestStore::pendingEntriesOfEndedProcessesAreVoided()
{
    QFETCH(QString, issuer);
    QFETCH(bool, voided);
    TestData data;
    IssuingProcess other = IssuingProcess::current();
    QStringList parts = other.process.split(QLatin1Char('/'));
    QCOMPARE(parts.size(), 4);
    if (issuer == QLatin1String("ended")) {
        QProcess finished;
        finished.start(QStringLiteral("true"));
        QVERIFY(finished.waitForFinished());
        parts[2] = QString::number(finished.processId());
    } else if (issuer == QLatin1String("reused")) {
        parts[3] += QLatin1Char('0');
    } else if (issuer == QLatin1String("boot")) {
        parts[1] = QStringLiteral("00000000-0000-0000-0000-000000000000");
    } else if (issuer == QLatin1String("machine")) {
        parts[0] = QStringLiteral("another");
    }
    other.process = parts.join(QLatin1Char('/'));
    const ReceiptNumbers theirs(Connections::mainDb(), other);
    RegisterEntry entry;
    entry.発行日時 = QStringLiteral("2026-12-11T10:00:00");
    QVERIFY(theirs.issue(1, 2, {entry, entry}).result);
    entry.領収証番号 = 1;
    QVERIFY(theirs.reissue({entry}));

    const ReceiptNumbers::Abandoned abandoned = ReceiptNumbers(Connections::mainDb()).voidAbandoned();
    QVERIFY(abandoned.result);
    QCOMPARE(abandoned.numbers, voided ? (QList<qint64>{1, 2}) : QList<qint64>{});
    const QString state = voided ? QStringLiteral("無効") : QStringLiteral("出力中");
    const QString reason = voided ? ReceiptNumbers::abandonedReason() : QString();
    const QString prefix = state + QLatin1Char('|') + reason + QLatin1Char('|');
    QCOMPARE(TestData::columnMain(QStringLiteral("SELECT 状態 || '|' || coalesce(無効理由, '') || '|' || 原本 "
                                                 "FROM 発行記録 ORDER BY 記録番号")),
             (QVariantList{prefix + u'1', prefix + u'1', prefix + u'0'}));
    // Their numbers stay taken either way.
    QCOMPARE(*ReceiptNumbers(Connections::mainDb()).next().number, 3);
}

void TestStore::secondOriginalEntryIsRefused_data()
{
    QTest::addColumn<QString>("first");
    QTest::addColumn<QString>("second");
    QTest::addColumn<bool>("accepted");
    // state, and whether the entry is an original ("1"), a copy ("0"), or says nothing ("")
    QTest::newRow("issued twice") << "発行 1" << "発行 1" << false;
    QTest::newRow("void, then issued") << "無効 1" << "発行 1" << false;
    QTest::newRow("issued, then a void one") << "発行 1" << "無効 1" << false;
    QTest::newRow("pending beside issued") << "発行 1" << "出力中 1" << false;
    QTest::newRow("an entry that does not say it is a copy") << "発行 1" << "再発行 " << false;
    QTest::newRow("a reissued copy") << "発行 1" << "再発行 0" << true;
    QTest::newRow("a pending copy") << "発行 1" << "出力中 0" << true;
    QTest::newRow("a void copy") << "発行 1" << "無効 0" << true;
    QTest::newRow("two reissued copies") << "再発行 0" << "再発行 0" << true;
}

// Written straight into the file, past the program: only copies may share a number.
void TestStore::secondOriginalEntryIsRefused()
{
    QFETCH(QString, first);
    QFETCH(QString, second);
    QFETCH(bool, accepted);
    TestData data;
    const auto insert = [](const QString& entry) {
        const QString state = entry.section(QLatin1Char(' '), 0, 0);
        const QString original = entry.section(QLatin1Char(' '), 1);
        QSqlQuery q(Connections::mainDb());
        if (!q.prepare(original.isEmpty()
                           ? QStringLiteral("INSERT INTO 発行記録 (領収証番号, 発行日時, 状態) VALUES (7, 'd', ?)")
                           : QStringLiteral("INSERT INTO 発行記録 (領収証番号, 発行日時, 状態, 原本) VALUES (7, 'd', ?, ?)")))
            return false;
        q.addBindValue(state);
        if (!original.isEmpty())
            q.addBindValue(original.toInt());
        return q.exec();
    };
    QVERIFY(insert(first));
    QCOMPARE(insert(second), accepted);
    QCOMPARE(TestData::columnMain(QStringLiteral("SELECT count(*) FROM 発行記録")), QVariantList{accepted ? 2 : 1});
}

void TestStore::registerFromBeforeCopiesWereMarked_data()
{
    QTest::addColumn<QString>("entries");
    QTest::addColumn<QString>("refusal");
    QTest::newRow("two originals for 4 and for 9") << "(4, 'a', '発行'), (4, 'b', '発行'), (9, 'a', '発行'), "
                                                      "(9, 'b', '無効'), (12, 'a', '発行'), (12, 'b', '再発行')"
                                                   << "領収証番号 4、9）";
    QTest::newRow("originals and their copies") << "(4, 'a', '発行'), (4, 'b', '再発行'), (4, 'c', '再発行'), "
                                                   "(5, 'a', '無効')"
                                                << "";
}

// A register written before entries said whether they are copies gains the column at open, its
// 再発行 entries marked as copies; one that already gave a number twice is not opened: the
// numbers are named, and the file stays as it was.
void TestStore::registerFromBeforeCopiesWereMarked()
{
    QFETCH(QString, entries);
    QFETCH(QString, refusal);
    QTemporaryDir dir;
    QVERIFY(SchemaInstaller::createMissing(dir.path()));
    QVERIFY(Connections::open(DataPaths::forFolder(dir.path())).ok); // the files get their identity
    Connections::close();
    const QString mainPath = dir.filePath(QStringLiteral("Ledrium.mdb"));
    QVERIFY(onFile(mainPath, {QStringLiteral("DROP TABLE 発行記録"),
                              QStringLiteral("CREATE TABLE 発行記録 (記録番号 INTEGER PRIMARY KEY, 領収証番号 INTEGER NOT NULL, "
                                             "領収日付 TEXT, 顧客名 TEXT, 領収額 INTEGER, 但書 TEXT, 表題 TEXT, 自社名 TEXT, "
                                             "自社情報 TEXT, 用紙 TEXT, 出力先 TEXT, 種別 TEXT, 発行日時 TEXT NOT NULL, "
                                             "状態 TEXT NOT NULL, 無効理由 TEXT)"),
                              QStringLiteral("INSERT INTO 発行記録 (領収証番号, 発行日時, 状態) VALUES ") + entries}));
    const QByteArray before = bytesOf(mainPath);
    const OpenOutcome opened = Connections::open(DataPaths::forFolder(dir.path()));
    if (!refusal.isEmpty()) {
        QVERIFY(!opened.ok);
        QCOMPARE(opened.file, mainPath);
        QVERIFY2(opened.reason.contains(refusal), qPrintable(opened.reason));
        QCOMPARE(bytesOf(mainPath), before);
        return;
    }
    QVERIFY2(opened.ok, qPrintable(opened.reason));
    QCOMPARE(TestData::columnMain(QStringLiteral("SELECT 原本 FROM 発行記録 ORDER BY 記録番号")),
             (QVariantList{1, 0, 0, 1}));
    QSqlQuery second(Connections::mainDb());
    QVERIFY(!second.exec(QStringLiteral("INSERT INTO 発行記録 (領収証番号, 発行日時, 状態) VALUES (5, 'x', '発行')")));
    Connections::close();
}

// A main file from before the saved versions gains their table at open, the work file its own
// at the first load; a list loaded and registered counts from 1, its rows as saved.
void TestStore::filesFromBeforeSavedVersions()
{
    QTemporaryDir dir;
    QVERIFY(SchemaInstaller::createMissing(dir.path()));
    QVERIFY(Connections::open(DataPaths::forFolder(dir.path())).ok); // the files get their identity
    Connections::close();
    QVERIFY(onFile(dir.filePath(QStringLiteral("Ledrium.mdb")), {QStringLiteral("DROP TABLE 保存版")}));
    QVERIFY(Connections::open(DataPaths::forFolder(dir.path())).ok);
    QVERIFY(CustomerMasterTable::replaceCategory(QStringLiteral("会員"), {{1, QStringLiteral("甲"), {}, {}}}));
    QVERIFY(WorkTableProtocol::loadCustomerList(QStringLiteral("会員")));
    QVERIFY(WorkTableProtocol::registerCustomerList(QStringLiteral("会員")));
    QCOMPARE(TestData::columnMain(QStringLiteral("SELECT 種類 || '|' || 名前 || '|' || 版 FROM 保存版")),
             QVariantList{QStringLiteral("顧客|会員|2")});
    QCOMPARE(CustomerMasterTable::readCategory(QStringLiteral("会員")).value(0).顧客名.toString(), QStringLiteral("甲"));
    Connections::close();
}

void TestStore::openRefusesBadFiles_data()
{
    QTest::addColumn<QString>("damage");
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("reason");
    QTest::newRow("work database missing") << "remove" << "LedriumWork.mdb" << "ファイルがありません";
    QTest::newRow("main database missing") << "remove" << "Ledrium.mdb" << "ファイルがありません";
    QTest::newRow("empty file") << "empty" << "Ledrium.mdb" << "ファイルが空です";
    QTest::newRow("not a database") << "garbage" << "LedriumWork.mdb" << "形式が違います";
    QTest::newRow("truncated") << "truncate" << "Ledrium.mdb" << "壊れています";
    QTest::newRow("table missing") << "drop" << "LedriumWork.mdb" << "w但書";
}

// Opening never creates or changes a file, and names the file and the reason.
void TestStore::openRefusesBadFiles()
{
    QFETCH(QString, damage);
    QFETCH(QString, file);
    QFETCH(QString, reason);
    QTemporaryDir dir;
    QVERIFY(SchemaInstaller::createMissing(dir.path()));
    const QString path = dir.filePath(file);
    if (damage == QLatin1String("remove")) {
        QFile::remove(path);
    } else if (damage == QLatin1String("drop")) {
        QVERIFY(Connections::open(DataPaths::forFolder(dir.path())).ok);
        QVERIFY(TestData::execWork(QStringLiteral("DROP TABLE w但書")));
        Connections::close();
    } else {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadWrite));
        if (damage == QLatin1String("empty"))
            f.resize(0);
        else if (damage == QLatin1String("truncate"))
            f.resize(f.size() / 2);
        else {
            f.resize(0);
            f.write(QByteArray(4096, '\x5a'));
        }
    }
    const QByteArray before = QFile::exists(path) ? [&] {
        QFile f(path);
        f.open(QIODevice::ReadOnly);
        return f.readAll();
    }() : QByteArray();
    const OpenOutcome outcome = Connections::open(DataPaths::forFolder(dir.path()));
    QVERIFY(!outcome.ok);
    QCOMPARE(outcome.file, path);
    QVERIFY2(outcome.reason.contains(reason), qPrintable(outcome.reason));
    QVERIFY(!QSqlDatabase::contains(QStringLiteral("MainDb")));
    if (damage == QLatin1String("remove")) {
        QVERIFY(!QFile::exists(path));
    } else {
        QFile f(path);
        QVERIFY(f.open(QIODevice::ReadOnly));
        QCOMPARE(f.readAll(), before);
    }
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 2 - (damage == QLatin1String("remove") ? 1 : 0));
}

void TestStore::damageDeepInTheFileIsFoundWhenThereIsAReason_data()
{
    QTest::addColumn<QString>("arrange");
    QTest::addColumn<bool>("refused");
    // Reading every page at each start would grow with the data; a file opened here before
    // and closed since is taken on its header and schema.
    QTest::newRow("opened here before") << "" << false;
    QTest::newRow("last run ended without closing") << "always" << true;
    QTest::newRow("copied to another folder") << "copy" << true;
    QTest::newRow("save cut off") << "journal" << true;
}

// A page of customers overwritten with zeros, where neither the header nor the schema shows it.
void TestStore::damageDeepInTheFileIsFoundWhenThereIsAReason()
{
    QFETCH(QString, arrange);
    QFETCH(bool, refused);
    QTemporaryDir dir, copy;
    QVERIFY(SchemaInstaller::createMissing(dir.path()));
    QVERIFY(Connections::open(DataPaths::forFolder(dir.path())).ok);
    QVERIFY(TestData::execMain(QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 2000) "
                                              "INSERT INTO 顧客マスタ (行番号, 顧客名, 区分) SELECT i, '会員 ' || i, '会員' FROM n")));
    Connections::close();
    QString folder = dir.path();
    if (arrange == QLatin1String("copy")) {
        for (const QString& name : {QStringLiteral("Ledrium.mdb"), QStringLiteral("LedriumWork.mdb")})
            QVERIFY(QFile::copy(dir.filePath(name), copy.filePath(name)));
        folder = copy.path();
    }
    const QString path = DataPaths::forFolder(folder).MainDbPath;
    {
        QFile file(path);
        QVERIFY(file.open(QIODevice::ReadWrite));
        const QByteArray header = file.read(100);
        const qint64 pageSize = qFromBigEndian<quint16>(header.constData() + 16);
        QVERIFY(file.size() / pageSize > 10);
        QVERIFY(file.seek(file.size() - pageSize));
        QVERIFY(file.write(QByteArray(pageSize, '\0')) == pageSize);
        if (arrange == QLatin1String("journal")) {
            // The journal of a save cut off before it wrote a page: played back, it changes nothing.
            QFile journal(path + QStringLiteral("-journal"));
            QVERIFY(journal.open(QIODevice::WriteOnly));
            QByteArray head = QByteArray::fromHex("d9d505f920a163d7") + QByteArray(20, '\0');
            qToBigEndian<quint32>(quint32(file.size() / pageSize), head.data() + 16);
            qToBigEndian<quint32>(512, head.data() + 20);
            qToBigEndian<quint32>(quint32(pageSize), head.data() + 24);
            QVERIFY(journal.write(head + QByteArray(512 - head.size(), '\0')) == 512);
        }
    }
    const OpenOutcome outcome = Connections::open(
        DataPaths::forFolder(folder), {}, arrange == QLatin1String("always") ? WholeFileCheck::Always : WholeFileCheck::WhenDue);
    QCOMPARE(!outcome.ok, refused);
    if (refused)
        QVERIFY2(outcome.reason.contains(QStringLiteral("壊れています")), qPrintable(outcome.reason));
    Connections::close();
}

void TestStore::refusedOpenChangesNeitherFile_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("arrange");
    QTest::addColumn<QString>("reason");
    QTest::newRow("work database missing") << "LedriumWork.mdb" << "remove" << "ファイルがありません";
    QTest::newRow("trigger that empties other categories")
        << "Ledrium.mdb"
        << "CREATE TRIGGER 区分外削除 AFTER INSERT ON 顧客マスタ BEGIN DELETE FROM 顧客マスタ WHERE 区分 <> NEW.区分; END"
        << "トリガー「区分外削除」";
    QTest::newRow("trigger that keeps the counter at 0")
        << "Ledrium.mdb" << "CREATE TRIGGER 番号戻し AFTER UPDATE ON 自社情報 BEGIN UPDATE 自社情報 SET 領収証番号 = 0; END"
        << "トリガー「番号戻し」";
    QTest::newRow("view in the work database") << "LedriumWork.mdb" << "CREATE VIEW 一覧 AS SELECT * FROM w顧客マスタ"
                                               << "ビュー「一覧」";
    QTest::newRow("write-ahead log of another database") << "Ledrium.mdb" << "wal" << "Ledrium.mdb-wal";
}

// A file the program cannot take as it is gets refused before either file is changed, with the
// file and the reason named; not a byte of the folder changes.
void TestStore::refusedOpenChangesNeitherFile()
{
    QFETCH(QString, file);
    QFETCH(QString, arrange);
    QFETCH(QString, reason);
    QTemporaryDir dir, other;
    QVERIFY(SchemaInstaller::createMissing(dir.path()));
    const QString path = dir.filePath(file);
    if (arrange == QLatin1String("remove")) {
        QVERIFY(QFile::remove(path));
    } else if (arrange == QLatin1String("wal")) {
        // A log with a committed customer, taken from another copy of the database while it ran.
        QVERIFY(SchemaInstaller::createMissing(other.path()));
        const QString otherMain = other.filePath(QStringLiteral("Ledrium.mdb"));
        QVERIFY(onFile(otherMain,
                       {QStringLiteral("PRAGMA journal_mode = WAL"),
                        QStringLiteral("INSERT INTO 顧客マスタ (行番号, 顧客名, 区分) VALUES (1, '他人', '会員')")},
                       [&] { QVERIFY(QFile::copy(otherMain + QStringLiteral("-wal"), path + QStringLiteral("-wal"))); }));
    } else {
        QVERIFY(onFile(path, {arrange}));
    }
    const QMap<QString, QByteArray> before = folderState(dir.path());
    const OpenOutcome outcome = Connections::open(DataPaths::forFolder(dir.path()));
    QVERIFY(!outcome.ok);
    QCOMPARE(outcome.file, path);
    QVERIFY2(outcome.reason.contains(reason), qPrintable(outcome.reason));
    QVERIFY(!QSqlDatabase::contains(QStringLiteral("MainDb")));
    QVERIFY(folderState(dir.path()) == before);
}

// A save cut off before its commit (the program killed): the next open has the state before it.
void TestStore::cutOffSaveIsRolledBack()
{
    QTemporaryDir dir, crashed;
    QVERIFY(SchemaInstaller::createMissing(dir.path()));
    QVERIFY(Connections::open(DataPaths::forFolder(dir.path())).ok);
    QVERIFY(CompanyTable::writeFirst({QStringLiteral("会"), {}, QStringLiteral("西暦"), 41}));
    {
        Transaction save(Connections::mainDb());
        QVERIFY(TestData::execMain(QStringLiteral("UPDATE 自社情報 SET 領収証番号 = 99")));
        // The files as a kill at this moment leaves them.
        for (const char* name : {"Ledrium.mdb", "Ledrium.mdb-journal", "LedriumWork.mdb"})
            QVERIFY2(QFile::copy(dir.filePath(QLatin1String(name)), crashed.filePath(QLatin1String(name))), name);
    }
    Connections::close();
    const OpenOutcome reopened = Connections::open(DataPaths::forFolder(crashed.path()));
    QVERIFY2(reopened.ok, qPrintable(reopened.reason));
    QCOMPARE(CompanyTable::readFirst()->領収証番号.toInt(), 41);
    // The next save replaces what is left of that journal and leaves none behind.
    QVERIFY(CompanyTable::raiseReceiptNumber(42));
    QVERIFY(!QFile::exists(crashed.filePath(QStringLiteral("Ledrium.mdb-journal"))));
}

// A journal left by a crash, found beside a backup copied back afterwards, must not be played
// into the backup: the start is refused, nothing changes, and once the journal is removed the
// backup opens exactly as it was copied.
void TestStore::journalOfAnotherStateIsRefused()
{
    QTemporaryDir dir;
    QVERIFY(SchemaInstaller::createMissing(dir.path()));
    QVERIFY(Connections::open(DataPaths::forFolder(dir.path())).ok); // the files get their identity
    Connections::close();
    const QString mainPath = dir.filePath(QStringLiteral("Ledrium.mdb"));
    const QString journalPath = mainPath + QStringLiteral("-journal");
    const QByteArray backup = bytesOf(mainPath);
    QStringList fill = {QStringLiteral("PRAGMA journal_mode = DELETE")};
    for (int i = 1; i <= 200; ++i)
        fill << QStringLiteral("INSERT INTO 顧客マスタ (行番号, 顧客名, 区分) VALUES (%1, '%2', '会員')").arg(i).arg(QString(100, QChar(0x4E00 + i)));
    QVERIFY(onFile(mainPath, fill));
    QByteArray journal;
    // A small cache makes SQLite write part of the save into the file, with its journal synced.
    QVERIFY(onFile(mainPath,
                   {QStringLiteral("PRAGMA cache_size = 2"), QStringLiteral("BEGIN"),
                    QStringLiteral("UPDATE 顧客マスタ SET 顧客名 = 顧客名 || '追加'")},
                   [&] { journal = bytesOf(journalPath); }));
    QVERIFY(journal.size() > 1000);
    QVERIFY(writeBytes(mainPath, backup));
    QVERIFY(writeBytes(journalPath, journal));

    const OpenOutcome refused = Connections::open(DataPaths::forFolder(dir.path()));
    QVERIFY(!refused.ok);
    QCOMPARE(refused.file, mainPath);
    QVERIFY2(refused.reason.contains(journalPath), qPrintable(refused.reason));
    QCOMPARE(bytesOf(mainPath), backup);
    QCOMPARE(bytesOf(journalPath), journal);

    QVERIFY(QFile::remove(journalPath));
    const OpenOutcome opened = Connections::open(DataPaths::forFolder(dir.path()));
    QVERIFY2(opened.ok, qPrintable(opened.reason));
    QCOMPARE(TestData::columnMain(QStringLiteral("SELECT count(*) FROM 顧客マスタ")).value(0).toInt(), 0);
    Connections::close();
    QCOMPARE(bytesOf(mainPath), backup);
}

void TestStore::journalOfAnotherCopyIsRefused_data()
{
    QTest::addColumn<bool>("startedBeforeCopying");
    QTest::newRow("copied as delivered") << false;
    QTest::newRow("copied after a start") << true;
}

// Two data folders made from the same delivered files, used alike: a journal cut off in one is
// refused beside the other (whose rows it would delete), and still rolled back in its own.
void TestStore::journalOfAnotherCopyIsRefused()
{
    QFETCH(bool, startedBeforeCopying);
    QTemporaryDir first, second;
    QVERIFY(SchemaInstaller::createMissing(first.path()));
    if (startedBeforeCopying) {
        QVERIFY(Connections::open(DataPaths::forFolder(first.path())).ok);
        Connections::close();
    }
    QStringList fill = {QStringLiteral("PRAGMA journal_mode = DELETE")};
    for (int i = 1; i <= 200; ++i)
        fill << QStringLiteral("INSERT INTO 顧客マスタ (行番号, 顧客名, 区分) VALUES (%1, '%2', '会員')").arg(i).arg(QString(100, QChar(0x4E00 + i)));
    for (const char* name : {"Ledrium.mdb", "LedriumWork.mdb"})
        QVERIFY(QFile::copy(first.filePath(QLatin1String(name)), second.filePath(QLatin1String(name))));
    for (const QTemporaryDir* dir : {&first, &second}) {
        QVERIFY(Connections::open(DataPaths::forFolder(dir->path())).ok);
        Connections::close();
        QVERIFY(onFile(dir->filePath(QStringLiteral("Ledrium.mdb")), fill));
    }
    const QString firstMain = first.filePath(QStringLiteral("Ledrium.mdb"));
    const QString secondMain = second.filePath(QStringLiteral("Ledrium.mdb"));
    QByteArray journal, cutOff;
    // A small cache makes SQLite write part of the save into the file, with its journal synced.
    QVERIFY(onFile(firstMain,
                   // Page 1 first, as the program's own saves journal it.
                   {QStringLiteral("PRAGMA cache_size = 2"), QStringLiteral("BEGIN"), QStringLiteral("PRAGMA user_version = 7"),
                    QStringLiteral("DELETE FROM 顧客マスタ WHERE 行番号 > 10")},
                   [&] {
                       journal = bytesOf(firstMain + QStringLiteral("-journal"));
                       cutOff = bytesOf(firstMain);
                   }));
    QVERIFY(journal.size() > 1000);

    const QByteArray secondBefore = bytesOf(secondMain);
    QVERIFY(writeBytes(secondMain + QStringLiteral("-journal"), journal));
    const OpenOutcome refused = Connections::open(DataPaths::forFolder(second.path()));
    QVERIFY(!refused.ok);
    QVERIFY2(refused.reason.contains(secondMain + QStringLiteral("-journal")), qPrintable(refused.reason));
    QVERIFY(refused.reason.contains(QStringLiteral("削除してから起動してください")));
    QCOMPARE(bytesOf(secondMain), secondBefore);
    QVERIFY(QFile::remove(secondMain + QStringLiteral("-journal")));
    QVERIFY(Connections::open(DataPaths::forFolder(second.path())).ok);
    QCOMPARE(TestData::columnMain(QStringLiteral("SELECT count(*) FROM 顧客マスタ")).value(0).toInt(), 200);
    Connections::close();

    // The genuine cut-off save: the file as the kill left it, with its own journal.
    QVERIFY(writeBytes(firstMain, cutOff));
    QVERIFY(writeBytes(firstMain + QStringLiteral("-journal"), journal));
    const OpenOutcome rolledBack = Connections::open(DataPaths::forFolder(first.path()));
    QVERIFY2(rolledBack.ok, qPrintable(rolledBack.reason));
    QCOMPARE(TestData::columnMain(QStringLiteral("SELECT count(*) FROM 顧客マスタ")).value(0).toInt(), 200);
    Connections::close();
}

// The rollback journal SQLite writes for a save that changed page 1 alone: its header, then
// page 1 as it was, with its checksum.
static QByteArray journalOfPageOne(const QByteArray& before, quint32 pageSize)
{
    const quint32 nonce = 0x5eed1234;
    QByteArray journal = QByteArray::fromHex("d9d505f920a163d7");
    for (const quint32 field : {1u, nonce, quint32(before.size() / pageSize), 512u, pageSize})
        journal += QByteArray::fromHex(QByteArray::number(field, 16).rightJustified(8, '0'));
    journal.resize(512, '\0');
    quint32 checksum = nonce;
    for (qint64 at = qint64(pageSize) - 200; at > 0; at -= 200)
        checksum += quint8(before[at]);
    journal += QByteArray::fromHex("00000001") + before.left(pageSize) +
               QByteArray::fromHex(QByteArray::number(checksum, 16).rightJustified(8, '0'));
    return journal;
}

// A copied folder's file takes a fresh identity at its first start there; a save cut off while
// that was written carries the old identity in its journal and is still rolled back.
void TestStore::saveCutOffWhileTakingAnIdentityIsRolledBack()
{
    QTemporaryDir first, second;
    QVERIFY(SchemaInstaller::createMissing(first.path()));
    QVERIFY(Connections::open(DataPaths::forFolder(first.path())).ok);
    Connections::close();
    const QString copy = second.filePath(QStringLiteral("Ledrium.mdb"));
    for (const char* name : {"Ledrium.mdb", "LedriumWork.mdb"})
        QVERIFY(QFile::copy(first.filePath(QLatin1String(name)), second.filePath(QLatin1String(name))));
    QVERIFY(onFile(copy, {QStringLiteral("INSERT INTO 顧客マスタ (行番号, 顧客名, 区分) VALUES (1, '山田', '会員')")}));
    const QByteArray before = bytesOf(copy);
    QVERIFY(Connections::open(DataPaths::forFolder(second.path())).ok);
    Connections::close();
    const QByteArray stamped = bytesOf(copy);
    const quint32 pageSize = 4096;
    QVERIFY(stamped.left(pageSize) != before.left(pageSize)); // a fresh identity
    QCOMPARE(stamped.mid(pageSize), before.mid(pageSize)); // the identity is on page 1 alone

    QVERIFY(writeBytes(copy + QStringLiteral("-journal"), journalOfPageOne(before, pageSize)));
    const QString problem = LeftoverLogs::problem(copy);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
    QVERIFY(onFile(copy, {QStringLiteral("SELECT count(*) FROM 顧客マスタ")}));
    QCOMPARE(bytesOf(copy), before); // played back
    QVERIFY(Connections::open(DataPaths::forFolder(second.path())).ok);
    QCOMPARE(TestData::columnMain(QStringLiteral("SELECT 顧客名 FROM 顧客マスタ")), QVariantList{QStringLiteral("山田")});
    Connections::close();
    QVERIFY(!QFile::exists(copy + QStringLiteral("-journal")));
}

// An existing database keeps its hint rows across an update: a text still as an earlier
// version delivered it becomes today's text; a text the user wrote stays.
void TestStore::oldDeliveredHintsGetTodaysText()
{
    TestData data;
    QVERIFY(data.ok());
    const QString form = QStringLiteral("Frm領収証");
    const QString earlierText = QStringLiteral("前の版の案内\n２行目");
    const QString userText = QStringLiteral("利用者が書いた案内");
    const QByteArray earlier =
        QCryptographicHash::hash(earlierText.toUtf8(), QCryptographicHash::Sha256).toHex();
    QVERIFY(TestData::execWork(QStringLiteral("DELETE FROM ClHint")));
    const QList<std::pair<QString, QString>> stored{{QStringLiteral("cmdHint"), earlierText},
                                                    {QStringLiteral("cmdHint2"), userText},
                                                    {QStringLiteral("cmdOther"), earlierText}};
    for (const auto& [ctl, text] : stored)
        QVERIFY(TestData::execWork(QStringLiteral("INSERT INTO ClHint VALUES (?, ?, ?, ?)"),
                                   {form, ctl, QStringLiteral("LEDRIUM"), text}));

    const QList<HintRecord> delivered = DeliveredHints::current();
    QCOMPARE(delivered.size(), 2);
    QVERIFY(DeliveredHints::refresh({earlier}));
    const QList<HintRecord> updated = HintTable::read(form, QStringLiteral("cmdHint"));
    QCOMPARE(updated.size(), 1);
    QCOMPARE(updated[0].Contents.toString(), delivered[0].Contents.toString());
    QVERIFY(updated[0].Contents.toString().contains(QStringLiteral("【領収証タブの使い方】")));
    QCOMPARE(HintTable::read(form, QStringLiteral("cmdHint2")).value(0).Contents.toString(), userText);
    // A key that has no delivered text keeps its own.
    QCOMPARE(HintTable::read(form, QStringLiteral("cmdOther")).value(0).Contents.toString(), earlierText);

    // Today's delivery is not an earlier one: a fresh database is never rewritten at start.
    for (const HintRecord& row : delivered)
        QVERIFY(!DeliveredHints::earlierFingerprints().contains(
            QCryptographicHash::hash(row.Contents.toString().toUtf8(), QCryptographicHash::Sha256).toHex()));
}

QTEST_GUILESS_MAIN(TestStore)
void TestStore::csvFieldWrittenAsSpreadsheetsReadIt_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<QByteArray>("written");
    QTest::newRow("plain") << u("山田　太郎") << QByteArray("山田　太郎\r\n");
    QTest::newRow("comma") << u("会費,寄付") << QByteArray("\"会費,寄付\"\r\n");
    QTest::newRow("quote") << u("\"特\"会員") << QByteArray("\"\"\"特\"\"会員\"\r\n");
    QTest::newRow("line break") << u("一行目\n二行目") << QByteArray("\"一行目\n二行目\"\r\n");
    QTest::newRow("empty") << QString() << QByteArray("\r\n");
    QTest::newRow("formula") << u("=SUM(A1)") << QByteArray("'=SUM(A1)\r\n");
    QTest::newRow("formula with comma") << u("=A1,B1") << QByteArray("\"'=A1,B1\"\r\n");
    QTest::newRow("apostrophe then formula") << u("'-1") << QByteArray("''-1\r\n");
    QTest::newRow("apostrophe alone") << u("'山田") << QByteArray("'山田\r\n");
    QTest::newRow("emoji") << u("🎉") << QByteArray("🎉\r\n");
}

void TestStore::csvFieldWrittenAsSpreadsheetsReadIt()
{
    QFETCH(QString, field);
    QFETCH(QByteArray, written);
    QCOMPARE(CsvText::record({field}), written);
    QCOMPARE(CsvText::unguarded(CsvText::guarded(field)), field);
    const QByteArray file = CsvText::document({u("顧客名")}, {{field}});
    QVERIFY(file.startsWith("\xEF\xBB\xBF" "顧客名\r\n"));
    QVERIFY(file.endsWith(written));
    // The reader gives back what was written, guard and all.
    const QList<CsvReader::Record> read = CsvReader::records(TextDecoding::decode(file, TextDecoding::Encoding::Utf8), u',');
    QCOMPARE(read.size(), 2);
    QCOMPARE(read[1].fields, QStringList{CsvText::guarded(field)});
}

using Records = QList<QStringList>;

void TestStore::csvRecordsReadAsSpreadsheetsWriteThem_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QChar>("separator");
    QTest::addColumn<Records>("records");
    QTest::addColumn<QList<int>>("lines"); // where each record starts
    QTest::addColumn<int>("unclosed");     // the record whose quote stays open, or -1
    const QChar comma(u','), tab(u'\t');
    QTest::newRow("plain, CRLF") << u("山田,年会費\r\n鈴木,寄付\r\n") << comma << Records{{u("山田"), u("年会費")}, {u("鈴木"), u("寄付")}}
                                 << QList<int>{1, 2} << -1;
    QTest::newRow("LF, no end") << u("a,b\nc,d") << comma << Records{{u("a"), u("b")}, {u("c"), u("d")}} << QList<int>{1, 2} << -1;
    QTest::newRow("CR alone") << u("a\rb\r") << comma << Records{{u("a")}, {u("b")}} << QList<int>{1, 2} << -1;
    QTest::newRow("quoted comma and quotes") << u("\"会費,寄付\",\"\"\"特\"\"会員\"\r\n") << comma
                                             << Records{{u("会費,寄付"), u("\"特\"会員")}} << QList<int>{1} << -1;
    QTest::newRow("line breaks in quotes") << u("\"一\r\n二\",x\r\n\"三\n四\"\r\nlast\r\n") << comma
                                           << Records{{u("一\r\n二"), u("x")}, {u("三\n四")}, {u("last")}}
                                           << QList<int>{1, 3, 5} << -1;
    QTest::newRow("empty lines and fields") << u("a,,\r\n\r\n,b\r\n") << comma
                                            << Records{{u("a"), u(""), u("")}, {u("")}, {u(""), u("b")}}
                                            << QList<int>{1, 2, 3} << -1;
    QTest::newRow("quote inside a field") << u("5\"3,O\"Neil\r\n") << comma << Records{{u("5\"3"), u("O\"Neil")}}
                                          << QList<int>{1} << -1;
    QTest::newRow("text after a closing quote") << u("\"ab\"c,d\r\n") << comma << Records{{u("abc"), u("d")}}
                                                << QList<int>{1} << -1;
    QTest::newRow("quote left open") << u("a\r\n\"b,c\r\nd\r\n") << comma << Records{{u("a")}, {u("b,c\r\nd\r\n")}}
                                     << QList<int>{1, 2} << 1;
    QTest::newRow("tabs") << u("山田\t1,000\t\"年\t会費\"\r\n") << tab << Records{{u("山田"), u("1,000"), u("年\t会費")}}
                          << QList<int>{1} << -1;
    QTest::newRow("byte-order mark") << QChar(0xFEFF) + u("顧客名\r\n") << comma << Records{{u("顧客名")}} << QList<int>{1} << -1;
}

void TestStore::csvRecordsReadAsSpreadsheetsWriteThem()
{
    QFETCH(QString, text);
    QFETCH(QChar, separator);
    QFETCH(Records, records);
    QFETCH(QList<int>, lines);
    QFETCH(int, unclosed);
    const QList<CsvReader::Record> read = CsvReader::records(text, separator);
    Records fields;
    QList<int> starts;
    for (qsizetype i = 0; i < read.size(); ++i) {
        fields.append(read[i].fields);
        starts.append(read[i].line);
        QCOMPARE(read[i].unclosedQuote, i == unclosed);
    }
    QCOMPARE(fields, records);
    QCOMPARE(starts, lines);
    QCOMPARE(CsvReader::guessSeparator(text), separator);
}

// The bytes of `text` in code page 932, as a Japanese spreadsheet saves CSV, made by iconv.
static QByteArray cp932(const QString& text)
{
    QProcess iconv;
    iconv.start(QStringLiteral("iconv"), {QStringLiteral("-f"), QStringLiteral("UTF-8"), QStringLiteral("-t"), QStringLiteral("CP932")});
    iconv.write(text.toUtf8());
    iconv.closeWriteChannel();
    if (!iconv.waitForFinished() || iconv.exitCode() != 0)
        return {};
    return iconv.readAllStandardOutput();
}

void TestStore::csvEncodingDetected_data()
{
    using E = TextDecoding::Encoding;
    QTest::addColumn<QByteArray>("bytes");
    QTest::addColumn<E>("encoding");
    QTest::addColumn<QString>("text");
    QTest::addColumn<bool>("clean");
    // Characters only code page 932 has (①, ㈱, 髙) and its own mapping of ～.
    const QString vendor = u("髙橋①,㈱～\\1,000\r\n");
    QTest::newRow("UTF-8 with BOM") << QByteArray("\xEF\xBB\xBF") + vendor.toUtf8() << E::Utf8 << vendor << true;
    QTest::newRow("UTF-8 without BOM") << vendor.toUtf8() << E::Utf8 << vendor << true;
    QTest::newRow("ASCII") << QByteArray("Yamada,100\r\n") << E::Utf8 << u("Yamada,100\r\n") << true;
    QTest::newRow("CP932 from iconv") << cp932(vendor) << E::ShiftJis << vendor << true;
    QTest::newRow("UTF-16 with BOM") << QByteArray("\xFF\xFE", 2) + QByteArray(reinterpret_cast<const char*>(vendor.utf16()), vendor.size() * 2)
                                     << E::Utf16 << vendor << true;
    // 0xA0 is no character in code page 932, and the file is no UTF-8 either.
    QTest::newRow("unreadable byte") << cp932(u("山田")) + QByteArray("\xA0,1\r\n") << E::ShiftJis << u("山田\uFFFD,1\r\n") << false;
}

void TestStore::csvEncodingDetected()
{
    QFETCH(QByteArray, bytes);
    QFETCH(TextDecoding::Encoding, encoding);
    QFETCH(QString, text);
    QFETCH(bool, clean);
    QVERIFY(!bytes.isEmpty());
    QCOMPARE(TextDecoding::detect(bytes), encoding);
    bool decodedClean = !clean;
    QCOMPARE(TextDecoding::decode(bytes, encoding, &decodedClean), text);
    QCOMPARE(decodedClean, clean);
}

void TestStore::fullDiskIsNamed_data()
{
    QTest::addColumn<bool>("moreThanFree");
    QTest::newRow("more than the disk holds") << true;
    QTest::newRow("room enough") << false;
}

// A write that failed for want of room says the disk is full, not an unknown error.
void TestStore::fullDiskIsNamed()
{
    QFETCH(bool, moreThanFree);
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("out.csv"));
    QFile file(path);
    const qint64 free = QStorageInfo(dir.path()).bytesAvailable();
    const QString text = WriteFailure::describe(file, path, moreThanFree ? free + 1 : 10);
    QCOMPARE(text.contains(QStringLiteral("ディスクの空きが足りません")), moreThanFree);
    if (moreThanFree)
        QVERIFY2(text.contains(QDir::toNativeSeparators(dir.path())), qPrintable(text));
}

void TestStore::failedFileWriteSaysWhy_data()
{
    QTest::addColumn<QString>("path"); // in a fresh folder unless absolute
    QTest::addColumn<bool>("replacing"); // written beside and renamed, as the outputs do
    QTest::addColumn<QString>("said");
    QTest::newRow("a device without room") << QStringLiteral("/dev/full") << false
                                           << QStringLiteral("ディスクの空きがありません");
    QTest::newRow("a folder that is not there") << QStringLiteral("gone/out.csv") << true
                                                << QStringLiteral("保存先のフォルダがありません");
}

// The reason a file could not be written reaches the user in Japanese, whatever the system's
// language, from the error Qt reports.
void TestStore::failedFileWriteSaysWhy()
{
    QFETCH(QString, path);
    QFETCH(bool, replacing);
    QFETCH(QString, said);
    QTemporaryDir dir;
    const QString target = QDir::isAbsolutePath(path) ? path : dir.filePath(path);
    QSaveFile replaced(target);
    QFile direct(target);
    QFileDevice& file = replacing ? static_cast<QFileDevice&>(replaced) : direct;
    const QByteArray bytes(64 * 1024, 'x');
    QVERIFY(!(file.open(QIODevice::WriteOnly) && file.write(bytes) == bytes.size() && file.flush()));
    const QString text = WriteFailure::describe(file, target, bytes.size());
    QVERIFY2(text.startsWith(said), qPrintable(text));
}

void TestStore::csvNeverWrittenOverOwnData_data()
{
    QTest::addColumn<QString>("name");
    QTest::addColumn<bool>("viaLink");
    QTest::newRow("main database") << u("Ledrium.mdb") << false;
    QTest::newRow("work database through a link") << u("LedriumWork.mdb") << true;
    QTest::newRow("a journal through a dangling link") << u("Ledrium.mdb-journal") << true;
    QTest::newRow("the lock") << u("Ledrium.lock") << false;
}

// Every CSV export (member lists, the register) saves through here: the program's own files
// are refused by name, and left as they were.
void TestStore::csvNeverWrittenOverOwnData()
{
    QFETCH(QString, name);
    QFETCH(bool, viaLink);
    TestData data;
    const QString own = data.folder() + name;
    QString path = own;
    QTemporaryDir elsewhere;
    if (viaLink) {
        path = elsewhere.filePath(u("export.csv"));
        QVERIFY(QFile::link(own, path));
    }
    const bool existed = QFileInfo::exists(own);
    const QByteArray before = bytesOf(own);
    QString error;
    QVERIFY(!CsvText::save(path, QByteArray("a,b\r\n"), &error));
    QVERIFY2(error.contains(name), qPrintable(error));
    QCOMPARE(QFileInfo::exists(own), existed);
    QCOMPARE(bytesOf(own), before);
}

void TestStore::csvNeverWrittenIntoAFileHeldOpen_data()
{
    QTest::addColumn<QString>("name"); // a file of the data folder, "" for one held open elsewhere
    QTest::newRow("hard link to the main database") << u("Ledrium.mdb");
    QTest::newRow("hard link to the work database") << u("LedriumWork.mdb");
    QTest::newRow("hard link to a file held open") << QString();
}

// Another name of a file the program holds open is that file: an export there is refused, the
// file and the name left as they were.
void TestStore::csvNeverWrittenIntoAFileHeldOpen()
{
    QFETCH(QString, name);
    TestData data;
    QTemporaryDir elsewhere;
    QFile held(elsewhere.filePath(u("held.txt")));
    QVERIFY(held.open(QIODevice::ReadWrite) && held.write("kept") == 4 && held.flush());
    const QString file = name.isEmpty() ? held.fileName() : data.folder() + name;
    const QString path = elsewhere.filePath(u("export.csv"));
    QCOMPARE(::link(QFile::encodeName(file).constData(), QFile::encodeName(path).constData()), 0);
    const QByteArray before = bytesOf(file);
    QString error;
    QVERIFY(!CsvText::save(path, QByteArray("a,b\r\n"), &error));
    QVERIFY2(error.contains(name.isEmpty() ? path : file), qPrintable(error));
    QCOMPARE(bytesOf(file), before);
    QCOMPARE(bytesOf(path), before);
}

#include "tst_store.moc"
