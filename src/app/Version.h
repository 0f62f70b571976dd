#pragma once
#include <QString>

// The version comes from the build's project(VERSION), so that it is written in one place.
inline const QString ProgramVersion = QStringLiteral(LEDRIUM_VERSION);
// The window caption and the first line of the version text: "LEDRIUM Ver 1.16".
inline const QString VersionCaption = QStringLiteral("LEDRIUM Ver ") + ProgramVersion;
