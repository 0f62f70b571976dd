#pragma once
class QWidget;

// The own-company settings block of the settings page (txt自社名, txt自社情報, cmb年号,
// num領収証番号) against the first row of 自社情報, and the settings copies.
#include <QtGlobal>

namespace SettingsBlock {
// The receipt numbers num領収証番号 takes: far beyond any real count, and far from where
// adding a run's receipts could overflow.
inline constexpr qint64 LargestReceiptNumber = 999'999'999'999'999;
// Sets the box's range.
void setUpNumberBox(QWidget* window);

// Shows the stored settings and sets the copies; an empty table sets the era copy to "西暦"
// and leaves the screen as it is. A stored receipt number the box cannot hold is not shown
// (the user is told); the box stays empty, so that a save keeps the stored number.
void read(QWidget* window);
// Saves the block into the stored row, all or nothing; a failure is shown to the user.
// False when nothing was saved.
bool entry(QWidget* window);
// Empties the company fields and the receipt number; the era list is left alone.
void clearFields(QWidget* window);
// Keeps num領収証番号 from showing less than the stored last receipt number once printing has
// raised it, so that saving the settings never hands out numbers again.
void followCounter(QWidget* window);
} // namespace SettingsBlock
