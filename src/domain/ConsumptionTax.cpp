#include "domain/ConsumptionTax.h"

#include "domain/AmountText.h"
#include "domain/KeyedNames.h"

namespace ConsumptionTax {

namespace {
constexpr KeyedNames<TaxClass, 5> classNames{{{
    {TaxClass::None, "none", "表示なし"},
    {TaxClass::Standard, "10", "10%"},
    {TaxClass::Reduced, "8", "8%（軽減税率）"},
    {TaxClass::Exempt, "exempt", "非課税"},
    {TaxClass::Outside, "outside", "不課税"},
}}};
constexpr KeyedNames<Rounding, 3> roundingNames{{{
    {Rounding::Down, "down", "切り捨て"},
    {Rounding::HalfUp, "half-up", "四捨五入"},
    {Rounding::Up, "up", "切り上げ"},
}}};
} // namespace

QString key(TaxClass taxClass) { return classNames.key(taxClass); }
std::optional<TaxClass> fromKey(const QString& key) { return classNames.fromKey(key); }
QString label(TaxClass taxClass) { return classNames.label(taxClass); }
QStringList labels() { return classNames.labels(); }

QString labelOfKey(const QString& key)
{
    const std::optional<TaxClass> taxClass = fromKey(key);
    return taxClass ? label(*taxClass) : QString();
}

QString written(TaxClass taxClass) { return rate(taxClass) > 0 ? key(taxClass) : label(taxClass); }

std::optional<TaxClass> fromWritten(const QString& text)
{
    const QString plain = text.normalized(QString::NormalizationForm_KC).trimmed();
    for (const auto& names : classNames.names)
        if (plain.compare(QString::fromUtf8(names.key), Qt::CaseInsensitive) == 0 ||
            plain == QString::fromUtf8(names.label).normalized(QString::NormalizationForm_KC))
            return names.value;
    return std::nullopt;
}

QString key(Rounding rounding) { return roundingNames.key(rounding); }
Rounding roundingFromKey(const QString& key) { return roundingNames.fromKey(key).value_or(Rounding::Down); }
QString label(Rounding rounding) { return roundingNames.label(rounding); }
QStringList roundingLabels() { return roundingNames.labels(); }

int rate(TaxClass taxClass)
{
    switch (taxClass) {
    case TaxClass::Standard:
        return 10;
    case TaxClass::Reduced:
        return 8;
    default:
        return 0;
    }
}

qint64 contained(qint64 amount, int rate, Rounding rounding)
{
    // Whole numbers throughout: ten-digit amounts times the rate stay far inside 64 bits.
    const qint64 numerator = amount * rate;
    const qint64 denominator = 100 + rate;
    switch (rounding) {
    case Rounding::Down:
        return numerator / denominator;
    case Rounding::HalfUp:
        return (2 * numerator + denominator) / (2 * denominator);
    case Rounding::Up:
        return (numerator + denominator - 1) / denominator;
    }
    return 0;
}

bool printsLine(TaxClass taxClass) { return !line(taxClass, 0).isEmpty(); }

QString line(TaxClass taxClass, qint64 tax)
{
    const QString money = AmountText::YenSign + AmountText::grouped(tax);
    switch (taxClass) {
    case TaxClass::Standard:
        return QStringLiteral("（内消費税等 10%　") + money + QStringLiteral("）");
    case TaxClass::Reduced:
        return QStringLiteral("※軽減税率対象（内消費税等 8%　") + money + QStringLiteral("）");
    case TaxClass::Exempt:
        return QStringLiteral("（非課税）");
    default:
        return {};
    }
}

QString blankLine() { return QStringLiteral("（内消費税等 　　%　") + AmountText::YenSign + QStringLiteral("　　　　　　）"); }

} // namespace ConsumptionTax
