#include "register/ArchiveFolderChoice.h"

#include "messages/ShowMsg.h"
#include "store/ArchiveFolder.h"
#include "store/Connections.h"
#include "store/PdfArchive.h"

#include <QDir>
#include <QCursor>
#include <QGuiApplication>

namespace ArchiveFolderChoice {

namespace {
void warn(const QString& text) { ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"), text); }
} // namespace

std::optional<QString> moveTo(const QString& folder)
{
    const PdfArchive current = PdfArchive::ofOpenData();
    const QString target = QDir::cleanPath(QDir(folder).absolutePath());
    const QString source = QDir::cleanPath(QDir(current.folder()).absolutePath());
    if (target == source)
        return QStringLiteral("保存フォルダは変わりません：") + QDir::toNativeSeparators(target);
    // Copying a folder into itself would never end.
    if (target.startsWith(source + QLatin1Char('/'))) {
        warn(QStringLiteral("いまの保存フォルダの中は、新しい保存フォルダにできません。"));
        return std::nullopt;
    }
    if (!ShowMsg(QStringLiteral("その他"), QStringLiteral("確認"),
                 QStringLiteral("PDF の保存フォルダを %1 に変えます。これまでの保存ファイルは新しいフォルダに写し、"
                                "元のフォルダにもそのまま残します")
                     .arg(QDir::toNativeSeparators(target))))
        return std::nullopt;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    qint64 copied = 0;
    const QString error = current.copyInto(target, &copied);
    QGuiApplication::restoreOverrideCursor();
    if (!error.isEmpty()) {
        warn(QStringLiteral("保存フォルダを変えられませんでした。いままでの保存フォルダを使います。\n") + error);
        return std::nullopt;
    }
    if (const StoreResult stored = ArchiveFolder::write(Connections::mainDb(), target); !stored) {
        warn(QStringLiteral("保存フォルダを記録できませんでした。いままでの保存フォルダを使います。\n") + stored.error);
        return std::nullopt;
    }
    return QStringLiteral("保存フォルダを変えました（写したファイル %1 件）：%2").arg(copied).arg(QDir::toNativeSeparators(target));
}

} // namespace ArchiveFolderChoice
