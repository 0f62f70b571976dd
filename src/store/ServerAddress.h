#pragma once
#include "store/Connections.h"

#include <QList>
#include <QString>

#include <optional>
#include <utility>

// A PostgreSQL server as the user gives it: anything libpq takes, a URI
// ("postgresql://kaikei@db/ledrium"), key/value pairs ("host=db dbname=ledrium") or "service=NAME".
// libpq's own parser reads it, so what connects here connects with psql too.
class ServerAddress {
public:
    // The address in `text`, or none with the reason (in Japanese, with libpq's own) in `error`.
    static std::optional<ServerAddress> parse(const QString& text, QString* error);

    // The text as the user gave it.
    QString text() const { return text_; }
    // Host or socket folder, port, database and user, for messages; never the password.
    QString describe() const;
    // Whether the text carries a password, which belongs in ~/.pgpass or a service file.
    bool holdsPassword() const { return !option(QStringLiteral("password")).isNull(); }

    // Opens a QPSQL connection of that name. Returns "" or the reason, naming the server; a
    // connection that failed is removed again.
    QString open(const QString& connectionName) const;
    // The server as the main data that Connections::open opens.
    MainServer asMainData() const
    {
        return {describe(), [address = *this](const QString& name) { return address.open(name); }};
    }

private:
    using Option = std::pair<QString, QString>;

    ServerAddress(const QString& text, const QList<Option>& options) : text_(text), options_(options) {}
    // The value given for a libpq keyword; null when the text does not set it.
    QString option(const QString& keyword) const;
    // Every option QSqlDatabase has no setter for, as "key='value';key='value'".
    QString connectOptions() const;

    QString text_;
    QList<Option> options_; // the options the text sets, in libpq's order
};
