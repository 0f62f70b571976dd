#pragma once
#include <QString>
#include <QStringList>
#include <QTemporaryDir>

// A throw-away PostgreSQL cluster for tests: created in a temporary folder, reachable only
// through a Unix socket in that folder, with trust authentication for the user "postgres", and
// gone with the object. PostgreSQL refuses to run as root, so under root its programs run as the
// "postgres" user of the Debian package.
class PgServer {
public:
    // Why no server can be made here (PostgreSQL or the QPSQL driver not installed); empty when
    // one can. Tests skip with this reason.
    static QString missing();

    PgServer() = default;
    ~PgServer();
    PgServer(const PgServer&) = delete;
    PgServer& operator=(const PgServer&) = delete;

    // Creates the cluster at the first call, then starts the server and waits until it takes
    // connections. Returns "" or what went wrong, with the programs' output.
    QString start();
    // start() when missing() is empty; else missing(): "" or why there is no server.
    QString startIfInstalled() { return missing().isEmpty() ? start() : missing(); }
    // Stops the server (fast shutdown: open connections are cut); the cluster stays for start().
    QString stop();

    // Returns "" or what went wrong.
    QString createDatabase(const QString& name) const;
    // A connection text (libpq key/value) for that database through the socket folder.
    QString connection(const QString& database) const;

private:
    // Runs a PostgreSQL program of the server's bin folder, as "postgres" when we are root.
    QString run(const QString& program, const QStringList& arguments) const;
    QString dataFolder() const { return dir_.path() + QStringLiteral("/data"); }

    QTemporaryDir dir_;
    bool created_ = false;
    bool running_ = false;
};
