#pragma once
#include "messages/MessageCatalogue.h"

#include <memory>

// Shows one modal box and says whether it was answered Yes. Tests install a scripted one.
class MessagePresenter {
public:
    virtual ~MessagePresenter() = default;
    virtual bool present(const MessageBoxSpec& box) = 0;

    static MessagePresenter& current();
    // Replaces the presenter; a null pointer restores the real message box.
    static void install(std::unique_ptr<MessagePresenter> presenter);
};
