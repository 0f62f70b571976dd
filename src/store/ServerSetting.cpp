#include "store/ServerSetting.h"

#include "domain/UserSettings.h"

#include <QSettings>

namespace ServerSetting {

namespace {

const QString Key = QStringLiteral("server/connection");

QSettings userSettings()
{
    return QSettings(UserSettings::path(), QSettings::IniFormat);
}

} // namespace

QString storedText() { return userSettings().value(Key).toString(); }

std::optional<ServerAddress> load(QString* error)
{
    error->clear();
    const QString text = storedText();
    if (text.trimmed().isEmpty())
        return std::nullopt;
    QString reason;
    std::optional<ServerAddress> server = ServerAddress::parse(text, &reason);
    if (!server)
        *error = QStringLiteral("設定ファイルのサーバーの接続先「%1」を使えません。\n%2").arg(text, reason);
    return server;
}

QString store(const std::optional<ServerAddress>& server)
{
    if (server && server->holdsPassword())
        return QStringLiteral("接続先にパスワードが含まれているため保存できません。パスワードは接続先に書かず、"
                              "~/.pgpass かサービスファイル（~/.pg_service.conf）に書いてください。");
    QSettings settings = userSettings();
    settings.setValue(Key, server ? server->text() : QString());
    settings.sync();
    if (settings.status() != QSettings::NoError)
        return QStringLiteral("設定ファイル %1 に書き込めません。").arg(settings.fileName());
    return QString();
}

} // namespace ServerSetting
