#include "domain/IssuerKind.h"

#include "domain/KeyedNames.h"

namespace IssuerKinds {

namespace {
constexpr KeyedNames<IssuerKind, 4> names{{{
    {IssuerKind::Unset, "", "（設定しない）"},
    {IssuerKind::Qualified, "qualified", "適格請求書発行事業者"},
    {IssuerKind::Unregistered, "unregistered", "免税事業者"},
    {IssuerKind::NonProfit, "nonprofit", "非営利の団体"},
}}};
} // namespace

QString key(IssuerKind kind) { return names.key(kind); }
IssuerKind fromKey(const QString& key) { return names.fromKey(key).value_or(IssuerKind::Unset); }
QString label(IssuerKind kind) { return names.label(kind); }
QStringList labels() { return names.labels(); }

} // namespace IssuerKinds
