// The register window over 100,000 issued receipts: opening it, filtering (part of a name, a
// year of issue) and sorting by a column must each stay under 100 ms (the view reads only the
// rows it shows; the sorted columns are indexed). Issuing a 100-receipt run beside them must
// stay well under 50 ms (the stored numbers are checked off the number index).
// Each runs on a SQLite main file (/sqlite) and on a PostgreSQL server (/postgres) the program
// starts for itself, when PostgreSQL is installed.
#include "PgServer.h"
#include "ServerMainData.h"
#include "register/RegisterModel.h"
#include "register/RegisterWindow.h"
#include "store/Connections.h"
#include "store/ReceiptNumbers.h"
#include "store/RegisterTable.h"
#include "store/SqlDialect.h"
#include "store/SqlRunner.h"
#include "store/Transaction.h"

#include <QApplication>
#include <QTableView>
#include <benchmark/benchmark.h>

#include <functional>

namespace {

constexpr int Entries = 100000;

// Entries issued every ten minutes from 2020 on, every hundredth void, written by the database
// itself in one statement: a server takes 100,000 single inserts far too slowly to set up.
void fillRegister()
{
    const QSqlDatabase db = Connections::mainDb();
    const QString issuedAt =
        SqlDialect::of(db) == SqlDialect::Kind::Postgres
            ? QStringLiteral("to_char(TIMESTAMP '2020-01-01 09:00:00' + i * INTERVAL '10 minutes', "
                             "'YYYY-MM-DD\"T\"HH24:MI:SS')")
            : QStringLiteral("strftime('%Y-%m-%dT%H:%M:%S', '2020-01-01 09:00:00', '+' || (i * 10) || ' minutes')");
    Transaction transaction(db);
    SqlRunner sql(db);
    if (!sql.exec(QStringLiteral("INSERT INTO 発行記録 (領収証番号, 領収日付, 顧客名, 領収額, 但書, 表題, 自社名, 用紙, "
                                 "出力先, 種別, 発行日時, 状態) "
                                 "WITH RECURSIVE n(i) AS (SELECT 1 UNION ALL SELECT i + 1 FROM n WHERE i < %1) "
                                 "SELECT i, '2026年12月10日', '会員 ' || (i * 7919 % %1), 1000 + i % 50 * 500, "
                                 "'年会費として', '領収証', 'ひまわり会', 'A4 x 4', '会員分.pdf', '%2', %3, "
                                 "CASE WHEN i % 100 = 0 THEN '%4' ELSE '%5' END FROM n")
                      .arg(QString::number(Entries), RegisterTable::ListRun, issuedAt, RegisterTable::Voided,
                           RegisterTable::Issued)) ||
        !transaction.commit())
        qFatal("register not filled: %s", qPrintable(sql.error()));
}

// A fresh store on either backend with 100,000 entries in its register.
struct FilledRegister {
    BackendData data;
    explicit FilledRegister(const PgServer* server) : data(server)
    {
        if (!data.error().isEmpty())
            qFatal("no store: %s", qPrintable(data.error()));
        fillRegister();
    }
};

// The window shown with its first screen of rows laid out.
void BM_OpenWindow100k(benchmark::State& state, const PgServer* server)
{
    const FilledRegister filled(server);
    for (auto _ : state) {
        RegisterWindow window;
        window.show();
        QApplication::processEvents();
        benchmark::DoNotOptimize(window.model().rowCount());
    }
}

void BM_FilterByName100k(benchmark::State& state, const PgServer* server)
{
    const FilledRegister filled(server);
    RegisterModel model;
    int round = 0;
    for (auto _ : state) {
        RegisterTable::Filter filter;
        filter.namePart = QStringLiteral("会員 %1").arg(++round % 90 + 10);
        model.setFilter(filter);
        benchmark::DoNotOptimize(model.rowCount());
    }
}

void BM_FilterByDates100k(benchmark::State& state, const PgServer* server)
{
    const FilledRegister filled(server);
    RegisterModel model;
    for (auto _ : state) {
        RegisterTable::Filter filter;
        filter.issuedFrom = QDate(2021, 1, 1);
        filter.issuedTo = QDate(2021, 12, 31);
        model.setFilter(filter);
        benchmark::DoNotOptimize(model.rowCount());
    }
}

void BM_SortByColumn100k(benchmark::State& state, const PgServer* server)
{
    const FilledRegister filled(server);
    RegisterModel model;
    const QStringList fields = {QStringLiteral("顧客名"), QStringLiteral("領収額"), QStringLiteral("但書"),
                                QStringLiteral("状態")};
    const int column = RegisterTable::columnOf(fields.at(state.range(0)));
    state.SetLabel(fields.at(state.range(0)).toStdString());
    bool descending = false;
    for (auto _ : state) {
        descending = !descending;
        model.sort(column, descending ? Qt::DescendingOrder : Qt::AscendingOrder);
        benchmark::DoNotOptimize(model.rowCount());
    }
}

// One run's numbers and register entries, as an output issues them before its first page, and
// their confirmation once it has completed.
void BM_IssueRun100(benchmark::State& state, const PgServer* server)
{
    const FilledRegister filled(server);
    const ReceiptNumbers numbers(Connections::mainDb());
    RegisterEntry entry;
    entry.顧客名 = QStringLiteral("会員");
    entry.領収額 = qint64(3000);
    entry.発行日時 = QStringLiteral("2026-12-10T09:00:00");
    entry.状態 = RegisterTable::Issued;
    const QList<RegisterEntry> entries(100, entry);
    for (auto _ : state) {
        const ReceiptNumbers::Issued issued = numbers.issue(*numbers.next().number, entries.size(), entries);
        const StoreResult confirmed = issued.result ? numbers.confirm(issued.ids) : issued.result;
        if (!confirmed)
            state.SkipWithError(confirmed.error.toStdString().c_str());
    }
}

// Each benchmark on the file and, beside it, on the server.
void registerBenchmarks(const PgServer* server)
{
    QList<std::pair<std::string, const PgServer*>> backends{{"sqlite", nullptr}};
    if (server)
        backends.append({"postgres", server});
    using Run = void (*)(benchmark::State&, const PgServer*);
    const auto add = [&](const std::string& name, Run run, int iterations, bool byColumn = false) {
        for (const auto& [backend, on] : backends) {
            auto* added = benchmark::RegisterBenchmark((name + "/" + backend).c_str(), run, on)
                              ->Unit(benchmark::kMillisecond)
                              ->Iterations(iterations);
            if (byColumn)
                added->DenseRange(0, 3);
        }
    };
    add("BM_IssueRun100", BM_IssueRun100, 20);
    add("BM_OpenWindow100k", BM_OpenWindow100k, 10);
    add("BM_FilterByName100k", BM_FilterByName100k, 20);
    add("BM_FilterByDates100k", BM_FilterByDates100k, 20);
    add("BM_SortByColumn100k", BM_SortByColumn100k, 10, true);
}

} // namespace

int main(int argc, char** argv)
{
    QApplication app(argc, argv);
    PgServer server;
    const QString noServer = server.startIfInstalled();
    if (!noServer.isEmpty())
        qWarning("only on SQLite: %s", qPrintable(noServer));
    registerBenchmarks(noServer.isEmpty() ? &server : nullptr);
    benchmark::Initialize(&argc, argv);
    benchmark::RunSpecifiedBenchmarks();
    benchmark::Shutdown();
    return 0;
}
