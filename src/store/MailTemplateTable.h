#pragma once
#include "store/StoreResult.h"

#include <QString>

#include <optional>

// The subject, text and sender address of the messages receipts are mailed with, kept beside
// the settings in 自社情報 (first row) on MainDb. Saved from their own dialog under their own
// version (SavedVersions::mailTemplate), so that the settings tab's save never touches them.
namespace MailTemplateTable {

struct Stored {
    std::optional<QString> subject; // nothing: never saved
    std::optional<QString> body;
    QString from;
    qint64 version = 0; // as loaded, for the save
};
// Nothing when the table cannot be read.
std::optional<Stored> read();
// Refused, writing nothing, when another screen or computer saved them since `loaded`.
StoreResult write(const QString& subject, const QString& body, const QString& from, std::optional<qint64> loaded,
                  qint64* saved = nullptr);

} // namespace MailTemplateTable
