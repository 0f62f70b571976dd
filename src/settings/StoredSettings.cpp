#include "settings/StoredSettings.h"

#include "store/CompanyTable.h"

std::optional<StoredSettings> StoredSettings::read()
{
    const std::optional<CompanySettingsRecord> row = CompanyTable::readFirst();
    if (!row)
        return std::nullopt;
    auto text = [](const QVariant& value) { return value.isNull() ? QString() : value.toString(); };
    return StoredSettings{row->年号.isNull() ? DefaultEra : row->年号.toString(),
                          text(row->自社名),
                          text(row->自社情報),
                          row->領収証番号,
                          IssuerKinds::fromKey(text(row->事業者区分)),
                          text(row->登録番号),
                          ConsumptionTax::roundingFromKey(text(row->端数処理))};
}

void StoredSettings::fillIssuer(PrintRequest& request) const
{
    request.Issuer = issuer;
    request.RegistrationNumber = registrationNumber;
    request.TaxRounding = rounding;
}
