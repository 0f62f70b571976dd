#include "printing/ReceiptForm.h"

#include "domain/Clock.h"
#include "receipt/ReceiptFormat.h"
#include "store/Connections.h"
#include "store/ReceiptNumbers.h"
#include "ui/DateBox.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>

void ReceiptForm::Clear領収フォーム(const SettingCopies& settings)
{
    panel_.name->setText(QString());
    panel_.date->setDate(Clock::today());
    panel_.proviso->setText(ReceiptFormat::defaultProviso());
    panel_.amount->setText(QString());
    panel_.companyName->setText(settings.SettingCompanyName);
    panel_.companyInfo->setPlainText(settings.SettingCompanyInfo);
    showNextNumber();
}

void ReceiptForm::showNextNumber()
{
    QLabel* label = panel_.number;
    // An unreadable counter shows "No." alone rather than a number that may be taken.
    const std::optional<qint64> next = ReceiptNumbers(Connections::mainDb()).next().number;
    label->setText(QStringLiteral("No.") + (next ? ReceiptFormat::number(*next) : QString()));
    // "No." and five digits or more are wider than the box the form gives the label: it grows
    // to the left, its right edge staying where the numbers line up, instead of cutting the "N".
    const int needed = label->sizeHint().width();
    if (needed > label->width()) {
        QRect box = label->geometry();
        box.setLeft(box.right() + 1 - needed);
        label->setGeometry(box);
    }
}
