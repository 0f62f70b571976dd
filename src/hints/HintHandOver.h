#pragma once
#include <QString>

// The key a hint button hands to the hint window with each press.
struct HintHandOver {
    QString HintFormName;  // name of the asking window, e.g. "Frm領収証"
    QString HintCtlName;   // name of the pressed button, e.g. "cmdHint"
    QString HintFormTitle; // caption of the asking window
};
