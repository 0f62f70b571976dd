#include "printing/ReceiptForm.h"

#include "ui/Clock.h"
#include "messages/ShowMsg.h"
#include "printing/ReceiptFormat.h"
#include "settings/ReceiptCounter.h"
#include "settings/SettingCopies.h"
#include "ui/DateBox.h"

#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

void ReceiptForm::attach()
{
    QObject::connect(&ReceiptCounterSignals::instance(), &ReceiptCounterSignals::lastNumberRaised, window_,
                     [this] { showNextNumber(); });
    QObject::connect(&ReceiptCounterSignals::instance(), &ReceiptCounterSignals::writeFailed, window_,
                     [](const QString& reason) { ShowWriteFailure(QStringLiteral("領収証番号"), reason); });
}

void ReceiptForm::Clear領収フォーム()
{
    if (auto* name = window_->findChild<QLabel*>(QStringLiteral("Lbl領収証氏名")))
        name->setText(QString());
    if (auto* date = window_->findChild<DateBox*>(QStringLiteral("Dt領収日付")))
        date->setDate(Clock::today());
    if (auto* proviso = window_->findChild<QLineEdit*>(QStringLiteral("txt領収証但書")))
        proviso->setText(ReceiptFormat::defaultProviso());
    if (auto* amount = window_->findChild<QLineEdit*>(QStringLiteral("txt領収額")))
        amount->setText(QString());
    if (auto* company = window_->findChild<QLineEdit*>(QStringLiteral("txt自社名領収証")))
        company->setText(SettingCopies::current().SettingCompanyName);
    if (auto* info = window_->findChild<QPlainTextEdit*>(QStringLiteral("txt自社情報領収証")))
        info->setPlainText(SettingCopies::current().SettingCompanyInfo);
    showNextNumber();
}

void ReceiptForm::showNextNumber()
{
    auto* label = window_->findChild<QLabel*>(QStringLiteral("Lbl領収証番号"));
    if (!label)
        return;
    // An unreadable counter shows "No." alone rather than a number that may be taken.
    const QVariant next = Access自社情報(QStringLiteral("領収証番号"), QStringLiteral("Get"), 0);
    bool isNumber = false;
    const qint64 number = next.toLongLong(&isNumber);
    label->setText(QStringLiteral("No.") + (isNumber ? ReceiptFormat::number(number) : QString()));
    // "No." and five digits or more are wider than the box the form gives the label: it grows
    // to the left, its right edge staying where the numbers line up, instead of cutting the "N".
    const int needed = label->sizeHint().width();
    if (needed > label->width()) {
        QRect box = label->geometry();
        box.setLeft(box.right() + 1 - needed);
        label->setGeometry(box);
    }
}
