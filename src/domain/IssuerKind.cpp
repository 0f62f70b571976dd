#include "domain/IssuerKind.h"

#include <array>

namespace IssuerKinds {

namespace {
struct Names {
    IssuerKind kind;
    const char* key;
    const char* label;
};
const std::array<Names, 4> names{{
    {IssuerKind::Unset, "", "（設定しない）"},
    {IssuerKind::Qualified, "qualified", "適格請求書発行事業者"},
    {IssuerKind::Unregistered, "unregistered", "免税事業者"},
    {IssuerKind::NonProfit, "nonprofit", "非営利の団体"},
}};
} // namespace

QString key(IssuerKind kind) { return QString::fromUtf8(names.at(std::size_t(kind)).key); }

IssuerKind fromKey(const QString& key)
{
    for (const Names& n : names)
        if (key == QString::fromUtf8(n.key))
            return n.kind;
    return IssuerKind::Unset;
}

QString label(IssuerKind kind) { return QString::fromUtf8(names.at(std::size_t(kind)).label); }

QStringList labels()
{
    QStringList all;
    for (const Names& n : names)
        all << QString::fromUtf8(n.label);
    return all;
}

} // namespace IssuerKinds
