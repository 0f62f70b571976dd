#pragma once
#include <QObject>

// Qt's own file dialog sizes its detail columns for English texts: Japanese dates, sizes and
// file types come out cut ("2026/…14:15"). Watching the application, this widens each column
// to its contents whenever such a dialog is shown, the name column taking the rest.
class FileDialogColumns : public QObject {
public:
    using QObject::QObject;

protected:
    bool eventFilter(QObject* watched, QEvent* event) override;
};
