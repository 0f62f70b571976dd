#pragma once
#include "app/MainWindowLayout.h"
#include "app/Version.h"

#include <QString>

class QWidget;

// The main window's run-time set-up (FormInit): texts, the data controls on the work tables,
// the receipt date's place and pattern by the era setting, grid columns and list items.
namespace MainWindowInit {
inline const QString VersionLine = VersionCaption;
inline const QString FreeUseLine = QStringLiteral("このソフトウェアはどなたでも無料で自由にお使いいただけます。");
inline const QString SupportText = QStringLiteral("質問は下のバナーをクリックしてモルベクフリー掲示板へ");

// Makes the data controls (once; children of `window`) and puts them into `panels`.
void apply(QWidget* window, MainWindowLayout::Panels& panels, const QString& settingEra);

// Re-reads the three data controls' tables (after the work tables were rebuilt).
void refreshDataControls(const MainWindowLayout::Panels& panels);
} // namespace MainWindowInit
