#pragma once
#include <QString>
#include <QStringList>

#include <optional>

// The consumption tax a receipt shows: its class, the tax contained in an amount paid, and the
// line printed for it.
namespace ConsumptionTax {

enum class TaxClass : quint8 { None, Standard, Reduced, Exempt, Outside };
enum class Rounding { Down, HalfUp, Up };

// Stored and command-line keys: "none", "10", "8", "exempt", "outside".
QString key(TaxClass taxClass);
std::optional<TaxClass> fromKey(const QString& key);
// What the screens show: 表示なし, 10%, 8%（軽減税率）, 非課税, 不課税 (in the order of the enum).
QString label(TaxClass taxClass);
QStringList labels();
QString labelOfKey(const QString& key); // empty for an unknown key
// A class as a member list file writes it: "10", "8", 非課税, 不課税, 表示なし. Read back from
// that, from a key or from a label, full-width forms and stray spaces included.
QString written(TaxClass taxClass);
std::optional<TaxClass> fromWritten(const QString& text);

QString key(Rounding rounding);
Rounding roundingFromKey(const QString& key); // anything unknown rounds down
QString label(Rounding rounding);             // 切り捨て, 四捨五入, 切り上げ
QStringList roundingLabels();

// The rate in percent; 0 for the classes without tax.
int rate(TaxClass taxClass);
// The tax in an amount paid, tax included: amount × rate / (100 + rate), rounded once.
qint64 contained(qint64 amount, int rate, Rounding rounding);
// True when the class prints a tax line on the receipt.
bool printsLine(TaxClass taxClass);
// The line under the amount: 「（内消費税等 10%　¥1,090）」, 「※軽減税率対象（内消費税等 8%　¥888）」,
// 「（非課税）」; empty for 不課税 and 表示なし.
QString line(TaxClass taxClass, qint64 tax);
// The line of a blank form, to be filled in by hand.
QString blankLine();

} // namespace ConsumptionTax
