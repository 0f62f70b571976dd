#pragma once
#include "store/StoreResult.h"

#include <QString>

// The one entry to every message box. True only when a Yes/No question was answered Yes;
// an unknown kind or sub-kind shows nothing and gives false.
bool ShowMsg(const QString& kind, const QString& subKind, const QString& text);

// A failed write: the change was rolled back; tells the user why.
void ShowWriteFailure(const QString& what, const QString& reason);

// A save that wrote nothing: one refused because what the screen loaded was registered anew
// since (StoreResult::outdated) asks whether to reload, and is true when the user wants the
// stored data in place of the screen's edits; any other failure is told as ShowWriteFailure.
bool ShowSaveFailure(const QString& what, const StoreResult& failure);
