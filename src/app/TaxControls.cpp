#include "app/TaxControls.h"

#include "app/AddedControls.h"

#include "domain/ConsumptionTax.h"
#include "ui/ReadOnlyComboFilter.h"

#include <QComboBox>
#include <QLabel>
#include <QLineEdit>

namespace TaxControls {

namespace {
using AddedControls::caption;
using AddedControls::place;

QComboBox* list(QWidget* parent, const char* name, double left, double top, double width)
{
    auto* combo = place<QComboBox>(parent, name, left, top, width, 330, 9);
    ReadOnlyComboFilter::install(combo);
    return combo;
}
} // namespace

void add(const QHash<QString, QWidget*>& made, MainWindowLayout::Panels& panels)
{
    QWidget* settingsPage = made.value(QStringLiteral("imContainer3D4"));
    caption(settingsPage, "lbl事業者区分", QStringLiteral("事業者区分"), 60, 2200, 1260);
    panels.settings.issuer = list(settingsPage, "cmb事業者区分", 60, 2460, 1260);
    caption(settingsPage, "lbl登録番号", QStringLiteral("登録番号"), 60, 2860, 1260);
    panels.settings.registrationNumber = place<QLineEdit>(settingsPage, "txt登録番号", 60, 3120, 1260, 315, 9);
    caption(settingsPage, "lbl端数処理", QStringLiteral("税の端数"), 60, 3500, 1260);
    panels.settings.rounding = list(settingsPage, "cmb端数処理", 60, 3760, 1260);

    QWidget* codePanel = made.value(QStringLiteral("imContainer3D6"));
    caption(codePanel, "lbl既定税区分", QStringLiteral("選んだ区分の税区分"), 2940, 160, 2200);
    panels.categoryTax.taxClass = list(codePanel, "cmb既定税区分", 5200, 100, 2000);
    panels.categoryTax.taxClass->addItems(ConsumptionTax::labels());

    QWidget* printPanel = made.value(QStringLiteral("imContainer3D5"));
    caption(printPanel, "lbl税区分", QStringLiteral("税区分"), 2700, 1960, 1300);
    panels.printOptions.taxClass = list(printPanel, "cmb税区分", 2700, 2220, 1320);
    panels.printOptions.taxClass->addItems(ConsumptionTax::labels());
}

} // namespace TaxControls
