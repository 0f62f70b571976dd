#include "settings/SettingsBlock.h"

#include "domain/RegistrationNumber.h"
#include "messages/ShowMsg.h"
#include "settings/SealSettings.h"
#include "settings/StoredSettings.h"
#include "store/CompanyTable.h"
#include "store/Connections.h"
#include "store/ReceiptNumbers.h"
#include "store/SealTable.h"
#include "store/WorkTableProtocol.h"
#include "ui/NumberBox.h"

#include <QAbstractItemView>
#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>

namespace SettingsBlock {

namespace {

void showEra(QComboBox* list, const QString& era)
{
    const int index = list->findText(era);
    if (index >= 0)
        list->setCurrentIndex(index);
}

// The stored last receipt number, whole; one the box cannot hold leaves it empty, which a save
// reads as "keep the stored number", so that nothing lowers the counter behind the user's back.
void showStoredNumber(NumberBox* box, const QVariant& stored)
{
    if (stored.isNull()) {
        box->setValue(1);
        return;
    }
    bool isNumber = false;
    const qint64 number = stored.toString().toLongLong(&isNumber);
    if (isNumber && number >= box->minimum() && number <= box->maximum()) {
        box->setValue(number);
        return;
    }
    box->clear();
    ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"),
            QStringLiteral("保存されている領収証番号「%1」はこの欄に表示できません。\n"
                           "欄は空のままです。登録しても保存されている番号は変わりません。")
                .arg(stored.toString()));
}

// The registration number to store, normalised, or nothing when the save must stop (the user
// has been told why, or answered No).
std::optional<QString> registrationNumberToStore(const Panel& panel)
{
    const QString typed = panel.registrationNumber->text();
    const RegistrationNumber::Reading reading = RegistrationNumber::read(typed);
    const bool qualified = IssuerKind(panel.issuer->currentIndex()) == IssuerKind::Qualified;
    auto refuse = [&panel](const QString& why) {
        ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"), why);
        panel.registrationNumber->setFocus(Qt::OtherFocusReason);
        return std::nullopt;
    };
    switch (reading.verdict) {
    case RegistrationNumber::Verdict::Empty:
        if (qualified)
            return refuse(QStringLiteral("適格請求書発行事業者の登録番号を入力してください（「T」と 13 桁の数字）。"));
        return QString();
    case RegistrationNumber::Verdict::Malformed:
        return refuse(QStringLiteral("登録番号「%1」は「T」と 13 桁の数字ではありません。登録しませんでした。").arg(typed));
    case RegistrationNumber::Verdict::CheckDigitFails:
        // Some numbers of individuals do not follow the check digit: the user decides.
        if (!ShowMsg(QStringLiteral("その他"), QStringLiteral("破棄確認"),
                     QStringLiteral("登録番号「%1」は先頭の検査用の数字が合いません。"
                                    "番号を確かめてください。このまま登録します")
                         .arg(reading.normalised))) {
            panel.registrationNumber->setFocus(Qt::OtherFocusReason);
            return std::nullopt;
        }
        return reading.normalised;
    case RegistrationNumber::Verdict::Valid:
        return reading.normalised;
    }
    return std::nullopt;
}
} // namespace

void setUpNumberBox(const Panel& panel) { panel.lastNumber->setRange(0, LargestReceiptNumber); }

void setUpTaxLists(const Panel& panel)
{
    panel.issuer->addItems(IssuerKinds::labels());
    panel.rounding->addItems(ConsumptionTax::roundingLabels());
    // The box is narrow; its list shows the names whole.
    panel.issuer->view()->setMinimumWidth(panel.issuer->sizeHint().width());
}

void read(const Panel& panel, SettingCopies& copies)
{
    // The version first: a save registered before the settings are read then refuses this
    // screen's save instead of being overwritten by it.
    if (const StoreResult marked = WorkTableProtocol::markSettingsLoaded(); !marked)
        ShowWriteFailure(QStringLiteral("設定の版"), marked.error);
    if (panel.seal)
        panel.seal->show(SealTable::read(Connections::mainDb()));
    const std::optional<StoredSettings> stored = StoredSettings::read();
    if (!stored) { // empty or unreadable: the screen keeps what it shows
        copies.SettingEra = StoredSettings::DefaultEra;
        return;
    }
    copies.SettingEra = stored->era;
    showEra(panel.era, copies.SettingEra);
    copies.SettingCompanyName = stored->companyName;
    panel.companyName->setText(copies.SettingCompanyName);
    copies.SettingCompanyInfo = stored->companyInfo;
    panel.companyInfo->setPlainText(copies.SettingCompanyInfo);
    showStoredNumber(panel.lastNumber, stored->lastReceiptNumber);
    panel.issuer->setCurrentIndex(int(stored->issuer));
    panel.registrationNumber->setText(stored->registrationNumber);
    panel.rounding->setCurrentIndex(int(stored->rounding));
}

bool entry(const Panel& panel)
{
    NumberBox* number = panel.lastNumber;
    const std::optional<QString> registration = registrationNumberToStore(panel);
    if (!registration)
        return false;
    CompanySettingsRecord record;
    const QString issuer = IssuerKinds::key(IssuerKind(panel.issuer->currentIndex()));
    record.事業者区分 = issuer.isEmpty() ? QVariant() : QVariant(issuer);
    record.登録番号 = registration->isEmpty() ? QVariant() : QVariant(*registration);
    record.端数処理 = ConsumptionTax::key(ConsumptionTax::Rounding(panel.rounding->currentIndex()));
    record.自社名 = panel.companyName->text();
    record.自社情報 = panel.companyInfo->toPlainText();
    record.年号 = panel.era->currentText();
    // An empty box (after "クリア") means no number was entered: the stored counter stays, so
    // that clearing the screen and saving it cannot restart the receipts at 1.
    if (number->isEmpty()) {
        const std::optional<CompanySettingsRecord> stored = CompanyTable::readFirst();
        record.領収証番号 = stored ? stored->領収証番号 : QVariant();
    } else {
        record.領収証番号 = number->value();
    }
    // A number in the register is never given again, so a counter below the highest one there
    // could not take effect: it is stored at that number, and the user is told why.
    const std::optional<qint64> registered =
        number->isEmpty() ? std::nullopt : ReceiptNumbers(Connections::mainDb()).highestRegistered();
    const qint64 highest = registered.value_or(0);
    const bool raised = registered && number->value() < highest;
    if (raised)
        record.領収証番号 = highest;
    const StoreResult result = panel.seal ? WorkTableProtocol::registerSettings(record, panel.seal->current())
                                          : WorkTableProtocol::registerSettings(record);
    if (!result) {
        SettingCopies reread; // the receipt form's copies change with the window's own reading only
        if (ShowSaveFailure(QStringLiteral("設定"), result))
            read(panel, reread);
        return false;
    }
    panel.registrationNumber->setText(*registration);
    if (raised) {
        const qint64 entered = number->value();
        number->setValue(highest);
        ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"),
                QStringLiteral("領収証番号 %1 は発行記録にある番号より小さいため、%2 として登録しました。\n"
                               "発行記録にある番号は二度と使わないので、次の領収証の番号は %3 です。")
                    .arg(entered)
                    .arg(highest)
                    .arg(highest + 1));
    }
    return true;
}

void clearFields(const Panel& panel)
{
    panel.companyName->clear();
    panel.companyInfo->clear();
    panel.lastNumber->clear();
    panel.issuer->setCurrentIndex(0);
    panel.registrationNumber->clear();
    panel.rounding->setCurrentIndex(0);
    if (panel.seal)
        panel.seal->clear();
}

void followCounter(const Panel& panel)
{
    const std::optional<StoredSettings> stored = StoredSettings::read();
    bool isNumber = false;
    const qint64 lastNumber = stored ? stored->lastReceiptNumber.toString().toLongLong(&isNumber) : 0;
    if (!isNumber)
        return;
    NumberBox* number = panel.lastNumber;
    if (lastNumber > number->maximum())
        number->clear(); // a save then keeps the stored number
    else if (number->isEmpty() || number->value() < lastNumber)
        number->setValue(lastNumber);
}

} // namespace SettingsBlock
