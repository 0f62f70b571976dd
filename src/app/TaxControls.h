#pragma once
#include "app/MainWindowLayout.h"

#include <QHash>

// The controls for tax and stamp duty, added after the window's fixed layout in space it leaves
// free: who issues, the registration number and the rounding on the settings page (left of the
// code lists), the category's default tax class beside the code list, and the run's tax class
// in the print options.
namespace TaxControls {
// `made` holds the controls of the fixed layout by name; fills the new members of `panels`.
void add(const QHash<QString, QWidget*>& made, MainWindowLayout::Panels& panels);
} // namespace TaxControls
