// Writes to a data folder over and over until it is killed, so that a kill lands in the
// middle of a save. Each save writes one of two complete states, A or B, alternately.
// "issue" instead issues a thousand receipt numbers and ends; "spill-main" and "spill-work" make
// one large change of every 但書 of a file's customer table, say so, and wait to be killed.
#include "receipt/PrintRequest.h"
#include "receipt/ReceiptRun.h"
#include "report/ReportRun.h"
#include "settings/ReceiptCounter.h"
#include "store/CodeMasterTable.h"
#include "store/CompanyTable.h"
#include "store/Connections.h"
#include "store/CustomerWorkTable.h"
#include "store/DataInitialisation.h"
#include "store/HintTable.h"
#include "store/PrintRowTable.h"
#include "store/ReceiptNumbers.h"
#include "store/RegisterTable.h"
#include "store/SqlRunner.h"
#include "store/Transaction.h"
#include "store/WorkTableProtocol.h"

#include <QCoreApplication>
#include <QGuiApplication>
#include <QTextStream>
#include <QSqlQuery>
#include <QThread>

#include <memory>

namespace {

QList<CustomerRecord> customers(QChar state)
{
    QList<CustomerRecord> rows;
    for (int i = 1; i <= 100; ++i)
        rows.append({i, QStringLiteral("%1-%2").arg(state).arg(i), {}, QStringLiteral("%1会費").arg(state)});
    return rows;
}

// Customers, settings and code names back in one transaction, so only the wipe can be caught half-way.
bool refill()
{
    Transaction transaction(Connections::mainDb());
    SqlRunner sql(Connections::mainDb());
    for (const CustomerRecord& row : customers(QLatin1Char('B')))
        if (!sql.exec(QStringLiteral("INSERT INTO 顧客マスタ (行番号, 顧客名, 区分, 但書) VALUES (?, ?, '会員', ?)"),
                      {row.行番号, row.顧客名, row.但書}))
            return false;
    if (!sql.exec(QStringLiteral("INSERT INTO 自社情報 (自社名, 領収証番号) VALUES ('B', 5)")) ||
        !sql.exec(QStringLiteral("UPDATE コードマスタ SET sname = 'B-' || CAST(code AS INTEGER) WHERE kcode = '顧客区分'")))
        return false;
    return transaction.commit();
}

// A whole numbered run as the print command makes it: the next number, the rows into the
// print table, the run built from it, then written to its own PDF file in pdf/.
bool printToPdf(qint64 round)
{
    PrintRequest request;
    request.PrintNumberFlag = request.PrintAmountFlag = request.PrintDateFlag = true;
    request.ReceiptNo = Access自社情報(QStringLiteral("領収証番号"), QStringLiteral("Get"), 0).toLongLong();
    QList<PrintRow> rows;
    for (int i = 1; i <= 3; ++i)
        rows.append({QStringLiteral("会員%1-%2").arg(round).arg(i), qint64(1000 * i), {}});
    if (!PrintRowTable::replace(rows).ok)
        return false;
    const auto run = ReceiptRun::build(request, rows);
    return ReceiptRun::writePdf(*run, QStringLiteral("%1/%2-%3.pdf")
                                          .arg(qEnvironmentVariable("CRASH_CHILD_PDF_DIR"))
                                          .arg(QCoreApplication::applicationPid())
                                          .arg(round));
}

// Issues `count` numbers one by one, each with its register entry, as a second computer on
// the same data would: straight on the store, without the data folder's lock.
bool issueNumbers(int count)
{
    // Two programs taking turns at the write lock a thousand times each on a loaded machine can
    // wait longer than the program's few seconds: these wait as long as it takes.
    QSqlQuery(Connections::mainDb()).exec(QStringLiteral("PRAGMA busy_timeout = 60000"));
    const ReceiptNumbers numbers(Connections::mainDb());
    for (int i = 0; i < count; ++i) {
        // A read that found the file busy for long on a loaded machine is tried again, as a
        // preview would be opened again; it is never taken as a number.
        ReceiptNumbers::Next next = numbers.next();
        for (int attempt = 0; !next.number && attempt < 5; ++attempt)
            next = numbers.next();
        RegisterEntry entry;
        entry.顧客名 = QStringLiteral("子%1").arg(QCoreApplication::applicationPid());
        entry.発行日時 = QStringLiteral("2026-01-01T00:00:00");
        entry.状態 = RegisterTable::Issued;
        const ReceiptNumbers::Issued issued = next.number ? numbers.issue(*next.number, 1, {entry})
                                                          : ReceiptNumbers::Issued{StoreResult::failure(next.error), 0, {}, {}};
        const StoreResult confirmed = issued.result ? numbers.confirm(issued.ids) : issued.result;
        if (!confirmed) {
            QTextStream(stderr) << (issued.result ? "confirm: " : "issue: ") << confirmed.error << "\n";
            return false;
        }
        // A moment between runs, as between two outputs: the other program, waiting on the
        // write lock (it polls it every few milliseconds), gets its turn instead of one program
        // taking the lock again and again until the other gives up.
        QThread::usleep(2000);
    }
    return true;
}

bool saveOnce(const QString& operation, QChar state, qint64 round)
{
    if (operation == QLatin1String("customers")) {
        // The real save path: the list is loaded, edited, and registered as the category's
        // master rows (a save that follows no load of its own would be refused as outdated
        // when a kill came between the master's commit and the work file's note of it).
        return WorkTableProtocol::loadCustomerList(QStringLiteral("会員")).ok &&
               CustomerWorkTable::rebuild(customers(state)).ok &&
               WorkTableProtocol::registerCustomerList(QStringLiteral("会員")).ok;
    }
    if (operation == QLatin1String("codes")) {
        QList<QVariant> names;
        for (int i = 1; i <= 30; ++i)
            names.append(QStringLiteral("%1-%2").arg(state).arg(i));
        return CodeMasterTable::replaceKind(QStringLiteral("顧客区分"), names).ok;
    }
    if (operation == QLatin1String("settings")) {
        const QString text = QString(state).repeated(50);
        return CompanyTable::writeFirst({text, text, text, state == QLatin1Char('A') ? 100 : 200}).ok;
    }
    if (operation == QLatin1String("hint"))
        return HintTable::replace({QStringLiteral("Frm領収証"), QStringLiteral("cmdHint"), QString(state),
                                   QString(state).repeated(5000)})
            .ok;
    if (operation == QLatin1String("initialise")) {
        if (state == QLatin1Char('A'))
            return DataInitialisation::wipeMainData().ok;
        return refill();
    }
    if (operation == QLatin1String("counter"))
        return CompanyTable::raiseReceiptNumber(round).ok;
    if (operation == QLatin1String("pdf"))
        return printToPdf(round);
    return false;
}

} // namespace

int main(int argc, char** argv)
{
    if (argc != 3)
        return 2;
    // PDF output needs fonts, and so a GUI application (offscreen in the tests).
    const bool pdf = qstrcmp(argv[2], "pdf") == 0;
    const std::unique_ptr<QCoreApplication> app =
        pdf ? std::make_unique<QGuiApplication>(argc, argv) : std::make_unique<QCoreApplication>(argc, argv);
    // Two issuing programs open the same files at the same moment: the one that finds the
    // other's first open under way (the file held for its identity) tries again.
    OpenOutcome opened;
    for (int attempt = 0; attempt < 5; ++attempt) {
        opened = Connections::open(DataPaths::forFolder(QString::fromLocal8Bit(argv[1])));
        if (opened.ok)
            break;
        QThread::msleep(200);
    }
    if (!opened.ok) {
        QTextStream(stderr) << opened.file << ": " << opened.reason << "\n";
        return 3;
    }
    const QString operation = QString::fromLocal8Bit(argv[2]);
    QTextStream out(stdout);
    if (operation == QLatin1String("issue")) {
        // Both programs open their store, say so, and start together when the parent says go.
        out << "ready\n";
        out.flush();
        QTextStream(stdin).readLine();
        return issueNumbers(1000) ? 0 : 4;
    }
    if (operation.startsWith(QLatin1String("spill-"))) {
        const bool onMain = operation == QLatin1String("spill-main");
        const QSqlDatabase db = onMain ? Connections::mainDb() : Connections::workDb();
        Transaction write(db, Transaction::Lock::Deferred, Transaction::Pages::Spilled);
        SqlRunner sql(db);
        if (!write.begun() || !sql.exec(QStringLiteral("UPDATE %1 SET 但書 = upper(但書)")
                                            .arg(onMain ? QStringLiteral("顧客マスタ") : QStringLiteral("w顧客マスタ")))) {
            QTextStream(stderr) << write.error() << sql.error() << "\n";
            return 4;
        }
        out << "written\n";
        out.flush();
        for (;;)
            QThread::sleep(60);
    }
    for (qint64 round = 1;; ++round) {
        if (!saveOnce(operation, round % 2 ? QLatin1Char('A') : QLatin1Char('B'), round))
            return 4;
        if (round == 1) {
            out << "ready\n"; // the parent starts its clock from the first complete save
            out.flush();
        }
    }
}
