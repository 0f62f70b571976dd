#pragma once
#include <QString>

// The issuer's registration number for qualified invoices: 「T」 and 13 digits, the first of which
// is a check digit over the other twelve.
namespace RegistrationNumber {
enum class Verdict {
    Empty,           // nothing typed
    Valid,           // the shape and the check digit hold
    CheckDigitFails, // the shape holds; some numbers of individuals fail the check all the same
    Malformed,       // not 13 digits
};
struct Reading {
    Verdict verdict = Verdict::Empty;
    QString normalised; // "T" and 13 half-width digits; empty when malformed or empty
};
// Takes full-width characters, spaces anywhere and a missing 「T」.
Reading read(const QString& text);
// The check digit the twelve digits after it call for.
int checkDigit(const QString& twelveDigits);
} // namespace RegistrationNumber
