// Nothing is lost: saves killed part-way, a full disk and a read-only database.
// LEDRIUM_SOAK=1 (make soak) runs the long variants.
#include "PdfText.h"
#include "PgServer.h"
#include "ServerMainData.h"
#include "TestData.h"
#include "store/ReceiptNumbers.h"
#include "store/CodeMasterTable.h"
#include "store/CompanyTable.h"
#include "store/Connections.h"
#include "store/CustomerMasterTable.h"
#include "store/CustomerWorkTable.h"
#include "store/DataInitialisation.h"
#include "store/HintTable.h"
#include "store/SchemaInstaller.h"
#include "store/ServerAddress.h"
#include "store/SqlRunner.h"
#include "store/WorkTableProtocol.h"

#include <QDir>
#include <QElapsedTimer>
#include <QFile>
#include <QProcess>
#include <QRegularExpression>
#include <QSqlQuery>
#include <QRandomGenerator>
#include <QTemporaryDir>
#include <QTest>
#include <QtEndian>

#include <signal.h>

class TestReliability : public QObject {
    Q_OBJECT
private slots:
    void killedSaveLeavesOldOrNewWhole_data();
    void killedSaveLeavesOldOrNewWhole();
    void failingWritesKeepData_data();
    void failingWritesKeepData();
    void killedPrintingNeverRepeatsANumber();
    void largeWriteKilledAfterSpillingRollsBack_data();
    void largeWriteKilledAfterSpillingRollsBack();
    void twoProcessesWithoutTheLockNeverShareANumber();
    void twoComputersOnOneServerKilledNeverShareANumber();
    void restoredBackupIsExactlyTheBackup_data();
    void restoredBackupIsExactlyTheBackup();
};

namespace {

int rounds() { return qEnvironmentVariableIntValue("LEDRIUM_SOAK") ? 200 : 12; }

// One letter for the whole state, or '?' when the rows are mixed or incomplete.
QChar customerState()
{
    const QList<CustomerRecord> rows = CustomerMasterTable::readCategory(QStringLiteral("会員"));
    if (rows.isEmpty())
        return QLatin1Char('0');
    if (rows.size() != 100)
        return QLatin1Char('?');
    const QChar state = rows[0].顧客名.toString().at(0);
    for (int i = 0; i < rows.size(); ++i)
        if (rows[i].行番号 != i + 1 || rows[i].顧客名.toString() != QStringLiteral("%1-%2").arg(state).arg(i + 1) ||
            rows[i].但書.toString() != QStringLiteral("%1会費").arg(state))
            return QLatin1Char('?');
    return state;
}

QChar codeState()
{
    const QList<CodeRecord> rows = CodeMasterTable::readKind(QStringLiteral("顧客区分"));
    if (rows.size() != 30)
        return QLatin1Char('?');
    if (rows[0].sname.toString().isEmpty())
        return QLatin1Char('0');
    const QChar state = rows[0].sname.toString().front();
    for (int i = 0; i < rows.size(); ++i)
        if (rows[i].sname.toString() != QStringLiteral("%1-%2").arg(state).arg(i + 1))
            return QLatin1Char('?');
    return state;
}

QChar settingsState()
{
    const std::optional<CompanySettingsRecord> row = CompanyTable::readFirst();
    if (!row)
        return QLatin1Char('0');
    if (TestData::columnMain(QStringLiteral("SELECT count(*) FROM 自社情報")).value(0).toInt() != 1)
        return QLatin1Char('?');
    const QString name = row->自社名.toString();
    const QChar state = name.isEmpty() ? QChar() : name.front();
    const bool whole = name == QString(state).repeated(50) && row->自社情報.toString() == name &&
                       row->年号.toString() == name &&
                       row->領収証番号.toInt() == (state == QLatin1Char('A') ? 100 : 200);
    return whole ? state : QLatin1Char('?');
}

QChar hintState()
{
    const QList<HintRecord> rows = HintTable::read(QStringLiteral("Frm領収証"), QStringLiteral("cmdHint"));
    if (rows.size() != 1)
        return QLatin1Char('?');
    const QChar state = rows[0].FormTitle.front();
    return rows[0].Contents.toString() == QString(state).repeated(5000) ? state : QLatin1Char('?');
}

QChar initialiseState()
{
    const QChar customers = customerState();
    const QChar codes = codeState();
    const std::optional<CompanySettingsRecord> row = CompanyTable::readFirst();
    if (customers == QLatin1Char('0') && codes == QLatin1Char('0') && !row)
        return QLatin1Char('A'); // wiped
    if (customers == QLatin1Char('B') && codes == QLatin1Char('B') && row && row->自社名.toString() == QLatin1String("B"))
        return QLatin1Char('B');
    return QLatin1Char('?');
}

} // namespace

void TestReliability::killedSaveLeavesOldOrNewWhole_data()
{
    QTest::addColumn<QString>("operation");
    for (const char* operation : {"customers", "codes", "settings", "hint", "initialise", "counter"})
        QTest::newRow(operation) << QString::fromLatin1(operation);
}

// A save killed at a random moment leaves the old state or the new one, whole, and the
// files open cleanly afterwards.
void TestReliability::killedSaveLeavesOldOrNewWhole()
{
    QFETCH(QString, operation);
    const QString child = qEnvironmentVariable("CRASH_CHILD");
    if (child.isEmpty())
        QSKIP("crash_child is not built beside this test");
    QTemporaryDir dir;
    QVERIFY(SchemaInstaller::createMissing(dir.path()));
    qint64 lastCounter = 0;
    QMap<QChar, int> seen;
    for (int round = 0; round < rounds(); ++round) {
        QProcess process;
        process.start(child, {dir.path(), operation});
        QVERIFY(process.waitForStarted());
        QVERIFY2(process.waitForReadyRead(10000), "the child never completed a first save");
        QTest::qSleep(QRandomGenerator::global()->bounded(1, 40));
        ::kill(static_cast<pid_t>(process.processId()), SIGKILL);
        QVERIFY(process.waitForFinished());
        QCOMPARE(process.exitStatus(), QProcess::CrashExit);

        const OpenOutcome opened = Connections::open(DataPaths::forFolder(dir.path()));
        QVERIFY2(opened.ok, qPrintable(opened.reason));
        QChar state;
        if (operation == QLatin1String("customers"))
            state = customerState();
        else if (operation == QLatin1String("codes"))
            state = codeState();
        else if (operation == QLatin1String("settings"))
            state = settingsState();
        else if (operation == QLatin1String("hint"))
            state = hintState();
        else if (operation == QLatin1String("initialise"))
            state = initialiseState();
        else {
            const qint64 stored = CompanyTable::readFirst()->領収証番号.toLongLong();
            QVERIFY2(stored >= lastCounter, "the receipt counter went down");
            lastCounter = stored;
            state = QLatin1Char('A');
        }
        Connections::close();
        QVERIFY2(state == QLatin1Char('A') || state == QLatin1Char('B'),
                 qPrintable(QStringLiteral("round %1: a mixed or partial state").arg(round)));
        ++seen[state];
    }
    qInfo("%s: %d kills, state A %d times, B %d times", qPrintable(operation), rounds(), seen.value(QLatin1Char('A')),
          seen.value(QLatin1Char('B')));
}

void TestReliability::failingWritesKeepData_data()
{
    QTest::addColumn<QString>("fault");
    QTest::addColumn<QString>("expected");
    QTest::newRow("disk full") << QStringLiteral("PRAGMA max_page_count = %1")
                               << QStringLiteral("ディスクの空きがありません");
    QTest::newRow("read-only database") << QStringLiteral("PRAGMA query_only = ON") << QStringLiteral("readonly");
}

// Every save fails with its reason, and what was stored before stays whole.
void TestReliability::failingWritesKeepData()
{
    QFETCH(QString, fault);
    QFETCH(QString, expected);
    TestData data;
    QVERIFY(data.ok());
    const QString category = QStringLiteral("会員");
    QVERIFY(CustomerMasterTable::replaceCategory(category, {{1, QStringLiteral("旧"), category, {}}}));
    QVERIFY(CompanyTable::writeFirst({QStringLiteral("会"), {}, QStringLiteral("西暦"), 41}));
    QVERIFY(HintTable::replace({QStringLiteral("F"), QStringLiteral("C"), {}, QStringLiteral("旧")}));
    for (QSqlDatabase db : {Connections::mainDb(), Connections::workDb()}) {
        QSqlQuery pages(db);
        QVERIFY(pages.exec(QStringLiteral("PRAGMA page_count")) && pages.next());
        QSqlQuery set(db);
        QVERIFY(set.exec(fault.contains(QLatin1String("%1")) ? fault.arg(pages.value(0).toInt()) : fault));
    }
    QList<CustomerRecord> big;
    for (int i = 1; i <= 2000; ++i)
        big.append({i, QString(200, QChar(0x4E00 + i)), category, {}});
    QList<StoreResult> results = {
        CustomerMasterTable::replaceCategory(category, big),
        CompanyTable::writeFirst({QString(100000, QLatin1Char('x')), {}, {}, 99}),
        HintTable::replace({QStringLiteral("F"), QStringLiteral("C"), {}, QString(200000, QLatin1Char('y'))}),
    };
    // A full disk still lets a row shrink or a number change in place; a read-only one lets nothing through.
    if (expected == QLatin1String("readonly"))
        results << CompanyTable::raiseReceiptNumber(100000) << DataInitialisation::wipeMainData();
    for (const StoreResult& result : results) {
        QVERIFY(!result.ok);
        QVERIFY2(result.error.contains(expected, Qt::CaseInsensitive), qPrintable(result.error));
    }
    QCOMPARE(CustomerMasterTable::readCategory(category).size(), 1);
    QCOMPARE(CompanyTable::readFirst()->領収証番号.toInt(), 41);
    QCOMPARE(HintTable::read(QStringLiteral("F"), QStringLiteral("C")).value(0).Contents.toString(), QStringLiteral("旧"));
}

void TestReliability::largeWriteKilledAfterSpillingRollsBack_data()
{
    QTest::addColumn<QString>("file");
    QTest::addColumn<QString>("table");
    QTest::newRow("main file") << QStringLiteral("Ledrium.mdb") << QStringLiteral("顧客マスタ");
    QTest::newRow("work file") << QStringLiteral("LedriumWork.mdb") << QStringLiteral("w顧客マスタ");
}

// A write too large to hold in memory moves pages into the file before its commit. Killed after
// that, it leaves a journal that starts with page 1, which the next open accepts and plays back:
// the file holds exactly what it held before, undamaged. Every row is changed in place, so
// nothing but the program's own first write puts page 1 into the journal ahead of the others.
void TestReliability::largeWriteKilledAfterSpillingRollsBack()
{
    QFETCH(QString, file);
    QFETCH(QString, table);
    const QString child = qEnvironmentVariable("CRASH_CHILD");
    if (child.isEmpty())
        QSKIP("crash_child is not built beside this test");
    QTemporaryDir dir;
    QVERIFY(SchemaInstaller::createMissing(dir.path()));
    QVERIFY(Connections::open(DataPaths::forFolder(dir.path())).ok);
    const auto customers = [&file] {
        return SqlRunner(file == QLatin1String("Ledrium.mdb") ? Connections::mainDb() : Connections::workDb());
    };
    // About 14 MB of lower-case text, well past what a write holds in memory.
    QVERIFY(customers().exec(
        QStringLiteral("WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < 40000) "
                       "INSERT INTO %1 (行番号, 顧客名, 但書) SELECT i, 'm' || i, lower(hex(randomblob(160))) FROM n")
            .arg(table)));
    Connections::close();
    const QString path = dir.filePath(file);
    const auto bytesOf = [](const QString& name) {
        QFile read(name);
        return read.open(QIODevice::ReadOnly) ? read.readAll() : QByteArray();
    };
    const QByteArray before = bytesOf(path);

    QProcess process;
    process.setProcessChannelMode(QProcess::ForwardedErrorChannel);
    process.start(child, {dir.path(), file == QLatin1String("Ledrium.mdb") ? QStringLiteral("spill-main")
                                                                            : QStringLiteral("spill-work")});
    QVERIFY2(process.waitForReadyRead(60000), "the child did not write");
    ::kill(static_cast<pid_t>(process.processId()), SIGKILL);
    QVERIFY(process.waitForFinished());

    // Pages reached the file before the commit, after the journal was synced with page 1 first.
    const QByteArray journal = bytesOf(path + QStringLiteral("-journal"));
    QVERIFY(journal.startsWith(QByteArray::fromHex("d9d505f920a163d7")));
    QVERIFY(bytesOf(path) != before);
    const qint64 sectorSize = qFromBigEndian<quint32>(journal.constData() + 20);
    QCOMPARE(qFromBigEndian<quint32>(journal.constData() + sectorSize), 1u);

    const OpenOutcome opened = Connections::open(DataPaths::forFolder(dir.path()));
    QVERIFY2(opened.ok, qPrintable(opened.reason));
    {
        SqlRunner check = customers();
        QVERIFY(check.exec(QStringLiteral("SELECT count(*) FROM %1 WHERE 但書 = lower(但書)").arg(table)) &&
                check.query().next());
        QCOMPARE(check.query().value(0).toInt(), 40000);
        QVERIFY(check.exec(QStringLiteral("PRAGMA integrity_check")) && check.query().next());
        QCOMPARE(check.query().value(0).toString(), QStringLiteral("ok"));
    }
    Connections::close();
    QVERIFY(!QFile::exists(path + QStringLiteral("-journal")));
}

// Two programs on one data folder without its lock (as two computers on a shared folder would
// be) issue numbers interleaved: the database alone keeps every number to one receipt.
void TestReliability::twoProcessesWithoutTheLockNeverShareANumber()
{
    const QString child = qEnvironmentVariable("CRASH_CHILD");
    if (child.isEmpty())
        QSKIP("crash_child is not built beside this test");
    QTemporaryDir dir;
    QVERIFY(SchemaInstaller::createMissing(dir.path()));
    QProcess first;
    QProcess second;
    for (QProcess* process : {&first, &second}) {
        process->setProcessChannelMode(QProcess::ForwardedErrorChannel);
        process->start(child, {dir.path(), QStringLiteral("issue")});
    }
    for (QProcess* process : {&first, &second})
        QVERIFY2(process->waitForReadyRead(20000), "a child did not open the store");
    for (QProcess* process : {&first, &second}) {
        process->write("go\n");
        QVERIFY(process->waitForBytesWritten());
    }
    for (QProcess* process : {&first, &second}) {
        QVERIFY(process->waitForFinished(300000));
        QCOMPARE(process->exitStatus(), QProcess::NormalExit);
        QVERIFY2(process->exitCode() == 0, qPrintable(QStringLiteral("exit %1: %2")
                                                          .arg(process->exitCode())
                                                          .arg(QString::fromUtf8(process->readAllStandardError()))));
    }
    QVERIFY(Connections::open(DataPaths::forFolder(dir.path())).ok);
    QSqlQuery issued(Connections::mainDb());
    // The last column counts the places where the number passes from one program to the other.
    QVERIFY(issued.exec(QStringLiteral("SELECT count(*), count(DISTINCT 領収証番号), min(領収証番号), max(領収証番号), "
                                       "(SELECT count(*) FROM 発行記録 a JOIN 発行記録 b "
                                       "ON b.領収証番号 = a.領収証番号 + 1 AND b.顧客名 <> a.顧客名) FROM 発行記録")));
    QVERIFY(issued.next());
    const QString counts = QStringLiteral("%1 entries, %2 numbers, %3 to %4")
                               .arg(issued.value(0).toInt())
                               .arg(issued.value(1).toInt())
                               .arg(issued.value(2).toInt())
                               .arg(issued.value(3).toInt());
    QCOMPARE(counts, QStringLiteral("2000 entries, 2000 numbers, 1 to 2000"));
    QVERIFY2(issued.value(4).toInt() > 1, "the two programs did not issue interleaved");
    QCOMPARE(CompanyTable::readFirst()->領収証番号.toLongLong(), qint64(2000));
    Connections::close();
}

// Print runs assembled and written to PDF over and over, killed at random moments: across
// every PDF that was written whole, no receipt number appears twice, the counter never went
// down, and the register of issued receipts holds every number up to the counter exactly once,
// each with the name it was printed for.
void TestReliability::killedPrintingNeverRepeatsANumber()
{
    const QString child = qEnvironmentVariable("CRASH_CHILD");
    if (child.isEmpty())
        QSKIP("crash_child is not built beside this test");
    QTemporaryDir dir;
    QVERIFY(SchemaInstaller::createMissing(dir.path()));
    QTemporaryDir pdfs;
    QProcessEnvironment environment = QProcessEnvironment::systemEnvironment();
    environment.insert(QStringLiteral("CRASH_CHILD_PDF_DIR"), pdfs.path());
    qint64 lastCounter = 0;
    for (int round = 0; round < rounds(); ++round) {
        QProcess process;
        process.setProcessEnvironment(environment);
        process.start(child, {dir.path(), QStringLiteral("pdf")});
        QVERIFY(process.waitForStarted());
        QVERIFY2(process.waitForReadyRead(20000), "the child never completed a first run");
        QTest::qSleep(QRandomGenerator::global()->bounded(1, 60));
        ::kill(static_cast<pid_t>(process.processId()), SIGKILL);
        QVERIFY(process.waitForFinished());
        QVERIFY(Connections::open(DataPaths::forFolder(dir.path())).ok);
        // As each start does: the entries of the killed output are voided.
        QVERIFY(ReceiptNumbers(Connections::mainDb()).voidAbandoned().result);
        QCOMPARE(TestData::columnMain(QStringLiteral("SELECT count(*) FROM 発行記録 WHERE 状態 = '出力中'")),
                 QVariantList{0});
        const qint64 stored = CompanyTable::readFirst()->領収証番号.toLongLong();
        QSqlQuery issued(Connections::mainDb());
        QVERIFY(issued.exec(QStringLiteral("SELECT count(*), count(DISTINCT 領収証番号), coalesce(max(領収証番号), 0) "
                                           "FROM 発行記録 WHERE 原本 = 1")) &&
                issued.next());
        const QString agreement = QStringLiteral("counter %1, register: %2 entries, %3 numbers, highest %4")
                                      .arg(stored)
                                      .arg(issued.value(0).toLongLong())
                                      .arg(issued.value(1).toLongLong())
                                      .arg(issued.value(2).toLongLong());
        QVERIFY2(issued.value(0).toLongLong() == stored && issued.value(1).toLongLong() == stored &&
                     issued.value(2).toLongLong() == stored,
                 qPrintable(agreement));
        issued.finish();
        Connections::close();
        QVERIFY2(stored >= lastCounter, "the receipt counter went down");
        lastCounter = stored;
    }
    QVERIFY(Connections::open(DataPaths::forFolder(dir.path())).ok);
    QMap<QString, QString> nameOfNumber;
    QMap<QString, QString> stateOfNumber;
    {
        QSqlQuery recorded(Connections::mainDb());
        QVERIFY(recorded.exec(QStringLiteral("SELECT 領収証番号, 顧客名, 状態, 無効理由 FROM 発行記録")));
        while (recorded.next()) {
            const QString n = QStringLiteral("%1").arg(recorded.value(0).toLongLong(), 5, 10, QLatin1Char('0'));
            nameOfNumber.insert(n, recorded.value(1).toString());
            stateOfNumber.insert(n, recorded.value(2).toString() + recorded.value(3).toString());
        }
    }
    Connections::close();
    QMap<QString, QString> fileOfNumber;
    const QStringList files = QDir(pdfs.path()).entryList({QStringLiteral("*.pdf")}, QDir::Files);
    QVERIFY(files.size() >= rounds());
    static const QRegularExpression number(QStringLiteral("(?<![0-9,])[0-9]{5}(?![0-9,])"));
    for (const QString& file : files) {
        QProcess text;
        text.start(QStringLiteral("pdftotext"), {QStringLiteral("-raw"), pdfs.filePath(file), QStringLiteral("-")});
        QVERIFY(text.waitForFinished());
        QCOMPARE(text.exitCode(), 0); // every file under its final name is whole
        QStringList numbers;
        const QString printed = QString::fromUtf8(text.readAllStandardOutput());
        for (const QRegularExpressionMatch& match : number.globalMatch(printed))
            numbers << match.captured();
        QCOMPARE(numbers.size(), 3);
        for (const QString& n : numbers)
            QVERIFY2(nameOfNumber.contains(n) && printed.contains(nameOfNumber.value(n)),
                     qPrintable(QStringLiteral("%1 in %2 is not recorded as printed").arg(n, file)));
        for (const QString& n : numbers) {
            QVERIFY2(!fileOfNumber.contains(n),
                     qPrintable(QStringLiteral("%1 printed in %2 and %3").arg(n, fileOfNumber.value(n), file)));
            fileOfNumber.insert(n, file);
            QVERIFY(n.toLongLong() <= lastCounter);
            // Killed between the file's completion and the register's: void, never the other way.
            QVERIFY2(stateOfNumber.value(n) == QStringLiteral("発行") ||
                         stateOfNumber.value(n) == QStringLiteral("無効") + ReceiptNumbers::abandonedReason(),
                     qPrintable(QStringLiteral("%1 in %2 is recorded as %3").arg(n, file, stateOfNumber.value(n))));
        }
    }
    // What the register says went out, went out: every number it calls 発行 is in a whole PDF;
    // every other one is void, as the output a kill cut short.
    for (auto recorded = stateOfNumber.cbegin(); recorded != stateOfNumber.cend(); ++recorded)
        if (!fileOfNumber.contains(recorded.key()))
            QVERIFY2(recorded.value() == QStringLiteral("無効") + ReceiptNumbers::abandonedReason(),
                     qPrintable(QStringLiteral("%1 is recorded as %2 without paper").arg(recorded.key(), recorded.value())));
    qInfo("%d kills, %lld PDF files read back, %lld numbers, none twice; %lld numbers of cut-off outputs void",
          rounds(), qint64(files.size()), qint64(fileOfNumber.size()),
          qint64(stateOfNumber.size() - fileOfNumber.size()));
}

namespace {

// A computer of its own: the built program beside a copy of the delivered data folder.
bool installComputer(const QString& folder)
{
    const QString build = qEnvironmentVariable("LEDRIUM_BUILD_DIR");
    if (!QFile::copy(build + u("/ledrium"), folder + u("/ledrium")) || !QDir().mkpath(folder + u("/data")))
        return false;
    const QDir delivered(build + u("/data"));
    for (const QString& name : delivered.entryList({u("*.mdb")}, QDir::Files))
        if (!QFile::copy(delivered.filePath(name), folder + u("/data/") + name))
            return false;
    return true;
}

// A connection of the test's own to the server's database, as a program's next start opens it.
class ServerConnection {
public:
    explicit ServerConnection(const QString& connection)
    {
        QString error;
        const std::optional<ServerAddress> address = ServerAddress::parse(connection, &error);
        error_ = address ? address->open(name()) : error;
    }
    ~ServerConnection()
    {
        QSqlDatabase::database(name(), false).close();
        QSqlDatabase::removeDatabase(name());
    }
    ServerConnection(const ServerConnection&) = delete;
    ServerConnection& operator=(const ServerConnection&) = delete;

    QString error() const { return error_; }
    QSqlDatabase db() const { return QSqlDatabase::database(name(), false); }

private:
    static QString name() { return u("test's own"); }
    QString error_;
};

// The server's database `database` with this program's tables, a company with its counter at 0
// and `category` with five members, written through the data folder `folder` as the program
// writes them.
QString arrangeServer(const PgServer& server, const QString& database, const QString& folder, const QString& category)
{
    if (const QString opened = openMainDataOnServer(server, database, folder); !opened.isEmpty())
        return opened;
    QList<CustomerRecord> members;
    for (int i = 1; i <= 5; ++i)
        members.append({i, u("会員%1").arg(i), category, {}});
    StoreResult arranged = CompanyTable::writeFirst({u("みどり町内会"), u("港区一丁目"), u("西暦"), 0});
    if (arranged)
        arranged = CodeMasterTable::replaceKind(CodeMasterTable::CustomerCategoryKind, {category});
    if (arranged)
        arranged = CustomerMasterTable::replaceCategory(category, members);
    Connections::close();
    return arranged.error;
}

} // namespace

// Two computers, each with the program and a data folder of its own, print the same list from
// one server at the same instant, over and over; either or both are killed at random moments and
// the server is sometimes stopped in the middle. A run either fails with a message and leaves
// no PDF, or its PDF is whole; across all PDFs no number appears twice; every number a PDF shows
// is recorded as issued (or void, when the output was cut off after its file was written), and
// every number recorded as issued is on paper.
void TestReliability::twoComputersOnOneServerKilledNeverShareANumber()
{
    if (const QString missing = PgServer::missing(); !missing.isEmpty())
        QSKIP(qPrintable(missing));
    if (!QFile::exists(qEnvironmentVariable("LEDRIUM_BUILD_DIR") + u("/ledrium")))
        QSKIP("the program is not built beside this test");
    PgServer server;
    QVERIFY(server.start().isEmpty());
    const QString shared = server.connection(u("shared"));
    const QString category = u("正会員");
    QTemporaryDir computers[2];
    for (const QTemporaryDir& computer : computers)
        QVERIFY(installComputer(computer.path()));
    const QString arranged = arrangeServer(server, u("shared"), computers[0].filePath(u("data")), category);
    QVERIFY2(arranged.isEmpty(), qPrintable(arranged));

    struct Output {
        QString pdf;
        bool killed = false;
        bool serverStopped = false;
    };
    QList<Output> outputs;
    int kills = 0;
    int stops = 0;
    int failed = 0;
    int emptyLocks = 0;
    qint64 span = 0; // how long an undisturbed round takes: the first one
    for (int round = 0; round < rounds(); ++round) {
        // Every choice of victims comes round in turn, each at a random moment.
        const int victims = round % 4; // bit 0: the first computer, bit 1: the second
        const bool stopServer = round % 3 == 2;
        QList<std::pair<qint64, int>> events; // (when, which computer; 2 for the server)
        for (int computer = 0; computer < 2; ++computer)
            if (victims & (1 << computer))
                events.append({QRandomGenerator::global()->bounded(span + 1), computer});
        if (stopServer)
            events.append({span / 4 + QRandomGenerator::global()->bounded(span / 2 + 1), 2});
        std::sort(events.begin(), events.end());

        QProcess programs[2];
        QString pdfs[2];
        QElapsedTimer clock;
        clock.start();
        for (int computer = 0; computer < 2; ++computer) {
            pdfs[computer] = computers[computer].filePath(u("r%1.pdf").arg(round));
            programs[computer].start(computers[computer].filePath(u("ledrium")),
                                     {u("--pdf"), pdfs[computer], u("--paper"), u("A4 x 4"), u("--category"),
                                      category, u("--server"), shared});
        }
        for (const auto& [when, which] : events) {
            QTest::qSleep(int(std::max<qint64>(0, when - clock.elapsed())));
            if (which == 2) {
                const QString stopped = server.stop();
                QVERIFY2(stopped.isEmpty(), qPrintable(stopped));
                ++stops;
            } else if (const qint64 pid = programs[which].processId(); pid > 0) {
                ::kill(static_cast<pid_t>(pid), SIGKILL);
            }
        }
        for (QProcess& program : programs)
            QVERIFY2(program.waitForFinished(60000), "a program did not end");
        if (round == 0)
            span = clock.elapsed() * 5 / 4;
        if (stopServer) {
            const QString started = server.start();
            QVERIFY2(started.isEmpty(), qPrintable(started));
        }
        for (int computer = 0; computer < 2; ++computer) {
            QProcess& program = programs[computer];
            const bool killed = program.exitStatus() == QProcess::CrashExit;
            const QString err = QString::fromUtf8(program.readAllStandardError());
            const QString where = u("round %1, computer %2: ").arg(round).arg(computer + 1);
            kills += killed;
            // A kill between creating the data folder's lock file and writing into it leaves it
            // empty, and the next start refuses with a message asking to delete it: done here.
            if (const QFileInfo lock(computers[computer].filePath(u("data/Ledrium.lock")));
                killed && lock.exists() && lock.size() == 0) {
                QVERIFY(QFile::remove(lock.filePath()));
                ++emptyLocks;
            }
            if (!killed && program.exitCode() != 0) {
                // Only a server gone away makes a run fail here, and then cleanly.
                QVERIFY2(stopServer, qPrintable(where + u("failed with the server running:\n") + err));
                QVERIFY2(err.contains(u("ません")), qPrintable(where + u("failed without a message:\n") + err));
                QVERIFY2(!QFileInfo::exists(pdfs[computer]), qPrintable(where + u("failed and left a PDF")));
                ++failed;
            } else if (!killed) {
                QVERIFY2(QFileInfo::exists(pdfs[computer]), qPrintable(where + u("succeeded without a PDF")));
            }
            if (QFileInfo::exists(pdfs[computer]))
                outputs.append({pdfs[computer], killed, stopServer});
        }
        // As the next start does: the entries of outputs that ended unconfirmed are voided.
        const ServerConnection next(shared);
        QVERIFY2(next.error().isEmpty(), qPrintable(next.error()));
        QVERIFY(ReceiptNumbers(next.db()).voidAbandoned().result);
        SqlRunner pending(next.db());
        QVERIFY(pending.exec(u("SELECT count(*) FROM 発行記録 WHERE 状態 = '出力中'")) && pending.query().next());
        QCOMPARE(pending.query().value(0).toInt(), 0);
    }

    QMap<qint64, QString> stateOfNumber; // 状態 and 無効理由 of each number's entry
    {
        const ServerConnection check(shared);
        QVERIFY2(check.error().isEmpty(), qPrintable(check.error()));
        SqlRunner sql(check.db());
        QVERIFY(sql.exec(u("SELECT 領収証番号, 状態, coalesce(無効理由, '') FROM 発行記録 WHERE 原本 = 1")));
        while (sql.query().next()) {
            const qint64 number = sql.query().value(0).toLongLong();
            QVERIFY2(!stateOfNumber.contains(number), qPrintable(u("%1 is in the register twice").arg(number)));
            stateOfNumber.insert(number, sql.query().value(1).toString() + sql.query().value(2).toString());
        }
    }
    const QString issued = u("発行");
    const QString cutOff = u("無効") + ReceiptNumbers::abandonedReason();
    QMap<qint64, QString> fileOfNumber;
    int cutOffOnPaper = 0;
    int unconfirmedSuccesses = 0; // numbers of runs that ended well though the server went before the confirmation
    for (const Output& output : outputs) {
        QCOMPARE(QProcess::execute(u("pdftotext"), {u("-q"), output.pdf, u("/dev/null")}), 0);
        const QStringList numbers = numbersIn(output.pdf);
        QVERIFY2(numbers.size() == 5, qPrintable(output.pdf + u(": ") + numbers.join(u(" "))));
        for (const QString& text : numbers) {
            const qint64 number = text.toLongLong();
            QVERIFY2(!fileOfNumber.contains(number),
                     qPrintable(u("%1 printed in %2 and %3").arg(text, fileOfNumber.value(number), output.pdf)));
            fileOfNumber.insert(number, output.pdf);
            const QString state = stateOfNumber.value(number);
            if (state == issued)
                continue;
            // Cut off between the file and the register's confirmation: by a kill, or by the server.
            QVERIFY2(state == cutOff && (output.killed || output.serverStopped),
                     qPrintable(u("%1 in %2 is recorded as \"%3\"").arg(text, output.pdf, state)));
            ++cutOffOnPaper;
            unconfirmedSuccesses += !output.killed;
        }
    }
    for (auto entry = stateOfNumber.cbegin(); entry != stateOfNumber.cend(); ++entry)
        QVERIFY2(entry.value() != issued || fileOfNumber.contains(entry.key()),
                 qPrintable(u("%1 is recorded as issued without paper").arg(entry.key())));
    // A run that ended with success has its numbers recorded as issued, not voided later as cut off.
    QCOMPARE(unconfirmedSuccesses, 0);
    qInfo("%d rounds: %d kills (%d left an empty lock file), %d server stops, %d runs failed cleanly; %lld PDFs "
          "read back with %lld numbers, none twice (%d of them void: cut off after the file, %d of these in runs "
          "that ended with success); %lld numbers in the register",
          rounds(), kills, emptyLocks, stops, failed, qint64(outputs.size()), qint64(fileOfNumber.size()),
          cutOffOnPaper, unconfirmedSuccesses, qint64(stateOfNumber.size()));
}

void TestReliability::restoredBackupIsExactlyTheBackup_data()
{
    QTest::addColumn<QString>("operation");
    for (const char* operation : {"customers", "counter"})
        QTest::newRow(operation) << QString::fromLatin1(operation);
}

// Back up both files, let the program save and crash, copy the two files back: the next start
// gives exactly the backup. A log file the crash left beside a file is never played into the
// restored copy; the start names it instead, and without it the backup opens as it was.
void TestReliability::restoredBackupIsExactlyTheBackup()
{
    QFETCH(QString, operation);
    const QString child = qEnvironmentVariable("CRASH_CHILD");
    if (child.isEmpty())
        QSKIP("crash_child is not built beside this test");
    const auto bytesOf = [](const QString& path) {
        QFile file(path);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    // Each round builds, backs up and restores a folder: a quarter of the kill rounds keeps the soak
    // inside the test function's time limit.
    const int restores = std::max(12, rounds() / 4);
    int refusals = 0;
    for (int round = 0; round < restores; ++round) {
        QTemporaryDir dir;
        QVERIFY(SchemaInstaller::createMissing(dir.path()));
        const DataPaths paths = DataPaths::forFolder(dir.path());
        QVERIFY(Connections::open(paths).ok);
        QVERIFY(CustomerMasterTable::replaceCategory(QStringLiteral("会員"), {{1, QStringLiteral("控え"), QStringLiteral("会員"), {}}}));
        QVERIFY(CompanyTable::writeFirst({QStringLiteral("控え"), {}, QStringLiteral("西暦"), 10}));
        Connections::close();
        const QByteArray mainBackup = bytesOf(paths.MainDbPath);
        const QByteArray workBackup = bytesOf(paths.WorkDbPath);

        QProcess process;
        process.start(child, {dir.path(), operation});
        QVERIFY(process.waitForStarted());
        QVERIFY2(process.waitForReadyRead(10000), "the child never completed a first save");
        QTest::qSleep(QRandomGenerator::global()->bounded(1, 60));
        ::kill(static_cast<pid_t>(process.processId()), SIGKILL);
        QVERIFY(process.waitForFinished());

        for (const auto& [path, backup] : {std::pair{paths.MainDbPath, mainBackup}, std::pair{paths.WorkDbPath, workBackup}}) {
            QFile file(path);
            QVERIFY(file.open(QIODevice::WriteOnly | QIODevice::Truncate) && file.write(backup) == backup.size());
        }
        OpenOutcome opened = Connections::open(paths);
        if (!opened.ok) {
            ++refusals;
            QString log;
            for (const QString& suffix : {QStringLiteral("-journal"), QStringLiteral("-wal")})
                if (opened.reason.contains(opened.file + suffix))
                    log = opened.file + suffix;
            QVERIFY2(!log.isEmpty(), qPrintable(opened.reason));
            QCOMPARE(bytesOf(paths.MainDbPath), mainBackup);
            QCOMPARE(bytesOf(paths.WorkDbPath), workBackup);
            QVERIFY(QFile::remove(log)); // as the message and the README say
            opened = Connections::open(paths);
        }
        QVERIFY2(opened.ok, qPrintable(opened.reason));
        QCOMPARE(CompanyTable::readFirst()->領収証番号.toInt(), 10);
        QCOMPARE(CustomerMasterTable::readCategory(QStringLiteral("会員")).size(), 1);
        Connections::close();
        QVERIFY2(bytesOf(paths.MainDbPath) == mainBackup, qPrintable(QStringLiteral("round %1").arg(round)));
        QVERIFY2(bytesOf(paths.WorkDbPath) == workBackup, qPrintable(QStringLiteral("round %1").arg(round)));
    }
    qInfo("%s: %d crashes and restores, %d left a log file that had to be removed", qPrintable(operation), restores,
          refusals);
}

QTEST_GUILESS_MAIN(TestReliability)
#include "tst_reliability.moc"
