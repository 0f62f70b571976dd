#include "app/SealControls.h"

#include "app/AddedControls.h"
#include "settings/SealSettings.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QLabel>
#include <QPushButton>

namespace SealControls {

namespace {
template <class T> T* place(QWidget* parent, const char* name, const QString& text, double left, double top,
                            double width, double height, double points = 9)
{
    auto* widget = AddedControls::place<T>(parent, name, left, top, width, height, points);
    widget->setText(text);
    return widget;
}
} // namespace

void add(const QHash<QString, QWidget*>& made, MainWindowLayout::Panels& panels)
{
    QWidget* page = made.value(QStringLiteral("imContainer3D4"));
    AddedControls::caption(page, "lbl印影", QStringLiteral("印影"), 60, 4130, 1260);

    SealSettings::Panel seal;
    seal.preview = place<QLabel>(page, "img印影", QString(), 60, 4400, 660, 660);
    seal.preview->setFrameStyle(QFrame::Box | QFrame::Plain);
    seal.choose = place<QPushButton>(page, "cmd印影選択", QStringLiteral("選択…"), 750, 4400, 570, 315);
    seal.choose->setToolTip(QStringLiteral("印影の画像（PNG または SVG、5 MB まで）を選びます。"));
    seal.remove = place<QPushButton>(page, "cmd印影削除", QStringLiteral("削除"), 750, 4745, 570, 315);
    seal.size = AddedControls::place<QDoubleSpinBox>(page, "num印影寸法", 60, 5100, 1260, 315);
    seal.print = place<QCheckBox>(page, "chk印影印刷", QStringLiteral("印刷する"), 60, 5420, 1260, 210);
    // The column is narrow: the longer option takes a smaller font to show whole.
    seal.whiteToTransparent =
        place<QCheckBox>(page, "chk印影白透明", QStringLiteral("白を透明にする"), 30, 5630, 1340, 210, 7);
    seal.whiteToTransparent->setToolTip(
        QStringLiteral("スキャンした印影の白い地を透明にします。次に選ぶ画像と、いま選んだ画像に効きます。"));
    panels.settings.seal = new SealSettings(seal, page);
}

} // namespace SealControls
