#include "messages/MessagePresenter.h"

#include "messages/MessageBoxPresenter.h"

namespace {
std::unique_ptr<MessagePresenter>& slot()
{
    static std::unique_ptr<MessagePresenter> presenter = std::make_unique<MessageBoxPresenter>();
    return presenter;
}
} // namespace

MessagePresenter& MessagePresenter::current() { return *slot(); }

void MessagePresenter::install(std::unique_ptr<MessagePresenter> presenter)
{
    slot() = presenter ? std::move(presenter) : std::make_unique<MessageBoxPresenter>();
}
