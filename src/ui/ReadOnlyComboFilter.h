#pragma once
#include <QObject>

class QComboBox;

// Keeps a combo box's text to what is chosen from its list: typed characters (Japanese
// input included) never reach it and, unless allowed, neither does the Delete key. Arrow keys,
// F4 and the mouse still choose items.
class ReadOnlyComboFilter : public QObject {
    Q_OBJECT
public:
    enum class DeleteKey { Discarded, Allowed };

    // Installs the filter on `combo` (and its line edit); the filter belongs to the combo box.
    static ReadOnlyComboFilter* install(QComboBox* combo, DeleteKey deleteKey = DeleteKey::Discarded);

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

private:
    ReadOnlyComboFilter(QComboBox* combo, DeleteKey deleteKey);
    DeleteKey deleteKey_;
};
