#pragma once
#include <QString>
#include <QStringList>

// Who issues the receipts, as far as tax and stamp duty go.
enum class IssuerKind {
    Unset,        // nothing chosen: receipts print no registration number, tax line or stamp box
    Qualified,    // 適格請求書発行事業者: prints its registration number
    Unregistered, // 免税事業者
    NonProfit,    // 非営利の団体: its receipts bear no stamp duty
};

namespace IssuerKinds {
QString key(IssuerKind kind);               // "", "qualified", "unregistered", "nonprofit"
IssuerKind fromKey(const QString& key);     // anything unknown is Unset
QString label(IssuerKind kind);             // as the settings tab lists them
QStringList labels();                       // in the order of the enum
} // namespace IssuerKinds
