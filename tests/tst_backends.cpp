// The store's promises on both kinds of main data: a SQLite file in the data folder, and a
// PostgreSQL database on a real throw-away server that this test starts itself.
#include "PgServer.h"
#include "ServerMainData.h"
#include "TestText.h"
#include "store/CategoryTaxTable.h"
#include "store/CodeMasterTable.h"
#include "store/CodeWorkTable.h"
#include "store/ArchiveFolder.h"
#include "store/CompanyTable.h"
#include "store/Connections.h"
#include "store/CustomerMasterTable.h"
#include "store/CustomerWorkTable.h"
#include "store/MailTemplateTable.h"
#include "store/PrinterCalibrationTable.h"
#include "store/ReceiptNumbers.h"
#include "store/RegisterChanges.h"
#include "store/RegisterMail.h"
#include "store/StoreUpgrades.h"
#include "store/SavedVersions.h"
#include "store/RegisterTable.h"
#include "store/SchemaInstaller.h"
#include "store/ServerAddress.h"
#include "store/SealTable.h"
#include "store/ServerSchema.h"
#include "store/SqlRunner.h"
#include "store/StoreUpgrades.h"
#include "store/WorkTableProtocol.h"

#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QThread>

#include <functional>
#include <latch>
#include <memory>

namespace {

const QString Sqlite = QStringLiteral("SQLite file");
const QString Postgres = QStringLiteral("PostgreSQL server");

RegisterEntry entryFor(const QString& name, QVariant amount = {})
{
    RegisterEntry e;
    e.顧客名 = name;
    e.領収額 = std::move(amount);
    e.発行日時 = QStringLiteral("2026-12-11T09:00:00");
    e.用紙 = QStringLiteral("A4 x 4");
    return e;
}

const QString listRefusal = QStringLiteral(
    "この一覧は、読み込んだあとに別の画面またはほかのパソコンで登録されています。"
    "登録すると、そちらの変更が失われます。読み込み直して、変更をもう一度入力してください。");

// One unit of the main data as a computer's screen works on it: load it into the screen, type
// a text into the screen, register the screen, and read what is registered.
struct EditedUnit {
    std::function<StoreResult()> load;
    std::function<StoreResult(const QString&)> typeAndSave;
    std::function<QString()> stored;
};

EditedUnit unitNamed(const QString& unit)
{
    if (unit == QLatin1String("customers"))
        return {[] { return WorkTableProtocol::loadCustomerList(u("会員")); },
                [](const QString& text) {
                    const StoreResult typed = CustomerWorkTable::rebuild({{1, text, u("会員"), {}, 1000}});
                    return typed ? WorkTableProtocol::registerCustomerList(u("会員")) : typed;
                },
                [] { return CustomerMasterTable::readCategory(u("会員")).value(0).顧客名.toString(); }};
    if (unit == QLatin1String("codes"))
        return {[] { return WorkTableProtocol::loadCodeList(CodeMasterTable::ProvisoKind); },
                [](const QString& text) {
                    const StoreResult typed = CodeWorkTable::rebuild({{u("01"), text}});
                    return typed ? WorkTableProtocol::registerCodeList(CodeMasterTable::ProvisoKind) : typed;
                },
                [] { return CodeMasterTable::readKind(CodeMasterTable::ProvisoKind).value(0).sname.toString(); }};
    // The settings screen holds its texts in its boxes; only the save reaches the store.
    return {[] { return WorkTableProtocol::markSettingsLoaded(); },
            [](const QString& text) { return WorkTableProtocol::registerSettings({text, u("東京都"), u("西暦"), 10}); },
            [] { return CompanyTable::readFirst().value_or(CompanySettingsRecord{}).自社名.toString(); }};
}

} // namespace

class TestBackends : public QObject {
    Q_OBJECT

private:
    // One server for the whole run; each test gets a database of its own on it.
    std::unique_ptr<PgServer> server_;
    QString serverMissing_;
    int databases_ = 0;
    QTemporaryDir folder_;

    // Opens MainDb on the backend (a fresh, initialised database) and WorkDb in a fresh local
    // folder; returns the connection text of a server database, empty for SQLite.
    QString openStore(const QString& backend);
    // Another computer's connection to the same main data.
    static QSqlDatabase secondConnection(const QString& backend, const QString& server, const QString& name,
                                         const QString& folder);
    QString folderPath() const { return folder_.path() + QStringLiteral("/%1").arg(databases_); }
    // Runs `work` on two threads at once, each on a connection of its own to the main data of
    // the store opened last (two computers, named "computer0" and "computer1"); true when both
    // ended within `patience`.
    bool onTwoComputers(const QString& backend, const QString& server, int patience,
                        const std::function<void(int computer, const QString& name, QSqlDatabase db)>& work);
    void backends();
    // The server of the store opened last (none for a SQLite file).
    MainServer mainServer_;
    // Turns to computer `name`: the same main data as the store opened last, with the
    // computer's own work file.
    bool workOn(const QString& name);

private slots:
    void initTestCase();
    void cleanup();

    void issuingConfirmingAndVoiding_data() { backends(); }
    void issuingConfirmingAndVoiding();
    void twoComputersNeverShareANumber_data() { backends(); }
    void twoComputersNeverShareANumber();
    void keptFilesSearchAndChanges_data() { backends(); }
    void keptFilesSearchAndChanges();
    void registerFindsAndTotals_data() { backends(); }
    void registerFindsAndTotals();
    void listsAndSettingsComeBackAsSaved_data() { backends(); }
    void listsAndSettingsComeBackAsSaved();
    void taxSettingsAndEntriesComeBackAsSaved_data() { backends(); }
    void taxSettingsAndEntriesComeBackAsSaved();
    void mailAddressesTravelWithTheList_data() { backends(); }
    void mailAddressesTravelWithTheList();
    void aLoadCutShortKeepsTheListBefore_data() { backends(); }
    void aLoadCutShortKeepsTheListBefore();
    void mailTextAndRecordsComeBackAsSaved_data() { backends(); }
    void mailTextAndRecordsComeBackAsSaved();
    void sealAndPrinterCorrectionsComeBackAsSaved_data() { backends(); }
    void sealAndPrinterCorrectionsComeBackAsSaved();
    void serverGoneAndBackIssuesNothingInBetween();
    void aSaveNeverReplacesOneItDidNotLoad_data();
    void aSaveNeverReplacesOneItDidNotLoad();
    void receiptsIssuedElsewhereLeaveTheSettingsSaveable_data() { backends(); }
    void simultaneousSavesFromOneLoadLetOneIn_data() { backends(); }
    void simultaneousSavesFromOneLoadLetOneIn();
    void receiptsIssuedElsewhereLeaveTheSettingsSaveable();
    void serverRefusingAWriteSaysSoAndKeepsTheData();
    void serverDatabaseIsSetUpOnlyWhenEmpty();
    void dataFolderCopiedToServerGoesOnNumbering();
};

void TestBackends::initTestCase()
{
    serverMissing_ = PgServer::missing();
    if (!serverMissing_.isEmpty())
        return;
    server_ = std::make_unique<PgServer>();
    const QString started = server_->start();
    QVERIFY2(started.isEmpty(), qPrintable(started));
}

void TestBackends::cleanup()
{
    Connections::close();
}

void TestBackends::backends()
{
    QTest::addColumn<QString>("backend");
    QTest::newRow("sqlite") << Sqlite;
    QTest::newRow("postgres") << Postgres;
}

QString TestBackends::openStore(const QString& backend)
{
    ++databases_;
    const QString folder = folderPath();
    if (!QDir().mkpath(folder) || !SchemaInstaller::createMissing(folder))
        return QStringLiteral("!no data folder");
    mainServer_ = {};
    if (backend == Sqlite)
        return Connections::open(DataPaths::forFolder(folder)).ok ? QString() : QStringLiteral("!not opened");
    if (!serverMissing_.isEmpty())
        return QStringLiteral("!") + serverMissing_;
    const QString database = QStringLiteral("ledrium%1").arg(databases_);
    if (const QString opened = openMainDataOnServer(*server_, database, folder); !opened.isEmpty())
        return QStringLiteral("!") + opened;
    const QString text = server_->connection(database);
    QString error;
    mainServer_ = ServerAddress::parse(text, &error)->asMainData();
    return text;
}

bool TestBackends::workOn(const QString& name)
{
    const QString own = folderPath() + QLatin1Char('/') + name;
    if (!SchemaInstaller::createMissing(own))
        return false;
    DataPaths paths = DataPaths::forFolder(own);
    paths.MainDbPath = DataPaths::forFolder(folderPath()).MainDbPath;
    return Connections::open(paths, mainServer_).ok;
}

QSqlDatabase TestBackends::secondConnection(const QString& backend, const QString& server, const QString& name,
                                            const QString& folder)
{
    if (backend == Postgres) {
        QString error;
        ServerAddress::parse(server, &error)->open(name);
        return QSqlDatabase::database(name);
    }
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), name);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=10000"));
    db.setDatabaseName(DataPaths::forFolder(folder).MainDbPath);
    db.open();
    return db;
}

bool TestBackends::onTwoComputers(const QString& backend, const QString& server, int patience,
                                  const std::function<void(int, const QString&, QSqlDatabase)>& work)
{
    const QString folder = folderPath();
    QList<QThread*> computers;
    // Both begin their work together, whenever a busy machine lets each thread start.
    std::latch connected(2);
    for (int computer = 0; computer < 2; ++computer)
        computers << QThread::create([&, computer] {
            const QString name = QStringLiteral("computer%1").arg(computer);
            {
                QSqlDatabase db = secondConnection(backend, server, name, folder);
                connected.arrive_and_wait();
                work(computer, name, db);
                db.close();
            }
            QSqlDatabase::removeDatabase(name);
        });
    for (QThread* computer : computers)
        computer->start();
    bool ended = true;
    for (QThread* computer : computers) {
        ended = computer->wait(patience) && ended;
        delete computer;
    }
    return ended;
}

#define OPEN_STORE(backend, server)                                                                                    \
    const QString server = openStore(backend);                                                                         \
    if (server.startsWith(QLatin1Char('!')) && backend == Postgres && !serverMissing_.isEmpty())                       \
        QSKIP(qPrintable(serverMissing_));                                                                             \
    QVERIFY2(!server.startsWith(QLatin1Char('!')), qPrintable(server))

// Issue, confirm, void and the unique rule: the same answers from both stores.
void TestBackends::issuingConfirmingAndVoiding()
{
    QFETCH(QString, backend);
    OPEN_STORE(backend, server);
    const ReceiptNumbers numbers(Connections::mainDb());
    QCOMPARE(*numbers.next().number, 1);
    const ReceiptNumbers::Issued issued = numbers.issue(1, 3, {entryFor(u("一")), entryFor(u("二")), entryFor(u("三"))});
    QVERIFY2(issued.result, qPrintable(issued.result.error));
    QCOMPARE(issued.ids.size(), 3);
    QVERIFY(numbers.confirm(issued.ids.mid(0, 2)));
    QVERIFY(numbers.voidEntries({issued.ids.at(2)}, u("書き損じ")));
    QCOMPARE(*numbers.next().number, 4);
    // A lowered request is moved past the numbers taken; the counter never goes down.
    const ReceiptNumbers::Issued again = numbers.issue(2, 1, {entryFor(u("四"))});
    QCOMPARE(again.first, 4);
    QCOMPARE(again.renumbered, ReceiptNumbers::Renumbered::NumbersTaken);
    bool raised = true;
    QVERIFY(numbers.raise(2, &raised));
    QVERIFY(!raised);
    QCOMPARE(CompanyTable::readFirst()->領収証番号.toLongLong(), 4);
    // A second original for a number, written past the program, is refused by the store itself.
    SqlRunner sql(Connections::mainDb());
    QVERIFY(!sql.exec(QStringLiteral("INSERT INTO 発行記録 (領収証番号, 発行日時, 状態) VALUES (1, 'x', '発行')")));
    QVERIFY(sql.exec(QStringLiteral("INSERT INTO 発行記録 (領収証番号, 発行日時, 状態, 原本) VALUES (1, 'x', '再発行', 0)")));
    // Pending entries of an ended process become void at the next start; a live one's stay.
    IssuingProcess ended = IssuingProcess::current();
    QStringList parts = ended.process.split(QLatin1Char('/'));
    parts[1] = QStringLiteral("an earlier boot");
    ended.process = parts.join(QLatin1Char('/'));
    QVERIFY(ReceiptNumbers(Connections::mainDb(), ended).issue(5, 2, {entryFor(u("五")), entryFor(u("六"))}).result);
    const ReceiptNumbers::Abandoned abandoned = numbers.voidAbandoned();
    QVERIFY(abandoned.result);
    QCOMPARE(abandoned.numbers, (QList<qint64>{5, 6}));
    // ... and the voiding is in the record of changes, with the reason the window shows.
    QVERIFY(sql.exec(QStringLiteral("SELECT 発行記録.領収証番号, 操作, 変更前, 変更後, 理由 FROM 発行記録変更 "
                                    "JOIN 発行記録 USING (記録番号) WHERE 発行記録.領収証番号 > 4 ORDER BY 1")));
    for (qint64 number : {5, 6}) {
        QVERIFY(sql.query().next());
        QCOMPARE(sql.query().value(0).toLongLong(), number);
        QCOMPARE(sql.query().value(1).toString() + sql.query().value(2).toString() + sql.query().value(3).toString(),
                 u("無効出力中無効"));
        QCOMPARE(sql.query().value(4).toString(), ReceiptNumbers::abandonedReason());
    }
    QVERIFY(!sql.query().next());
    QVERIFY(sql.exec(QStringLiteral("SELECT count(*) FROM 発行記録 WHERE 状態 = '出力中'")) && sql.query().next());
    QCOMPARE(sql.query().value(0).toInt(), 1); // number 4, of this process
}

// The receipt's date, the file's hash and kept copy, the search by them and the record of changes
// are stored alike in both kinds of store, and a store from before them gains them at open.
void TestBackends::keptFilesSearchAndChanges()
{
    QFETCH(QString, backend);
    OPEN_STORE(backend, server);
    SqlRunner sql(Connections::mainDb());
    for (const char* statement : {"DROP INDEX 発行記録_領収日", "ALTER TABLE 発行記録 DROP COLUMN 領収日",
                                  "ALTER TABLE 発行記録 DROP COLUMN sha256", "ALTER TABLE 発行記録 DROP COLUMN 保存ファイル",
                                  "DROP TABLE 発行記録変更", "DROP TABLE 保存先"})
        QVERIFY2(sql.exec(QString::fromUtf8(statement)), qPrintable(sql.error()));
    QCOMPARE(StoreUpgrades::ensure(Connections::mainDb()), QString());
    // The archive folder chosen once: set, changed, and back to the data folder's own.
    QCOMPARE(ArchiveFolder::read(Connections::mainDb()), QString());
    for (const QString& folder : {u("/srv/共有 \"PDF\""), u("/mnt/保存PDF"), QString()}) {
        QVERIFY(ArchiveFolder::write(Connections::mainDb(), folder));
        QCOMPARE(ArchiveFolder::read(Connections::mainDb()), folder);
    }
    const ReceiptNumbers numbers(Connections::mainDb());
    QList<RegisterEntry> entries = {entryFor(u("山田"), 1000), entryFor(u("山田 花子"), 3000), entryFor(u("田中"), 5000)};
    const QStringList days = {u("2026-03-31"), u("2026-04-01"), u("2026-04-30")};
    for (int i = 0; i < entries.size(); ++i)
        entries[i].領収日 = days[i];
    const ReceiptNumbers::Issued issued = numbers.issue(1, 3, entries);
    QVERIFY2(issued.result, qPrintable(issued.result.error));
    const QString hash(64, u'a');
    QVERIFY(numbers.confirm(issued.ids, {{issued.ids[0], {u("a.pdf"), hash, u("2026-12/a.pdf")}},
                                         {issued.ids[1], {u("b.pdf"), hash, u("2026-12/b.pdf")}}}));
    RegisterTable::Filter filter;
    filter.receiptFrom = QDate(2026, 4, 1);
    filter.receiptTo = QDate(2026, 4, 30);
    filter.amountTo = 3000;
    filter.namePart = u("山田");
    const QList<RegisterEntry> found = RegisterTable::readAll(filter, -1, Qt::AscendingOrder);
    QCOMPARE(found.size(), 1);
    QCOMPARE(found[0].顧客名 + found[0].領収日 + found[0].出力先 + found[0].保存ファイル,
             u("山田 花子2026-04-01b.pdf2026-12/b.pdf"));
    QCOMPARE(found[0].SHA256, hash);
    const auto kept = RegisterTable::keptFiles();
    QVERIFY(kept);
    QCOMPARE(kept->size(), 2);
    QCOMPARE(kept->at(0).archived, u("2026-12/a.pdf"));
    QVERIFY(numbers.voidEntries({issued.ids[2]}, u("書き損じ")));
    QList<qint64> copy;
    QVERIFY(numbers.reissue({found[0]}, &copy));
    const auto changes = RegisterChanges::all(Connections::mainDb());
    QVERIFY(changes);
    QCOMPARE(changes->size(), 2);
    QCOMPARE(changes->at(0).記録番号, issued.ids[2]);
    QCOMPARE(changes->at(0).操作 + changes->at(0).変更前 + changes->at(0).理由, u("無効発行書き損じ"));
    QCOMPARE(changes->at(1).記録番号, copy.value(0));
    QCOMPARE(changes->at(1).操作, u("再発行"));
    // A copy records a file of its own once it has gone out, not its original's.
    QCOMPARE(RegisterTable::read(copy).value(0).SHA256, QString());
}

// Two computers issuing at the same time through their own connections: every number once,
// and the two take turns.
void TestBackends::twoComputersNeverShareANumber()
{
    QFETCH(QString, backend);
    OPEN_STORE(backend, server);
    constexpr int perComputer = 150;
    QList<bool> ok(2, false);
    QVERIFY(onTwoComputers(backend, server, 240000, [&](int computer, const QString& name, QSqlDatabase db) {
        const ReceiptNumbers numbers(db);
        bool all = true;
        for (int i = 0; i < perComputer && all; ++i) {
            const ReceiptNumbers::Next next = numbers.next();
            const ReceiptNumbers::Issued issued =
                next.number ? numbers.issue(*next.number, 1, {entryFor(name)})
                            : ReceiptNumbers::Issued{StoreResult::failure(next.error), 0, {}, {}};
            all = issued.result && numbers.confirm(issued.ids);
            QThread::usleep(2000); // a moment between outputs, for the other to take its turn
        }
        ok[computer] = all;
    }));
    QCOMPARE(ok, (QList<bool>{true, true}));
    SqlRunner sql(Connections::mainDb());
    QVERIFY(sql.exec(QStringLiteral("SELECT count(*), count(DISTINCT 領収証番号), min(領収証番号), max(領収証番号), "
                                    "(SELECT count(*) FROM 発行記録 a JOIN 発行記録 b ON b.領収証番号 = a.領収証番号 + 1 "
                                    "AND b.顧客名 <> a.顧客名) FROM 発行記録 WHERE 状態 = '発行'")) &&
            sql.query().next());
    QCOMPARE(QStringLiteral("%1 %2 %3 %4")
                 .arg(sql.query().value(0).toInt())
                 .arg(sql.query().value(1).toInt())
                 .arg(sql.query().value(2).toInt())
                 .arg(sql.query().value(3).toInt()),
             QStringLiteral("%1 %1 1 %1").arg(2 * perComputer));
    QVERIFY2(sql.query().value(4).toInt() > 1, "the two computers did not take turns");
}

// The register window's filters and totals read the same on both stores: a % in a name is
// text, copies and void receipts add nothing to the money received.
void TestBackends::registerFindsAndTotals()
{
    QFETCH(QString, backend);
    OPEN_STORE(backend, server);
    const ReceiptNumbers numbers(Connections::mainDb());
    const ReceiptNumbers::Issued issued = numbers.issue(
        1, 4,
        {entryFor(u("50%_引き"), 1000), entryFor(u("山田 太郎"), 2500), entryFor(u("🍣 寿司"), qint64(999999999999999)),
         entryFor(u("田中"), 700)});
    QVERIFY(issued.result);
    QVERIFY(numbers.confirm(issued.ids));
    QVERIFY(numbers.voidEntries({issued.ids.at(3)}, u("書き損じ")));
    QList<qint64> copy;
    QVERIFY(numbers.reissue({entryFor(u("山田 太郎"), 2500)}, &copy));
    QVERIFY(numbers.confirm(copy));
    RegisterTable::Filter byName;
    byName.namePart = u("%");
    QCOMPARE(RegisterTable::readAll(byName, -1, Qt::AscendingOrder).size(), 1);
    byName.namePart = u("🍣");
    QCOMPARE(RegisterTable::readAll(byName, -1, Qt::AscendingOrder).first().領収額.toLongLong(), 999999999999999);
    const std::optional<RegisterTable::Totals> all = RegisterTable::totals({});
    QVERIFY(all);
    QCOMPARE(all->count, 5);
    QCOMPARE(all->amount, 1000 + 2500 + 999999999999999);
    // Sorted by name as the file sorts it: byte by byte.
    QStringList names;
    for (const RegisterEntry& e : RegisterTable::readAll({}, RegisterTable::columnOf(u("顧客名")), Qt::AscendingOrder))
        names << e.顧客名;
    QCOMPARE(names, (QStringList{u("50%_引き"), u("山田 太郎"), u("山田 太郎"), u("田中"), u("🍣 寿司")}));
}

// Member lists, code lists and settings come back exactly as saved, odd texts included.
void TestBackends::listsAndSettingsComeBackAsSaved()
{
    QFETCH(QString, backend);
    OPEN_STORE(backend, server);
    const QList<CustomerRecord> members = {
        {1, u("O'Brien \"Bob\""), u("会員"), u("会費として"), 3000, u("8")},
        {2, u("🎌 絵文字"), u("会員"), {}, {}},
        {3, QString(2000, QChar(u'長')), u("会員"), u("; DROP TABLE 顧客マスタ; --"), qint64(999999999999999)},
    };
    QVERIFY(CustomerMasterTable::replaceCategory(u("会員"), members));
    const QList<CustomerRecord> read = CustomerMasterTable::readCategory(u("会員"));
    QCOMPARE(read.size(), members.size());
    for (qsizetype i = 0; i < read.size(); ++i) {
        QCOMPARE(read.at(i).顧客名.toString(), members.at(i).顧客名.toString());
        QCOMPARE(read.at(i).但書.isNull(), members.at(i).但書.isNull());
        QCOMPARE(read.at(i).領収額.isNull(), members.at(i).領収額.isNull());
        QCOMPARE(read.at(i).領収額.toLongLong(), members.at(i).領収額.toLongLong());
        QCOMPARE(read.at(i).税区分.isNull(), members.at(i).税区分.isNull());
        QCOMPARE(read.at(i).税区分.toString(), members.at(i).税区分.toString());
    }
    QVERIFY(CodeMasterTable::replaceKind(CodeMasterTable::CustomerCategoryKind, {u("会員"), {}, u("賛助会員")}));
    QStringList codes;
    for (const CodeRecord& code : CodeMasterTable::readKind(CodeMasterTable::CustomerCategoryKind))
        codes << code.sname.toString();
    QCOMPARE(codes.mid(0, 3), (QStringList{u("会員"), QString(), u("賛助会員")}));
    QVERIFY(CompanyTable::writeFirst({u("さくら会"), u("東京都"), u("和暦"), 41}));
    const std::optional<CompanySettingsRecord> settings = CompanyTable::readFirst();
    QVERIFY(settings);
    QCOMPARE(settings->自社名.toString(), u("さくら会"));
    QCOMPARE(*ReceiptNumbers(Connections::mainDb()).next().number, 42);
}

// A member's address goes from the registered list into the work list and back with 登録; a
// member without one stays without.
void TestBackends::mailAddressesTravelWithTheList()
{
    QFETCH(QString, backend);
    OPEN_STORE(backend, server);
    QVERIFY(CustomerMasterTable::replaceCategory(
        u("会員"), {{1, u("相川"), u("会員"), {}, 3000, {}, u("aikawa@example.jp")}, {2, u("井上"), u("会員"), {}, {}, {}, {}}}));
    QVERIFY(WorkTableProtocol::loadCustomerList(u("会員")));
    const QList<CustomerWorkRow> work = CustomerWorkTable::rows();
    QCOMPARE(work.at(0).メールアドレス.toString(), u("aikawa@example.jp"));
    QVERIFY(work.at(1).メールアドレス.isNull());
    QVERIFY(WorkTableProtocol::registerCustomerList(u("会員")));
    const QList<CustomerRecord> read = CustomerMasterTable::readCategory(u("会員"));
    QCOMPARE(read.size(), 2);
    QCOMPARE(read.at(0).メールアドレス.toString(), u("aikawa@example.jp"));
    QVERIFY(read.at(1).メールアドレス.isNull());
}

// A list goes into the work file as it is read from the main data. A load the work file cannot
// take to its end (the disk full half-way) keeps the list loaded before, whole and still
// registrable; once there is room, the list comes in whole and in order.
void TestBackends::aLoadCutShortKeepsTheListBefore()
{
    QFETCH(QString, backend);
    OPEN_STORE(backend, server);
    QVERIFY(CustomerMasterTable::replaceCategory(u("会員"), {{1, u("旧"), u("会員"), {}, 500}}));
    QVERIFY(WorkTableProtocol::loadCustomerList(u("会員")));
    QList<CustomerRecord> large;
    for (int i = 1; i <= 3000; ++i)
        large.append({i, u("%1番").arg(i) + QString(200, QChar(0x4E00 + i % 1000)), u("大"), {}, i});
    QVERIFY(CustomerMasterTable::replaceCategory(u("大"), large));
    SqlRunner work(Connections::workDb());
    QVERIFY(work.exec(QStringLiteral("PRAGMA page_count")) && work.query().next());
    QVERIFY(work.exec(QStringLiteral("PRAGMA max_page_count = %1").arg(work.query().value(0).toInt() + 20)));

    const StoreResult cutShort = WorkTableProtocol::loadCustomerList(u("大"));
    QVERIFY(!cutShort);
    QVERIFY2(cutShort.error.contains(u("ディスクの空きがありません")), qPrintable(cutShort.error));
    const QList<CustomerWorkRow> kept = CustomerWorkTable::rows();
    QCOMPARE(kept.size(), qsizetype(CustomerWorkTable::BlankRows));
    QCOMPARE(kept.first().顧客名.toString(), u("旧"));
    QCOMPARE(kept.first().領収額.toInt(), 500);
    QVERIFY(kept.at(1).顧客名.isNull());
    QVERIFY(WorkTableProtocol::registerCustomerList(u("会員")));

    QVERIFY(work.exec(QStringLiteral("PRAGMA max_page_count = 1000000")));
    QVERIFY(WorkTableProtocol::loadCustomerList(u("大")));
    const QList<CustomerWorkRow> loaded = CustomerWorkTable::rows();
    QCOMPARE(loaded.size(), large.size());
    QCOMPARE(loaded.first().顧客名, large.first().顧客名);
    QCOMPARE(loaded.last().顧客名, large.last().顧客名);
    QCOMPARE(loaded.last().領収額.toInt(), 3000);
}

// The text receipts are mailed with and what the register keeps of their mail are stored alike
// on both kinds of store, and a store made before them gains their columns at open.
void TestBackends::mailTextAndRecordsComeBackAsSaved()
{
    QFETCH(QString, backend);
    OPEN_STORE(backend, server);
    SqlRunner sql(Connections::mainDb());
    for (const char* statement : {"ALTER TABLE 自社情報 DROP COLUMN メール件名", "ALTER TABLE 自社情報 DROP COLUMN メール本文",
                                  "ALTER TABLE 自社情報 DROP COLUMN メール差出人", "ALTER TABLE 発行記録 DROP COLUMN メール"})
        QVERIFY2(sql.exec(QString::fromUtf8(statement)), qPrintable(sql.error()));
    QCOMPARE(StoreUpgrades::ensure(Connections::mainDb()), QString());

    const std::optional<MailTemplateTable::Stored> unset = MailTemplateTable::read();
    QVERIFY(unset && !unset->subject && !unset->body);
    const QString body = u("{氏名} 様\n\n領収証（{番号}）をお送りします。\n");
    qint64 saved = 0;
    QVERIFY(MailTemplateTable::write(u("領収証 {番号}"), body, u("kaikei@example.jp"), unset->version, &saved));
    const std::optional<MailTemplateTable::Stored> read = MailTemplateTable::read();
    QVERIFY(read);
    QCOMPARE(read->subject.value_or(QString()), u("領収証 {番号}"));
    QCOMPARE(read->body.value_or(QString()), body);
    QCOMPARE(read->from, u("kaikei@example.jp"));
    QCOMPARE(read->version, saved);
    // A save from a dialog that loaded before this one is refused and writes nothing.
    const StoreResult stale = MailTemplateTable::write(u("古い件名"), body, {}, unset->version);
    QVERIFY(!stale && stale.outdated);
    QCOMPARE(MailTemplateTable::read()->subject.value_or(QString()), u("領収証 {番号}"));
    // The settings tab's save leaves the mail text alone.
    QVERIFY(WorkTableProtocol::registerSettings({u("ひまわり会"), u("東京都"), u("西暦"), 10}));
    QCOMPARE(MailTemplateTable::read()->body.value_or(QString()), body);

    const ReceiptNumbers numbers(Connections::mainDb());
    const ReceiptNumbers::Issued issued = numbers.issue(1, 2, {entryFor(u("相川"), 1000), entryFor(u("井上"), 2000)});
    QVERIFY2(issued.result, qPrintable(issued.result.error));
    QVERIFY(numbers.confirm(issued.ids, {{issued.ids[0], {u("a.pdf"), QString(64, u'a'), u("2026-12/a.pdf")}},
                                         {issued.ids[1], {u("b.pdf"), QString(64, u'b'), u("2026-12/b.pdf")}}}));
    const IssuingProcess by = IssuingProcess::current();
    QVERIFY(RegisterMail::note(Connections::mainDb(), {{QString(64, u'a'), u("a.eml")}, {QString(64, u'c'), u("c.eml")}}, by));
    QVERIFY(RegisterMail::note(Connections::mainDb(), {{QString(64, u'a'), u("a_2.eml")}}, by));
    const QList<RegisterEntry> entries = RegisterTable::read(issued.ids);
    QCOMPARE(entries.at(0).メール, u("a.eml"));
    QCOMPARE(entries.at(1).メール, QString());
    const auto changes = RegisterChanges::all(Connections::mainDb());
    QVERIFY(changes);
    QCOMPARE(changes->size(), 2);
    for (const RegisterChanges::Change& c : *changes) {
        QCOMPARE(c.記録番号, issued.ids[0]);
        QCOMPARE(c.操作, u("メール作成"));
    }
    QCOMPARE(changes->at(1).変更前, u("a.eml"));
    QCOMPARE(changes->at(1).変更後, u("a_2.eml"));
}

// Who issues, the categories' default tax classes and the tax printed on each receipt are kept
// alike on both kinds of store, and a store made before them gains their columns at open.
void TestBackends::taxSettingsAndEntriesComeBackAsSaved()
{
    QFETCH(QString, backend);
    OPEN_STORE(backend, server);
    SqlRunner sql(Connections::mainDb());
    for (const char* column : {"事業者区分", "登録番号", "端数処理"})
        QVERIFY2(sql.exec(u("ALTER TABLE 自社情報 DROP COLUMN %1").arg(QString::fromUtf8(column))), qPrintable(sql.error()));
    QVERIFY2(sql.exec(u("ALTER TABLE 発行記録 DROP COLUMN 印紙税額")), qPrintable(sql.error()));
    QCOMPARE(StoreUpgrades::ensure(Connections::mainDb()), QString());
    CompanySettingsRecord record{u("みどり商店"), u("東京都"), u("西暦"), 10, u("qualified"), u("T7000012050002"), u("up")};
    QVERIFY(CompanyTable::writeFirst(record));
    const std::optional<CompanySettingsRecord> settings = CompanyTable::readFirst();
    QVERIFY(settings);
    QCOMPARE(settings->事業者区分.toString() + settings->登録番号.toString() + settings->端数処理.toString(),
             u("qualifiedT7000012050002up"));
    QVERIFY(CategoryTaxTable::write(u("会員"), u("outside")));
    QVERIFY(CategoryTaxTable::write(u("商品"), u("8")));
    QVERIFY(CategoryTaxTable::write(u("商品"), u("10")));
    QCOMPARE(CategoryTaxTable::read(u("会員")) + CategoryTaxTable::read(u("商品")) + CategoryTaxTable::read(u("なし")),
             u("outside10"));
    RegisterEntry taxed = entryFor(u("相川"), qint64(55'000));
    taxed.税区分 = u("10");
    taxed.税率 = 10;
    taxed.消費税額 = qint64(5'000);
    taxed.登録番号 = u("T7000012050002");
    taxed.印紙税額 = qint64(200);
    const ReceiptNumbers numbers(Connections::mainDb());
    const ReceiptNumbers::Issued issued = numbers.issue(11, 2, {taxed, entryFor(u("井上"), qint64(1'000))});
    QVERIFY2(issued.result, qPrintable(issued.result.error));
    QVERIFY(sql.exec(u("SELECT 税区分, 税率, 消費税額, 登録番号, 印紙税額 FROM 発行記録 ORDER BY 領収証番号")));
    QStringList rows;
    while (sql.query().next()) {
        QStringList fields;
        for (int i = 0; i < 5; ++i)
            fields << (sql.query().isNull(i) ? u("<N>") : sql.query().value(i).toString());
        rows << fields.join(QLatin1Char('|'));
    }
    QCOMPARE(rows, (QStringList{u("10|10|5000|T7000012050002|200"), u("<N>|<N>|<N>|<N>|<N>")}));
}

// The seal goes in and out with the settings, under the same version check, and each printer
// keeps its own correction; a store from before either has the tables added at open.
void TestBackends::sealAndPrinterCorrectionsComeBackAsSaved()
{
    QFETCH(QString, backend);
    OPEN_STORE(backend, server);
    QSqlDatabase db = Connections::mainDb();
    SqlRunner sql(db);
    QVERIFY(sql.exec(QStringLiteral("DROP TABLE 印影")) && sql.exec(QStringLiteral("DROP TABLE 印刷位置")));
    QCOMPARE(StoreUpgrades::ensure(db), QString());

    QByteArray image(300000, '\0');
    for (qsizetype i = 0; i < image.size(); ++i)
        image[i] = char(i * 7919 % 256); // every byte value, a zero among them
    const SealRecord seal{u("png"), image, 215, true};
    QVERIFY(WorkTableProtocol::markSettingsLoaded());
    QVERIFY(WorkTableProtocol::registerSettings({u("さくら会"), {}, u("西暦"), 5}, seal));
    bool read = false;
    QCOMPARE(SealTable::read(db, &read), seal);
    QVERIFY(read);
    // Saved again without a seal: it is gone, with the settings.
    QVERIFY(WorkTableProtocol::registerSettings({u("さくら会"), {}, u("西暦"), 5}, std::nullopt));
    QCOMPARE(SealTable::read(db), std::nullopt);
    // Another screen registered the settings since this one loaded them: the seal is not written.
    QVERIFY(WorkTableProtocol::markSettingsLoaded());
    QVERIFY(CompanyTable::writeFirst({u("よそ"), {}, u("西暦"), 5}));
    const StoreResult refused = WorkTableProtocol::registerSettings({u("さくら会"), {}, u("西暦"), 5}, seal);
    QVERIFY(!refused && refused.outdated);
    QCOMPARE(SealTable::read(db), std::nullopt);

    const PrinterCalibration shifted{15, -20, 980};
    QVERIFY(PrinterCalibrationTable::write(db, u("事務所の複合機"), shifted));
    QVERIFY(PrinterCalibrationTable::write(db, u("2階"), {-100, 100, 1050}));
    QVERIFY(PrinterCalibrationTable::write(db, u("2階"), {3, 4, 1001}));
    QCOMPARE(PrinterCalibrationTable::read(db, u("事務所の複合機")), shifted);
    QCOMPARE(PrinterCalibrationTable::read(db, u("2階")), (PrinterCalibration{3, 4, 1001}));
    QCOMPARE(PrinterCalibrationTable::read(db, u("新しいプリンタ")), PrinterCalibration{});
}

// The server stops in the middle of the work: an output then issues nothing (so nothing may be
// printed) and says so; once the server is back, the next output goes on from the last number
// recorded, on the same connection opened again.
void TestBackends::serverGoneAndBackIssuesNothingInBetween()
{
    if (!serverMissing_.isEmpty())
        QSKIP(qPrintable(serverMissing_));
    OPEN_STORE(Postgres, server);
    const ReceiptNumbers numbers(Connections::mainDb());
    const ReceiptNumbers::Issued first = numbers.issue(1, 2, {entryFor(u("一")), entryFor(u("二"))});
    QVERIFY(first.result && numbers.confirm(first.ids));
    QVERIFY(server_->stop().isEmpty());
    const ReceiptNumbers::Issued cut = numbers.issue(3, 2, {entryFor(u("三")), entryFor(u("四"))});
    QVERIFY(!cut.result);
    QVERIFY2(cut.result.error.contains(u("サーバーとの接続が切れ")), qPrintable(cut.result.error));
    QVERIFY(!numbers.next().number);
    QVERIFY(server_->start().isEmpty());
    const ReceiptNumbers::Issued back = numbers.issue(3, 2, {entryFor(u("三")), entryFor(u("四"))});
    QVERIFY2(back.result, qPrintable(back.result.error));
    QCOMPARE(back.first, 3);
    QVERIFY(numbers.confirm(back.ids));
    QCOMPARE(*numbers.next().number, 5);
}

void TestBackends::aSaveNeverReplacesOneItDidNotLoad_data()
{
    QTest::addColumn<QString>("backend");
    QTest::addColumn<QString>("unit");
    QTest::addColumn<QString>("refusal");
    for (const QString& backend : {Sqlite, Postgres}) {
        const char* name = backend == Sqlite ? "sqlite" : "postgres";
        QTest::addRow("%s, a customer category", name) << backend << u("customers") << listRefusal;
        QTest::addRow("%s, a code list", name) << backend << u("codes") << listRefusal;
        QTest::addRow("%s, the settings", name)
            << backend << u("settings") << QString(listRefusal).replace(u("この一覧"), u("この設定"));
    }
}

// Two computers load the same unit (never registered yet) and both change it: the first save
// goes in, the second is refused with the message and writes nothing, and goes in once that
// computer has loaded again. Saves that follow their own load go in as before; the computer
// that did not load again is refused.
void TestBackends::aSaveNeverReplacesOneItDidNotLoad()
{
    QFETCH(QString, backend);
    QFETCH(QString, unit);
    QFETCH(QString, refusal);
    OPEN_STORE(backend, server);
    const EditedUnit edited = unitNamed(unit);
    for (const char* computer : {"A", "B"}) {
        QVERIFY(workOn(QString::fromLatin1(computer)));
        QVERIFY(edited.load());
    }
    QVERIFY(workOn(u("A")));
    QVERIFY(edited.typeAndSave(u("Aの変更")));
    QVERIFY(workOn(u("B")));
    const StoreResult refused = edited.typeAndSave(u("Bの変更"));
    QVERIFY(!refused);
    QVERIFY(refused.outdated);
    QCOMPARE(refused.error, refusal);
    QCOMPARE(edited.stored(), u("Aの変更"));
    QVERIFY(edited.load());
    QVERIFY(edited.typeAndSave(u("Bの変更")));
    QCOMPARE(edited.stored(), u("Bの変更"));
    QVERIFY(edited.typeAndSave(u("Bの二度目")));
    QVERIFY(workOn(u("A")));
    const StoreResult stale = edited.typeAndSave(u("Aの古い画面"));
    QVERIFY(stale.outdated);
    QCOMPARE(edited.stored(), u("Bの二度目"));
}

// The receipt counter moves under its own lock: receipts issued on another computer leave a
// settings screen loaded before them saveable.
void TestBackends::receiptsIssuedElsewhereLeaveTheSettingsSaveable()
{
    QFETCH(QString, backend);
    OPEN_STORE(backend, server);
    QVERIFY(workOn(u("A")));
    QVERIFY(WorkTableProtocol::markSettingsLoaded());
    QVERIFY(workOn(u("B")));
    const ReceiptNumbers numbers(Connections::mainDb());
    QVERIFY(numbers.issue(1, 2, {entryFor(u("一")), entryFor(u("二"))}).result);
    QVERIFY(numbers.raise(5));
    QVERIFY(workOn(u("A")));
    QVERIFY(WorkTableProtocol::registerSettings({u("さくら会"), {}, u("西暦"), 5}));
    QCOMPARE(CompanyTable::readFirst()->自社名.toString(), u("さくら会"));
}

// Two computers registering one unit at the same moment from the same load: one save goes in,
// the other is refused as outdated (not failed on a lock or a duplicate key), round after round.
void TestBackends::simultaneousSavesFromOneLoadLetOneIn()
{
    QFETCH(QString, backend);
    OPEN_STORE(backend, server);
    const SavedVersions::Unit unit = SavedVersions::customerList(u("会員"));
    for (qint64 loaded = 0; loaded < 15; ++loaded) {
        QList<StoreResult> results(2);
        std::latch start(2);
        QVERIFY(onTwoComputers(backend, server, 60000, [&](int computer, const QString& name, QSqlDatabase db) {
            start.arrive_and_wait();
            results[computer] = SavedVersions::save(db, unit, loaded, nullptr, [&] {
                SqlRunner sql(db);
                return sql.exec(u("INSERT INTO 顧客マスタ (行番号, 顧客名, 区分) VALUES (1, ?, '会員')"), {name})
                    ? StoreResult::success()
                    : StoreResult::failure(sql.error());
            });
        }));
        QCOMPARE(results.at(0).ok + results.at(1).ok, 1);
        const StoreResult& refused = results.at(0).ok ? results.at(1) : results.at(0);
        QVERIFY2(refused.outdated, qPrintable(refused.error));
    }
    QCOMPARE(SavedVersions::stored(Connections::mainDb(), unit), 15);
    QCOMPARE(CustomerMasterTable::readCategory(u("会員")).size(), 15);
}

// A server that refuses a write (a role allowed to read only) is told apart from other faults,
// in Japanese, and the data stays as it was.
void TestBackends::serverRefusingAWriteSaysSoAndKeepsTheData()
{
    if (!serverMissing_.isEmpty())
        QSKIP(qPrintable(serverMissing_));
    OPEN_STORE(Postgres, server);
    QVERIFY(CustomerMasterTable::replaceCategory(u("会員"), {{1, u("相川"), u("会員"), {}, {}}}));
    {
        SqlRunner admin(Connections::mainDb());
        QVERIFY(admin.exec(u("DO $$ BEGIN IF NOT EXISTS (SELECT FROM pg_roles WHERE rolname = 'reader') THEN "
                             "CREATE ROLE reader LOGIN; END IF; END $$")));
        QVERIFY(admin.exec(u("GRANT SELECT ON ALL TABLES IN SCHEMA public TO reader")));
    }
    Connections::close();
    QString error;
    const std::optional<ServerAddress> reader =
        ServerAddress::parse(server.section(u("user="), 0, 0) + u("user=reader"), &error);
    QVERIFY2(reader, qPrintable(error));
    QVERIFY(Connections::open(DataPaths::forFolder(folderPath()), reader->asMainData()).ok);
    const StoreResult refused = CustomerMasterTable::replaceCategory(u("会員"), {{1, u("井上"), u("会員"), {}, {}}});
    QVERIFY(!refused);
    QVERIFY2(refused.error.contains(u("権限がありません")), qPrintable(refused.error));
    QCOMPARE(CustomerMasterTable::readCategory(u("会員")).value(0).顧客名.toString(), u("相川"));
    const ReceiptNumbers::Issued issued = ReceiptNumbers(Connections::mainDb()).issue(1, 1, {entryFor(u("井上"))});
    QVERIFY(!issued.result);
    QVERIFY2(issued.result.error.contains(u("権限がありません")), qPrintable(issued.result.error));
}

// A server database is set up only when it holds no tables: a second set-up is refused and
// changes nothing; a database without the program's tables is not opened.
void TestBackends::serverDatabaseIsSetUpOnlyWhenEmpty()
{
    if (!serverMissing_.isEmpty())
        QSKIP(qPrintable(serverMissing_));
    const QString database = QStringLiteral("setup%1").arg(++databases_);
    QVERIFY(server_->createDatabase(database).isEmpty());
    QString error;
    const std::optional<ServerAddress> address = ServerAddress::parse(server_->connection(database), &error);
    QVERIFY(address);
    QVERIFY(address->open(u("setup")).isEmpty());
    {
        QSqlDatabase db = QSqlDatabase::database(u("setup"));
        QVERIFY(ServerSchema::check(db).contains(u("--init-server")));
        QVERIFY(ServerSchema::initialise(db));
        QVERIFY(ServerSchema::check(db).isEmpty());
        const StoreResult again = ServerSchema::initialise(db);
        QVERIFY(!again);
        QVERIFY2(again.error.contains(u("既に表があります")), qPrintable(again.error));
        SqlRunner sql(db);
        QVERIFY(sql.exec(u("SELECT count(*) FROM コードマスタ")) && sql.query().next());
        QCOMPARE(sql.query().value(0).toInt(), 60); // the delivered rows once
        db.close();
    }
    QSqlDatabase::removeDatabase(u("setup"));
}

// A data folder copied into an empty server database: every list, the settings and the register
// arrive, and numbering goes on after the highest number, with new entries after the old ones.
void TestBackends::dataFolderCopiedToServerGoesOnNumbering()
{
    if (!serverMissing_.isEmpty())
        QSKIP(qPrintable(serverMissing_));
    OPEN_STORE(Sqlite, local);
    QVERIFY(CustomerMasterTable::replaceCategory(u("会員"), {{1, u("相川"), u("会員"), {}, 3000}, {2, u("井上"), u("会員"), {}, {}}}));
    const ReceiptNumbers numbers(Connections::mainDb());
    const ReceiptNumbers::Issued issued = numbers.issue(1, 2, {entryFor(u("相川")), entryFor(u("井上"))});
    QVERIFY(numbers.confirm(issued.ids));
    const SealRecord seal{u("svg"), QByteArrayLiteral("<svg xmlns='http://www.w3.org/2000/svg'/>"), 180, false};
    QVERIFY(WorkTableProtocol::registerSettings({u("会"), {}, u("西暦"), 2}, seal));
    QVERIFY(PrinterCalibrationTable::write(Connections::mainDb(), u("レジ横"), {-5, 7, 995}));
    QVERIFY(ArchiveFolder::write(Connections::mainDb(), u("/mnt/共有/保存PDF")));
    const QString database = QStringLiteral("copy%1").arg(++databases_);
    QVERIFY(server_->createDatabase(database).isEmpty());
    QString error;
    const std::optional<ServerAddress> address = ServerAddress::parse(server_->connection(database), &error);
    QVERIFY(address->open(u("target")).isEmpty());
    {
        const ServerSchema::Copied copied = ServerSchema::copyFrom(Connections::mainDb(), QSqlDatabase::database(u("target")));
        QVERIFY2(copied.result, qPrintable(copied.result.error));
        QCOMPARE(copied.customers, 2);
        QCOMPARE(copied.entries, 2);
        QCOMPARE(copied.settings, 1);
        QCOMPARE(copied.seals, 1);
        QCOMPARE(copied.calibrations, 1);
        QCOMPARE(copied.archiveFolders, 1);
        QCOMPARE(ArchiveFolder::read(QSqlDatabase::database(u("target"))), u("/mnt/共有/保存PDF"));
        QCOMPARE(SealTable::read(QSqlDatabase::database(u("target"))), seal);
        QCOMPARE(PrinterCalibrationTable::read(QSqlDatabase::database(u("target")), u("レジ横")),
                 (PrinterCalibration{-5, 7, 995}));
        const ReceiptNumbers onServer(QSqlDatabase::database(u("target")));
        QCOMPARE(*onServer.next().number, 3);
        const ReceiptNumbers::Issued more = onServer.issue(3, 1, {entryFor(u("上田"))});
        QVERIFY2(more.result, qPrintable(more.result.error));
        QVERIFY(more.ids.first() > issued.ids.last());
        // Copied once only: a second copy into the same database changes nothing.
        QVERIFY(!ServerSchema::copyFrom(Connections::mainDb(), QSqlDatabase::database(u("target"))).result);
        QSqlDatabase::database(u("target")).close();
    }
    QSqlDatabase::removeDatabase(u("target"));
}

QTEST_GUILESS_MAIN(TestBackends)
#include "tst_backends.moc"
