// Reaching a PostgreSQL server: reading what the user types, keeping the choice without a
// password, opening it against a real throw-away server, and the 接続先 dialog.
#include "PgServer.h"
#include "ScriptedMessagePresenter.h"
#include "app/MainWindow.h"
#include "store/Connections.h"
#include "store/ReceiptNumbers.h"
#include "store/SchemaInstaller.h"
#include "store/ServerSchema.h"
#include "TestText.h"
#include "settings/ServerDialog.h"
#include "store/ServerAddress.h"
#include "store/ServerSetting.h"

#include <QApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QSettings>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QTest>
#include <QTabWidget>
#include <QToolButton>

#include <memory>

namespace {

const QString Connection = QStringLiteral("tst_server");

// What the user's settings file holds under the key, read without the code under test.
QString storedInFile(const QTemporaryDir& config)
{
    return QSettings(config.filePath(QStringLiteral("Ledrium/Ledrium.conf")), QSettings::IniFormat)
        .value(QStringLiteral("server/connection"))
        .toString();
}

void storeInFile(const QTemporaryDir& config, const QString& text)
{
    QSettings(config.filePath(QStringLiteral("Ledrium/Ledrium.conf")), QSettings::IniFormat)
        .setValue(QStringLiteral("server/connection"), text);
}

// Clicks a radio button on its indicator, which a click in the middle of a wide one misses.
void choose(QRadioButton* button) { QTest::mouseClick(button, Qt::LeftButton, {}, QPoint(6, button->height() / 2)); }

// The first value of a query on the open test connection.
QVariant valueOf(const QString& sql)
{
    QSqlQuery query(QSqlDatabase::database(Connection, false));
    if (!query.exec(sql) || !query.next())
        return QVariant();
    return query.value(0);
}

} // namespace

class TestServer : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void parse_data();
    void parse();
    void store_data();
    void store();
    void unreadableStoredText();
    void openRealServer();
    void dialog_data();
    void dialog();
    void dialogTriesConnection();
    void windowStartsOnTheChosenServer();

private:
    // Skips the test when no server can run here; fails it when one should and does not.
    bool serverUp();

    QTemporaryDir config_;
    std::unique_ptr<PgServer> server_;
};

void TestServer::initTestCase()
{
    QVERIFY(config_.isValid());
    qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
}

void TestServer::init() { storeInFile(config_, QString()); }

bool TestServer::serverUp()
{
    const QString missing = PgServer::missing();
    if (!missing.isEmpty())
        return false;
    if (!server_) {
        server_ = std::make_unique<PgServer>();
        const QString failure = server_->start();
        if (!failure.isEmpty()) {
            server_.reset();
            qWarning("%s", qPrintable(failure));
            return false;
        }
        const QString notCreated = server_->createDatabase(QStringLiteral("ledrium"));
        if (!notCreated.isEmpty()) {
            qWarning("%s", qPrintable(notCreated));
            return false;
        }
    }
    return true;
}

#define REQUIRE_SERVER()                                                                                         \
    do {                                                                                                         \
        if (!PgServer::missing().isEmpty())                                                                      \
            QSKIP(qPrintable(PgServer::missing()));                                                              \
        QVERIFY2(serverUp(), "the throw-away PostgreSQL server did not start");                                  \
    } while (false)

void TestServer::parse_data()
{
    QTest::addColumn<QString>("text");
    QTest::addColumn<QString>("described"); // empty: refused
    QTest::addColumn<QString>("refusal");   // a part of the reason
    QTest::addColumn<bool>("password");

    QTest::newRow("URI with a socket folder")
        << u("postgresql:///ledrium?host=/run/postgresql&port=5432&user=kaikei")
        << u("ソケット /run/postgresql、ポート 5432、データベース ledrium、ユーザー kaikei") << QString() << false;
    QTest::newRow("URI with a host")
        << u("postgresql://kaikei@db.example:5433/ledrium?sslmode=require")
        << u("ホスト db.example、ポート 5433、データベース ledrium、ユーザー kaikei") << QString() << false;
    QTest::newRow("key/value") << u("host=db.example dbname='会 計' sslmode=require connect_timeout=10")
                               << u("ホスト db.example、データベース 会 計") << QString() << false;
    QTest::newRow("service") << u("service=ledrium") << u("サービス ledrium") << QString() << false;
    QTest::newRow("password in a URI") << u("postgresql://kaikei:secret@db/ledrium")
                                       << u("ホスト db、データベース ledrium、ユーザー kaikei") << QString() << true;
    QTest::newRow("password as a pair") << u("host=db password='se cret'") << u("ホスト db") << QString() << true;
    QTest::newRow("garbage") << u("garbage") << QString() << u("接続先を読めません: missing \"=\" after \"garbage\"")
                             << false;
    QTest::newRow("unknown option") << u("host=db colour=red") << QString() << u("\"colour\"") << false;
    QTest::newRow("broken URI") << u("postgresql://db/ledrium?sslmode") << QString() << u("接続先を読めません")
                                << false;
    QTest::newRow("empty") << u("  ") << QString() << u("入力してください") << false;
    QTest::newRow("semicolon the driver cannot pass")
        << u("host=db options='-c search_path=a;b'") << QString() << u("options には「;」") << false;
}

void TestServer::parse()
{
    QFETCH(QString, text);
    QFETCH(QString, described);
    QFETCH(QString, refusal);
    QFETCH(bool, password);

    QString error;
    const std::optional<ServerAddress> server = ServerAddress::parse(text, &error);
    if (described.isEmpty()) {
        QVERIFY(!server);
        QVERIFY2(error.contains(refusal), qPrintable(error));
        return;
    }
    QVERIFY2(server, qPrintable(error));
    QCOMPARE(server->text(), text);
    QCOMPARE(server->describe(), described);
    QCOMPARE(server->holdsPassword(), password);
}

void TestServer::store_data()
{
    QTest::addColumn<QString>("text"); // empty: the local files
    QTest::addColumn<QString>("refusal");

    QTest::newRow("server") << u("host=db.example dbname=ledrium sslmode=require") << QString();
    QTest::newRow("service") << u("service=ledrium") << QString();
    QTest::newRow("local files") << QString() << QString();
    QTest::newRow("password in a URI") << u("postgresql://kaikei:secret@db/ledrium") << u("~/.pgpass");
    QTest::newRow("password as a pair") << u("host=db password=secret") << u("サービスファイル");
    QTest::newRow("empty password") << u("host=db password=''") << u("~/.pgpass");
}

void TestServer::store()
{
    QFETCH(QString, text);
    QFETCH(QString, refusal);

    const QString before = u("host=before dbname=ledrium");
    storeInFile(config_, before);
    QString error;
    std::optional<ServerAddress> server;
    if (!text.isEmpty()) {
        server = ServerAddress::parse(text, &error);
        QVERIFY2(server, qPrintable(error));
    }
    const QString refused = ServerSetting::store(server);
    if (!refusal.isEmpty()) {
        QVERIFY2(refused.contains(refusal), qPrintable(refused));
        QCOMPARE(storedInFile(config_), before); // nothing lost, nothing of the password written
        return;
    }
    QVERIFY2(refused.isEmpty(), qPrintable(refused));
    QCOMPARE(storedInFile(config_), text);
    const std::optional<ServerAddress> loaded = ServerSetting::load(&error);
    QVERIFY2(error.isEmpty(), qPrintable(error));
    QCOMPARE(loaded.has_value(), !text.isEmpty());
    if (loaded)
        QCOMPARE(loaded->text(), text);
}

void TestServer::unreadableStoredText()
{
    storeInFile(config_, u("host=db colour=red"));
    QString error;
    QVERIFY(!ServerSetting::load(&error));
    QVERIFY2(error.contains(u("「host=db colour=red」")) && error.contains(u("\"colour\"")), qPrintable(error));
}

void TestServer::openRealServer()
{
    REQUIRE_SERVER();
    QString error;
    const auto address = [&](const QString& text) { return ServerAddress::parse(text, &error).value(); };

    // Options without a setter reach the server; the short timeout is added unless given.
    const ServerAddress ledrium = address(server_->connection(u("ledrium")) + u(" application_name=tst_server"));
    QCOMPARE(ledrium.open(Connection), QString());
    QCOMPARE(valueOf(u("SELECT current_database()")).toString(), u("ledrium"));
    QCOMPARE(valueOf(u("SELECT current_setting('application_name')")).toString(), u("tst_server"));
    QVERIFY(QSqlDatabase::database(Connection, false).connectOptions().contains(u("connect_timeout='5'")));
    QSqlDatabase::removeDatabase(Connection);
    QCOMPARE(address(server_->connection(u("ledrium")) + u(" connect_timeout=7")).open(Connection), QString());
    QVERIFY(!QSqlDatabase::database(Connection, false).connectOptions().contains(u("connect_timeout='5'")));
    QSqlDatabase::removeDatabase(Connection);

    const QString noDatabase = address(server_->connection(u("会計なし"))).open(Connection);
    QVERIFY2(noDatabase.contains(u("データベース 会計なし、ユーザー postgres）に接続できません")) &&
                 noDatabase.contains(u("\"会計なし\" does not exist")),
             qPrintable(noDatabase));
    QVERIFY(!QSqlDatabase::contains(Connection)); // nothing half-open left behind

    QCOMPARE(server_->stop(), QString());
    const QString stopped = ledrium.open(Connection);
    QVERIFY2(stopped.startsWith(u("PostgreSQL サーバー（") + ledrium.describe() + u("）に接続できません。\n")) &&
                 stopped.size() > ledrium.describe().size() + 40,
             qPrintable(stopped));
    QVERIFY(!QSqlDatabase::contains(Connection));

    QCOMPARE(server_->start(), QString());
    QCOMPARE(ledrium.open(Connection), QString());
    QCOMPARE(valueOf(u("SELECT 1")).toInt(), 1);
    QSqlDatabase::removeDatabase(Connection);
}

void TestServer::dialog_data()
{
    QTest::addColumn<QString>("stored");
    QTest::addColumn<QString>("choice"); // the radio button clicked: "local" or "server"
    QTest::addColumn<QString>("typed");
    QTest::addColumn<QString>("button"); // "OK" or "Cancel"
    QTest::addColumn<bool>("accepted");
    QTest::addColumn<QString>("storedAfter");
    QTest::addColumn<QString>("shown"); // a part of the result line

    const QString old = u("host=old dbname=ledrium");
    const QString uri = u("postgresql://kaikei@db/ledrium?sslmode=require");
    QTest::newRow("to a server") << QString() << u("server") << uri << u("OK") << true << uri << QString();
    QTest::newRow("to the local file") << old << u("local") << QString() << u("OK") << true << QString() << QString();
    QTest::newRow("cancelled") << old << u("local") << QString() << u("Cancel") << false << old << QString();
    QTest::newRow("password refused") << old << u("server") << u("postgresql://kaikei:secret@db/ledrium") << u("OK")
                                      << false << old << u("~/.pgpass");
    QTest::newRow("garbage refused") << old << u("server") << u("garbage") << u("OK") << false << old
                                     << u("接続先を読めません");
    QTest::newRow("nothing typed") << QString() << u("server") << QString() << u("OK") << false << QString()
                                   << u("入力してください");
}

void TestServer::dialog()
{
    QFETCH(QString, stored);
    QFETCH(QString, choice);
    QFETCH(QString, typed);
    QFETCH(QString, button);
    QFETCH(bool, accepted);
    QFETCH(QString, storedAfter);
    QFETCH(QString, shown);

    storeInFile(config_, stored);
    ServerDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    QCOMPARE(dialog.serverButton()->isChecked(), !stored.isEmpty());
    QCOMPARE(dialog.connectionEdit()->text(), stored);
    QCOMPARE(dialog.connectionEdit()->isEnabled(), !stored.isEmpty());

    choose(choice == u("server") ? dialog.serverButton() : dialog.localButton());
    QCOMPARE(dialog.tryButton()->isEnabled(), choice == u("server"));
    if (choice == u("server")) {
        dialog.connectionEdit()->clear();
        QTest::keyClicks(dialog.connectionEdit(), typed);
    }
    QTest::mouseClick(button == u("OK") ? dialog.okButton() : dialog.cancelButton(), Qt::LeftButton);

    QCOMPARE(dialog.result() == QDialog::Accepted, accepted);
    QCOMPARE(dialog.isVisible(), !accepted && button == u("OK")); // a refusal keeps it open to mend
    QCOMPARE(storedInFile(config_), storedAfter);
    if (accepted) {
        QCOMPARE(dialog.chosen().has_value(), !storedAfter.isEmpty());
        if (dialog.chosen())
            QCOMPARE(dialog.chosen()->text(), storedAfter);
    }
    QVERIFY2(dialog.resultLabel()->text().contains(shown), qPrintable(dialog.resultLabel()->text()));
}

void TestServer::dialogTriesConnection()
{
    REQUIRE_SERVER();
    ServerDialog dialog;
    dialog.show();
    QVERIFY(QTest::qWaitForWindowExposed(&dialog));
    choose(dialog.serverButton());

    QTest::keyClicks(dialog.connectionEdit(), server_->connection(u("ledrium")));
    QTest::mouseClick(dialog.tryButton(), Qt::LeftButton);
    QVERIFY2(dialog.resultLabel()->text().endsWith(u("データベース ledrium、ユーザー postgres に接続できました。")),
             qPrintable(dialog.resultLabel()->text()));
    QVERIFY(!QSqlDatabase::contains(u("ServerDialogTrial"))); // opened and closed again

    dialog.connectionEdit()->setText(server_->connection(u("nosuch")));
    QTest::mouseClick(dialog.tryButton(), Qt::LeftButton);
    QVERIFY2(dialog.resultLabel()->text().contains(u("データベース nosuch")), qPrintable(dialog.resultLabel()->text()));

    QTest::mouseClick(dialog.cancelButton(), Qt::LeftButton);
    QCOMPARE(storedInFile(config_), QString()); // trying stores nothing
}

// The window opens the main data on the server the user chose: initialising it is not offered
// there. A server that cannot be reached stops the start with its name and reason, offers the
// connection dialog, and writes nothing in the local data folder.
void TestServer::windowStartsOnTheChosenServer()
{
    if (!serverUp())
        QSKIP("no PostgreSQL server can run here");
    QVERIFY(server_->createDatabase(u("window")).isEmpty());
    const QString connection = server_->connection(u("window"));
    QString error;
    QVERIFY(ServerAddress::parse(connection, &error)->open(u("setup")).isEmpty());
    QVERIFY(ServerSchema::initialise(QSqlDatabase::database(u("setup"))));
    QSqlDatabase::database(u("setup")).close();
    QSqlDatabase::removeDatabase(u("setup"));
    QTemporaryDir folder;
    QVERIFY(SchemaInstaller::createMissing(folder.path()));
    const QString mainPath = folder.filePath(u("Ledrium.mdb"));
    const auto bytes = [&mainPath] {
        QFile file(mainPath);
        return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
    };
    const QByteArray before = bytes();

    storeInFile(config_, connection);
    ScriptedMessagePresenter& messages = ScriptedMessagePresenter::install();
    {
        Frm領収証 window;
        QVERIFY(window.Form_Load(folder.path()));
        QCOMPARE(Connections::mainDb().driverName(), u("QPSQL"));
        QVERIFY(!window.findChild<QToolButton*>(u("cmd一括削除7"))->isEnabled());
        auto* number = window.findChild<QLabel*>(u("Lbl領収証番号"));
        QCOMPARE(number->text(), u("No.00001"));
        // Another computer prints three receipts: the receipt tab shows the next number when it
        // comes into view again.
        QVERIFY(ServerAddress::parse(connection, &error)->open(u("other")).isEmpty());
        {
            const ReceiptNumbers other(QSqlDatabase::database(u("other")));
            RegisterEntry entry;
            entry.発行日時 = u("2026-12-11T10:00:00");
            const ReceiptNumbers::Issued issued = other.issue(1, 3, {entry, entry, entry});
            QVERIFY(issued.result && other.confirm(issued.ids));
            QSqlDatabase::database(u("other")).close();
        }
        QSqlDatabase::removeDatabase(u("other"));
        auto* tabs = window.findChild<QTabWidget*>(u("SSTab1"));
        tabs->setCurrentIndex(1);
        tabs->setCurrentIndex(0);
        QCOMPARE(number->text(), u("No.00004"));
    }
    Connections::close();

    storeInFile(config_, server_->connection(u("nosuchdatabase")));
    messages.answers = {false};
    {
        Frm領収証 window;
        QVERIFY(!window.Form_Load(folder.path()));
    }
    QCOMPARE(messages.shown.size(), 1);
    QVERIFY2(messages.shown.first().prompt.contains(u("nosuchdatabase")), qPrintable(messages.shown.first().prompt));
    QVERIFY(messages.shown.first().prompt.contains(u("接続先を選び直します")));
    QCOMPARE(bytes(), before);
}

QTEST_MAIN(TestServer)
#include "tst_server.moc"
