#include "ScriptedMessagePresenter.h"

bool ScriptedMessagePresenter::present(const MessageBoxSpec& box)
{
    shown.append(box);
    return answers.isEmpty() ? fallback : answers.takeFirst();
}

ScriptedMessagePresenter& ScriptedMessagePresenter::install()
{
    auto presenter = std::make_unique<ScriptedMessagePresenter>();
    ScriptedMessagePresenter& ref = *presenter;
    MessagePresenter::install(std::move(presenter));
    return ref;
}
