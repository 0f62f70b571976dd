#pragma once
#include <QObject>

class QComboBox;

// Keeps a combo box's text to what is chosen from its list. Its line edit is read-only, so no
// typing (Japanese input included), paste (keys, middle click or context menu), cut or drop
// reaches it; unless allowed, neither does the Delete key, which otherwise empties the box.
// Arrow keys, F4 and the mouse still choose items.
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
    QComboBox* combo_;
    DeleteKey deleteKey_;
};
