#include "store/ServerAddress.h"

#include <QLibrary>
#include <QSqlDatabase>
#include <QSqlError>
#include <QStringList>

#include <libpq-fe.h>

namespace {

const QString Driver = QStringLiteral("QPSQL");
// libpq waits for an unreachable server as long as the network lets it; a user waits this long.
const QString ShortTimeout = QStringLiteral("5");

// What QSqlDatabase has setters for; every other option goes through setConnectOptions.
bool hasSetter(const QString& keyword)
{
    static const QStringList keywords = {QStringLiteral("host"), QStringLiteral("dbname"),
                                         QStringLiteral("user"), QStringLiteral("password"),
                                         QStringLiteral("port")};
    return keywords.contains(keyword);
}

// libpq's own parser of connection strings, loaded at its first use: a program that never
// reaches a server then starts without libpq and the libraries it brings (encryption, LDAP,
// Kerberos), which cost every start about 15 ms. The driver for a server loads it anyway.
struct LibpqParser {
    decltype(&PQconninfoParse) parse = nullptr;
    decltype(&PQconninfoFree) free = nullptr;
    decltype(&PQfreemem) freeMemory = nullptr;
};

const LibpqParser& libpq()
{
    static const LibpqParser loaded = [] {
        QLibrary library(QStringLiteral("pq"), 5); // stays loaded: QLibrary unloads only when asked
        LibpqParser parser;
        if (!library.load())
            return parser;
        parser.parse = reinterpret_cast<decltype(&PQconninfoParse)>(library.resolve("PQconninfoParse"));
        parser.free = reinterpret_cast<decltype(&PQconninfoFree)>(library.resolve("PQconninfoFree"));
        parser.freeMemory = reinterpret_cast<decltype(&PQfreemem)>(library.resolve("PQfreemem"));
        if (!parser.free || !parser.freeMemory)
            parser.parse = nullptr;
        return parser;
    }();
    return loaded;
}

// A value quoted as libpq reads it in a key/value string.
QString quoted(QString value)
{
    value.replace(QLatin1Char('\\'), QStringLiteral("\\\\")).replace(QLatin1Char('\''), QStringLiteral("\\'"));
    return QLatin1Char('\'') + value + QLatin1Char('\'');
}

} // namespace

std::optional<ServerAddress> ServerAddress::parse(const QString& text, QString* error)
{
    if (text.trimmed().isEmpty()) {
        *error = QStringLiteral("サーバーの接続先を入力してください。");
        return std::nullopt;
    }
    const LibpqParser& pq = libpq();
    if (!pq.parse) {
        *error = QStringLiteral("PostgreSQL の接続ライブラリ（libpq）を読み込めません。"
                                "libpq5 パッケージが入っているか確かめてください。");
        return std::nullopt;
    }
    char* reason = nullptr;
    PQconninfoOption* parsed = pq.parse(text.toUtf8().constData(), &reason);
    if (!parsed) {
        *error = QStringLiteral("接続先を読めません: %1").arg(reason ? QString::fromUtf8(reason).trimmed()
                                                                      : QStringLiteral("メモリが足りません"));
        pq.freeMemory(reason);
        return std::nullopt;
    }
    QList<Option> options;
    for (const PQconninfoOption* o = parsed; o->keyword; ++o)
        if (o->val)
            options.append({QString::fromUtf8(o->keyword), QString::fromUtf8(o->val)});
    pq.free(parsed);
    // The driver turns every ";" of its option string into a space, quoted or not.
    for (const auto& [keyword, value] : options)
        if (!hasSetter(keyword) && value.contains(QLatin1Char(';'))) {
            *error = QStringLiteral("接続先の %1 には「;」を使えません。").arg(keyword);
            return std::nullopt;
        }
    return ServerAddress(text, options);
}

QString ServerAddress::option(const QString& keyword) const
{
    for (const auto& [key, value] : options_)
        if (key == keyword)
            return value;
    return QString();
}

QString ServerAddress::describe() const
{
    QStringList parts;
    const QString service = option(QStringLiteral("service"));
    if (!service.isNull())
        parts << QStringLiteral("サービス %1").arg(service);
    const QString host = option(QStringLiteral("host"));
    const QString hostAddress = option(QStringLiteral("hostaddr"));
    if (host.startsWith(QLatin1Char('/')) || host.startsWith(QLatin1Char('@')))
        parts << QStringLiteral("ソケット %1").arg(host);
    else if (!host.isEmpty())
        parts << QStringLiteral("ホスト %1").arg(host);
    else if (!hostAddress.isEmpty())
        parts << QStringLiteral("ホスト %1").arg(hostAddress);
    const QString port = option(QStringLiteral("port"));
    if (!port.isEmpty())
        parts << QStringLiteral("ポート %1").arg(port);
    const QString database = option(QStringLiteral("dbname"));
    if (!database.isEmpty())
        parts << QStringLiteral("データベース %1").arg(database);
    const QString user = option(QStringLiteral("user"));
    if (!user.isEmpty())
        parts << QStringLiteral("ユーザー %1").arg(user);
    return parts.isEmpty() ? QStringLiteral("既定の接続先") : parts.join(QStringLiteral("、"));
}

QString ServerAddress::connectOptions() const
{
    QStringList pairs;
    bool timeoutGiven = false;
    for (const auto& [keyword, value] : options_) {
        if (hasSetter(keyword))
            continue;
        timeoutGiven = timeoutGiven || keyword == QStringLiteral("connect_timeout");
        pairs << keyword + QLatin1Char('=') + quoted(value);
    }
    if (!timeoutGiven)
        pairs << QStringLiteral("connect_timeout=") + quoted(ShortTimeout);
    return pairs.join(QLatin1Char(';'));
}

QString ServerAddress::open(const QString& connectionName) const
{
    const QString server = QStringLiteral("PostgreSQL サーバー（%1）").arg(describe());
    if (!QSqlDatabase::isDriverAvailable(Driver))
        return QStringLiteral("%1に接続できません: PostgreSQL 用のドライバー（libqt6sql6-psql）が入っていません。")
            .arg(server);
    QString failure;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(Driver, connectionName);
        db.setHostName(option(QStringLiteral("host")));
        db.setDatabaseName(option(QStringLiteral("dbname")));
        db.setUserName(option(QStringLiteral("user")));
        db.setPassword(option(QStringLiteral("password")));
        QString options = connectOptions();
        const QString port = option(QStringLiteral("port"));
        bool portIsNumber = false;
        const int portNumber = port.toInt(&portIsNumber);
        if (portIsNumber)
            db.setPort(portNumber);
        else if (!port.isEmpty()) // a list, one port for each host
            options += QStringLiteral(";port=") + quoted(port);
        db.setConnectOptions(options);
        if (db.open())
            return QString();
        const QSqlError error = db.lastError();
        // libpq indents its hint lines with a tab, which a message box shows as a wide gap.
        QStringList lines = (error.databaseText().isEmpty() ? error.text() : error.databaseText())
                                .split(QLatin1Char('\n'), Qt::SkipEmptyParts);
        for (QString& line : lines)
            line = line.trimmed();
        failure = lines.join(QLatin1Char('\n'));
    }
    QSqlDatabase::removeDatabase(connectionName);
    return QStringLiteral("%1に接続できません。\n%2").arg(server, failure);
}
