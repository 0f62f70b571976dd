#include "settings/SealSettings.h"

#include "messages/ShowMsg.h"
#include "report/SealImage.h"
#include "ui/RecentFolder.h"

#include <QCheckBox>
#include <QDoubleSpinBox>
#include <QFile>
#include <QFileDialog>
#include <QLabel>
#include <QPixmap>

#include <cmath>

SealSettings::SealSettings(const Panel& panel, QObject* parent) : QObject(parent), panel_(panel)
{
    panel_.size->setRange(SmallestMm, LargestMm);
    panel_.size->setDecimals(1);
    panel_.size->setSingleStep(0.5);
    panel_.size->setSuffix(QStringLiteral(" mm"));
    panel_.preview->setAlignment(Qt::AlignCenter);
    connect(panel_.choose, &QAbstractButton::clicked, this, &SealSettings::askForFile);
    connect(panel_.remove, &QAbstractButton::clicked, this, &SealSettings::clear);
    connect(panel_.whiteToTransparent, &QAbstractButton::toggled, this, &SealSettings::applyWhiteOption);
    clear();
}

void SealSettings::show(const std::optional<SealRecord>& seal)
{
    clear();
    if (!seal)
        return;
    kind_ = seal->種類;
    image_ = seal->画像;
    panel_.size->setValue(seal->寸法 / 10.0);
    panel_.print->setChecked(seal->印刷);
    showPreview();
}

std::optional<SealRecord> SealSettings::current() const
{
    if (image_.isEmpty())
        return std::nullopt;
    return SealRecord{kind_, image_, int(std::lround(panel_.size->value() * 10)), panel_.print->isChecked()};
}

bool SealSettings::chooseFile(const QString& path)
{
    QFile file(path);
    if (!file.open(QIODevice::ReadOnly)) {
        ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"),
                QStringLiteral("ファイル「%1」を読めません。印影は変わりません。").arg(path));
        return false;
    }
    // One byte past the limit is enough to refuse a huge file without reading it whole.
    const QByteArray bytes = file.read(SealImage::LargestFile + 1);
    const SealImage::Chosen chosen = SealImage::choose(bytes, panel_.whiteToTransparent->isChecked());
    if (chosen.kind.isEmpty()) {
        ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"), chosen.error);
        return false;
    }
    if (image_.isEmpty()) // a first seal prints unless the user says otherwise
        panel_.print->setChecked(true);
    original_ = bytes;
    kind_ = chosen.kind;
    image_ = chosen.bytes;
    showPreview();
    return true;
}

void SealSettings::clear()
{
    kind_.clear();
    image_.clear();
    original_.clear();
    panel_.size->setValue(UsualMm);
    panel_.print->setChecked(false);
    showPreview();
}

void SealSettings::askForFile()
{
    const QString path = QFileDialog::getOpenFileName(panel_.choose, QStringLiteral("印影の画像を選ぶ"), RecentFolder::suggest(),
                                                      QStringLiteral("印影の画像 (*.png *.svg);;すべてのファイル (*)"));
    RecentFolder::remember(path);
    if (!path.isEmpty())
        chooseFile(path);
}

// The option works on the file as picked, so that it can be taken back before 登録.
void SealSettings::applyWhiteOption()
{
    if (original_.isEmpty())
        return;
    const SealImage::Chosen chosen = SealImage::choose(original_, panel_.whiteToTransparent->isChecked());
    if (chosen.kind.isEmpty())
        return;
    kind_ = chosen.kind;
    image_ = chosen.bytes;
    showPreview();
}

void SealSettings::showPreview()
{
    const bool chosen = !image_.isEmpty();
    panel_.size->setEnabled(chosen);
    panel_.print->setEnabled(chosen);
    panel_.remove->setEnabled(chosen);
    const QSize room = panel_.preview->contentsRect().size();
    const QImage image = chosen ? SealImage::render(kind_, image_, 2 * std::max(room.width(), room.height())) : QImage();
    if (image.isNull()) {
        panel_.preview->setPixmap(QPixmap());
        panel_.preview->setText(chosen ? QStringLiteral("表示できません") : QStringLiteral("なし"));
        return;
    }
    panel_.preview->setPixmap(QPixmap::fromImage(image.scaled(room, Qt::KeepAspectRatio, Qt::SmoothTransformation)));
}
