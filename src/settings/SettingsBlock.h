#pragma once
#include "settings/SettingCopies.h"
#include "store/ReceiptNumbers.h"

#include <QtGlobal>

class NumberBox;
class SealSettings;
class QComboBox;
class QLineEdit;
class QPlainTextEdit;

// The own-company settings block of the settings page (txt自社名, txt自社情報, cmb年号,
// num領収証番号) against the first row of 自社情報, and the settings copies.
namespace SettingsBlock {

struct Panel {
    QLineEdit* companyName = nullptr;      // txt自社名
    QPlainTextEdit* companyInfo = nullptr; // txt自社情報
    QComboBox* era = nullptr;              // cmb年号
    NumberBox* lastNumber = nullptr;       // num領収証番号
    QComboBox* issuer = nullptr;           // cmb事業者区分: IssuerKinds::labels()
    QLineEdit* registrationNumber = nullptr; // txt登録番号
    QComboBox* rounding = nullptr;         // cmb端数処理: ConsumptionTax::roundingLabels()
    SealSettings* seal = nullptr;          // the seal group; stored with the settings
};

// Fills the issuer and rounding lists.
void setUpTaxLists(const Panel& panel);

// Sets the box's range.
void setUpNumberBox(const Panel& panel);

// Shows the stored settings and sets `copies`; an empty table sets the era copy to "西暦"
// and leaves the screen as it is. A stored receipt number the box cannot hold is not shown
// (the user is told); the box stays empty, so that a save keeps the stored number.
void read(const Panel& panel, SettingCopies& copies);
// Saves the block into the stored row, all or nothing; a failure is shown to the user.
// False when nothing was saved. A receipt number below the highest one in the register is
// stored as that one (numbers in the register are never given again), and the user is told.
// A registration number that is not 「T」 and 13 digits is refused; one whose check digit fails
// is stored only when the user says so.
bool entry(const Panel& panel);
// Empties the company fields and the receipt number; the era list is left alone.
void clearFields(const Panel& panel);
// After a run went out: keeps num領収証番号 from showing less than the stored last receipt
// number, so that saving the settings never hands out numbers again.
void followCounter(const Panel& panel);
} // namespace SettingsBlock
