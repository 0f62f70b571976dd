#include "store/WriteFailure.h"

#include <QCoreApplication>
#include <QDir>
#include <QFileDevice>
#include <QFileInfo>
#include <QSqlError>
#include <QStorageInfo>

#include <cerrno>

namespace WriteFailure {

namespace {

// Qt words a failed open, write or rename as the system's text for its error number, so the
// same text made from the number names the cause whatever the language of the system.
struct Known {
    int number;
    const char16_t* text;
};
constexpr Known knownCauses[] = {
    {ENOSPC, u"ディスクの空きがありません。不要なファイルを消すか、別の場所に保存してください。"},
    {EDQUOT, u"ディスクの使用量の上限に達しています。不要なファイルを消すか、別の場所に保存してください。"},
    {EFBIG, u"ファイルが大きすぎて、この場所には保存できません。"},
    {EACCES, u"書き込みが許されていません（アクセス権がありません）。"},
    {EPERM, u"書き込みが許されていません。"},
    {EROFS, u"読み取り専用のディスクには保存できません。"},
    {ENOENT, u"保存先のフォルダがありません。"},
    {ENOTDIR, u"保存先のフォルダがありません。"},
    {EISDIR, u"同じ名前のフォルダがあります。"},
    {ENAMETOOLONG, u"ファイル名が長すぎます。"},
    {EIO, u"ディスクの読み書きに失敗しました。"},
};

// The system's text for a failed open, write or rename, in Japanese.
QString reason(const QString& systemText)
{
    for (const Known& known : knownCauses)
        if (systemText == qt_error_string(known.number))
            return QString::fromUtf16(known.text);
    // A short write leaves no error behind, and Qt says "Unknown error".
    if (systemText.isEmpty() || systemText == QCoreApplication::translate("QIODevice", "Unknown error"))
        return QStringLiteral("書き込みが途中で止まりました。");
    return QStringLiteral("書き込めません（%1）。").arg(systemText);
}

} // namespace

QString describe(const QFileDevice& file, const QString& path, qint64 bytesNeeded)
{
    const QString folder = QFileInfo(path).absolutePath();
    const QStorageInfo volume(folder);
    // The save writes a whole copy beside the file before it replaces it. A short write sets no
    // error, so the room left is what tells.
    if (volume.isValid() && volume.bytesAvailable() < bytesNeeded + 64 * 1024) {
        QString room = QStringLiteral("%1 の空き：%2 KB").arg(QDir::toNativeSeparators(folder)).arg(volume.bytesAvailable() / 1024);
        if (bytesNeeded > 0) // unknown while the file is being opened
            room += QStringLiteral("、必要：%1 KB").arg((bytesNeeded + 1023) / 1024);
        return QStringLiteral("ディスクの空きが足りません（%1）。不要なファイルを消すか、別の場所に保存してください。").arg(room);
    }
    return reason(file.errorString());
}

QString describe(const QSqlError& error)
{
    // A PostgreSQL server names its errors by SQLSTATE.
    const QString state = error.nativeErrorCode();
    if (state.startsWith(QLatin1String("08")) || state.startsWith(QLatin1String("57P")) ||
        error.databaseText().contains(QLatin1String("server closed the connection")))
        return QStringLiteral("サーバーとの接続が切れました。サーバーが動いているか確かめて、もう一度行ってください。\n") +
               error.text();
    if (state == QLatin1String("53100"))
        return QStringLiteral("サーバーのディスクの空きがありません。サーバーの管理者に連絡してください。\n") + error.text();
    if (state == QLatin1String("42501"))
        return QStringLiteral("サーバーが書き込みを許していません（権限がありません）。サーバーの管理者に連絡してください。\n") +
               error.text();
    // SQLite's result codes, extended ones carry the primary code in their low byte. A failed
    // commit carries SQLite's text but no code.
    const int primary = error.nativeErrorCode().toInt() & 0xff;
    if (primary == 13 || error.databaseText() == QLatin1String("database or disk is full")) // SQLITE_FULL
        return QStringLiteral("ディスクの空きがありません。不要なファイルを消して空きを作ってから、もう一度行ってください。");
    // SQLITE_IOERR: the file system refused a write (a file size limit, a failing disk).
    if (primary == 10 || error.databaseText() == QLatin1String("disk I/O error"))
        return QStringLiteral("ディスクに書き込めませんでした（ディスクの空きがないか、ディスクに問題があります）。");
    return error.text();
}

} // namespace WriteFailure
