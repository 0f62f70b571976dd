#pragma once
#include <QString>

#include <optional>

// Box styles: buttons, icon and default button.
enum class MessageStyle {
    AskYes, // Yes/No, question, Yes preselected
    AskNo,  // Yes/No, question, No preselected
    Info,   // OK, information
    Warn,   // OK, exclamation
};

struct MessageBoxSpec {
    QString title;
    QString prompt;
    MessageStyle style = MessageStyle::Info;
};

namespace MessageCatalogue {
// The box for (kind, sub-kind) with `text` spliced in, or nothing when the catalogue has no such row.
// Keys are matched exactly: no trimming, case and width count.
std::optional<MessageBoxSpec> find(const QString& kind, const QString& subKind, const QString& text);
} // namespace MessageCatalogue
