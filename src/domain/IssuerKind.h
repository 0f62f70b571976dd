#pragma once
#include <QString>
#include <QStringList>

// Who issues the receipts, as far as tax and stamp duty go.
enum class IssuerKind {
    Unregistered, // 免税事業者: no registration number (the stored default)
    Qualified,    // 適格請求書発行事業者: prints its registration number
    NonProfit,    // 非営利の団体: its receipts bear no stamp duty
};

namespace IssuerKinds {
QString key(IssuerKind kind);               // "unregistered", "qualified", "nonprofit"
IssuerKind fromKey(const QString& key);     // anything unknown is Unregistered
QString label(IssuerKind kind);             // as the settings tab lists them
QStringList labels();                       // in the order of the enum
} // namespace IssuerKinds
