#pragma once
#include "store/Records.h"

#include <QByteArray>
#include <QObject>
#include <QString>

#include <optional>

class QAbstractButton;
class QCheckBox;
class QDoubleSpinBox;
class QLabel;

// The seal group of the settings page. A chosen file is checked, shown and kept here until the
// settings are registered; what the group shows is what 登録 stores.
class SealSettings : public QObject {
    Q_OBJECT
public:
    struct Panel {
        QLabel* preview = nullptr;               // img印影
        QDoubleSpinBox* size = nullptr;          // num印影寸法, millimetres
        QCheckBox* print = nullptr;              // chk印影印刷
        QCheckBox* whiteToTransparent = nullptr; // chk印影白透明
        QAbstractButton* choose = nullptr;       // cmd印影選択
        QAbstractButton* remove = nullptr;       // cmd印影削除
    };
    static constexpr double SmallestMm = 10.0;
    static constexpr double LargestMm = 30.0;
    static constexpr double UsualMm = 21.0;

    SealSettings(const Panel& panel, QObject* parent);

    // Shows a stored seal, or an empty group for none.
    void show(const std::optional<SealRecord>& seal);
    // The seal as the group shows it; nothing when no image is chosen.
    std::optional<SealRecord> current() const;
    // Takes the file at `path` when it is a usable seal; a refused file is shown why and
    // changes nothing. False when refused.
    bool chooseFile(const QString& path);
    // Empties the group (no seal).
    void clear();

private:
    void askForFile();
    void applyWhiteOption();
    void showPreview();

    Panel panel_;
    QString kind_;
    QByteArray image_;    // as it is stored
    QByteArray original_; // the file as picked in this session, for the white option
};
