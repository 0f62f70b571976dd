#include "settings/SettingsBlock.h"

#include "messages/ShowMsg.h"
#include "settings/ReceiptCounter.h"
#include "settings/SettingCopies.h"
#include "settings/StoredSettings.h"
#include "store/CompanyTable.h"
#include "ui/NumberBox.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

namespace SettingsBlock {

namespace {

template <class T> T* find(QWidget* window, const char* name)
{
    return window->findChild<T*>(QString::fromUtf8(name));
}

void showEra(QWidget* window, const QString& era)
{
    auto* list = find<QComboBox>(window, "cmb年号");
    if (!list)
        return;
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
} // namespace

void setUpNumberBox(QWidget* window)
{
    if (auto* number = find<NumberBox>(window, "num領収証番号"))
        number->setRange(0, LargestReceiptNumber);
}

void read(QWidget* window)
{
    SettingCopies& copies = SettingCopies::current();
    const std::optional<StoredSettings> stored = StoredSettings::read();
    if (!stored) { // empty or unreadable: the screen keeps what it shows
        copies.SettingEra = StoredSettings::DefaultEra;
        return;
    }
    copies.SettingEra = stored->era;
    showEra(window, copies.SettingEra);
    copies.SettingCompanyName = stored->companyName;
    if (auto* name = find<QLineEdit>(window, "txt自社名"))
        name->setText(copies.SettingCompanyName);
    copies.SettingCompanyInfo = stored->companyInfo;
    if (auto* info = find<QPlainTextEdit>(window, "txt自社情報"))
        info->setPlainText(copies.SettingCompanyInfo);
    if (auto* number = find<NumberBox>(window, "num領収証番号"))
        showStoredNumber(number, stored->lastReceiptNumber);
}

bool entry(QWidget* window)
{
    auto* name = find<QLineEdit>(window, "txt自社名");
    auto* info = find<QPlainTextEdit>(window, "txt自社情報");
    auto* era = find<QComboBox>(window, "cmb年号");
    auto* number = find<NumberBox>(window, "num領収証番号");
    if (!name || !info || !era || !number)
        return false;
    CompanySettingsRecord record;
    record.自社名 = name->text();
    record.自社情報 = info->toPlainText();
    record.年号 = era->currentText();
    // An empty box (after "クリア") means no number was entered: the stored counter stays, so
    // that clearing the screen and saving it cannot restart the receipts at 1.
    if (number->isEmpty()) {
        const std::optional<CompanySettingsRecord> stored = CompanyTable::readFirst();
        record.領収証番号 = stored ? stored->領収証番号 : QVariant();
    } else {
        record.領収証番号 = number->value();
    }
    const StoreResult result = CompanyTable::writeFirst(record);
    if (!result)
        ShowWriteFailure(QStringLiteral("設定"), result.error);
    return result.ok;
}

void clearFields(QWidget* window)
{
    if (auto* name = find<QLineEdit>(window, "txt自社名"))
        name->clear();
    if (auto* info = find<QPlainTextEdit>(window, "txt自社情報"))
        info->clear();
    if (auto* number = find<NumberBox>(window, "num領収証番号"))
        number->clear();
}

void followCounter(QWidget* window)
{
    auto* number = find<NumberBox>(window, "num領収証番号");
    if (!number)
        return;
    QObject::connect(&ReceiptCounterSignals::instance(), &ReceiptCounterSignals::lastNumberRaised, number,
                     [number](qint64 lastNumber) {
                         if (lastNumber > number->maximum())
                             number->clear(); // a save then keeps the stored number
                         else if (number->isEmpty() || number->value() < lastNumber)
                             number->setValue(lastNumber);
                     });
}

} // namespace SettingsBlock
