#pragma once
#include "messages/MessagePresenter.h"

#include <QList>

// Records every box instead of showing it and answers from a script (then with `fallback`).
class ScriptedMessagePresenter : public MessagePresenter {
public:
    bool present(const MessageBoxSpec& box) override;

    QList<MessageBoxSpec> shown;
    QList<bool> answers; // answered in order: true = Yes
    bool fallback = true;

    // Installs a fresh scripted presenter and returns it; it stays installed until replaced.
    static ScriptedMessagePresenter& install();
};
