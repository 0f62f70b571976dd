#pragma once
#include <QString>

// The one entry to every message box. True only when a Yes/No question was answered Yes;
// an unknown kind or sub-kind shows nothing and gives false.
bool ShowMsg(const QString& kind, const QString& subKind, const QString& text);

// A failed write: the change was rolled back; tells the user why.
void ShowWriteFailure(const QString& what, const QString& reason);
