#pragma once
#include "app/MainWindowLayout.h"

#include <QHash>

// The seal group of the settings page, added after the window's fixed layout in the free space
// under the tax controls, left of the code lists.
namespace SealControls {
// `made` holds the controls of the fixed layout by name; sets `panels.settings.seal`.
void add(const QHash<QString, QWidget*>& made, MainWindowLayout::Panels& panels);
} // namespace SealControls
