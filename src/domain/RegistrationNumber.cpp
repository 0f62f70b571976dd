#include "domain/RegistrationNumber.h"

namespace RegistrationNumber {

int checkDigit(const QString& twelveDigits)
{
    // Weights 1 and 2 alternate from the rightmost digit.
    int sum = 0;
    for (qsizetype i = 0; i < twelveDigits.size(); ++i) {
        const int fromRight = int(twelveDigits.size() - i);
        sum += twelveDigits.at(i).digitValue() * (fromRight % 2 == 1 ? 1 : 2);
    }
    return 9 - sum % 9;
}

Reading read(const QString& text)
{
    // Compatibility folding turns full-width digits, letters and spaces into plain ones.
    QString folded = text.normalized(QString::NormalizationForm_KC);
    folded.removeIf([](QChar c) { return c.isSpace(); });
    if (folded.isEmpty())
        return {};
    if (folded.startsWith(QLatin1Char('T'), Qt::CaseInsensitive))
        folded.remove(0, 1);
    const bool thirteenDigits =
        folded.size() == 13 && std::all_of(folded.cbegin(), folded.cend(), [](QChar c) {
            return c >= QLatin1Char('0') && c <= QLatin1Char('9');
        });
    if (!thirteenDigits)
        return {Verdict::Malformed, {}};
    const QString normalised = QLatin1Char('T') + folded;
    const bool checks = folded.at(0).digitValue() == checkDigit(folded.mid(1));
    return {checks ? Verdict::Valid : Verdict::CheckDigitFails, normalised};
}

} // namespace RegistrationNumber
