#include "settings/SettingsBlock.h"

#include "messages/ShowMsg.h"
#include "settings/ReceiptCounter.h"
#include "settings/SettingCopies.h"
#include "store/CompanyTable.h"
#include "ui/NumberBox.h"

#include <QComboBox>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QWidget>

namespace SettingsBlock {

namespace {
const QString Western = QStringLiteral("西暦");

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
} // namespace

void read(QWidget* window)
{
    SettingCopies& copies = SettingCopies::current();
    bool ok = false;
    const std::optional<CompanySettingsRecord> row = CompanyTable::readFirst(&ok);
    if (!row) { // empty or unreadable: the screen keeps what it shows
        copies.SettingEra = Western;
        return;
    }
    copies.SettingEra = row->年号.isNull() ? Western : row->年号.toString();
    showEra(window, copies.SettingEra);
    copies.SettingCompanyName = row->自社名.isNull() ? QString() : row->自社名.toString();
    if (auto* name = find<QLineEdit>(window, "txt自社名"))
        name->setText(copies.SettingCompanyName);
    copies.SettingCompanyInfo = row->自社情報.isNull() ? QString() : row->自社情報.toString();
    if (auto* info = find<QPlainTextEdit>(window, "txt自社情報"))
        info->setPlainText(copies.SettingCompanyInfo);
    if (auto* number = find<NumberBox>(window, "num領収証番号"))
        number->setValue(row->領収証番号.isNull() ? 1 : row->領収証番号.toLongLong());
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
                         if (number->isEmpty() || number->value() < lastNumber)
                             number->setValue(lastNumber);
                     });
}

} // namespace SettingsBlock
