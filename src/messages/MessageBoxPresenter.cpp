#include "messages/MessageBoxPresenter.h"

#include <QApplication>
#include <QMessageBox>

bool MessageBoxPresenter::present(const MessageBoxSpec& box)
{
    QMessageBox message(QApplication::activeWindow());
    message.setWindowTitle(box.title);
    message.setText(box.prompt);
    switch (box.style) {
    case MessageStyle::AskYes:
    case MessageStyle::AskNo:
        message.setIcon(QMessageBox::Question);
        message.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
        message.setDefaultButton(box.style == MessageStyle::AskYes ? QMessageBox::Yes : QMessageBox::No);
        message.setEscapeButton(QMessageBox::No);
        break;
    case MessageStyle::Info:
    case MessageStyle::Warn:
        message.setIcon(box.style == MessageStyle::Info ? QMessageBox::Information : QMessageBox::Warning);
        message.setStandardButtons(QMessageBox::Ok);
        break;
    }
    return message.exec() == QMessageBox::Yes;
}
