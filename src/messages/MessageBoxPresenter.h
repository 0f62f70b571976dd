#pragma once
#include "messages/MessagePresenter.h"

// The real presenter: a QMessageBox with the catalogue's buttons, icon and default button.
class MessageBoxPresenter : public MessagePresenter {
public:
    bool present(const MessageBoxSpec& box) override;
};
