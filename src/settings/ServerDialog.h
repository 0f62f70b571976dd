#pragma once
#include "store/ServerAddress.h"

#include <QDialog>

#include <optional>

class QDialogButtonBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;

// 接続先: whether the main data lives in this computer's Ledrium.mdb or on a PostgreSQL server,
// and how to reach that server. Opens with the user's stored choice; OK stores the choice (and
// refuses a connection libpq does not read or one holding a password), キャンセル stores nothing.
class ServerDialog : public QDialog {
public:
    explicit ServerDialog(QWidget* parent = nullptr);

    // The choice OK stored: a server, or none for the local file (also before OK).
    std::optional<ServerAddress> chosen() const { return chosen_; }

    // The controls, for the user and for tests.
    QRadioButton* localButton() const { return local_; }
    QRadioButton* serverButton() const { return server_; }
    QLineEdit* connectionEdit() const { return connection_; }
    QPushButton* tryButton() const { return try_; }
    QPushButton* okButton() const;
    QPushButton* cancelButton() const;
    // The outcome of 接続を試す, or why OK was refused.
    QLabel* resultLabel() const { return result_; }

private:
    void showChoice();
    void tryConnection();
    void storeChoice();
    void showResult(const QString& text, bool good);

    std::optional<ServerAddress> chosen_;
    QRadioButton* local_;
    QRadioButton* server_;
    QLineEdit* connection_;
    QPushButton* try_;
    QLabel* result_;
    QDialogButtonBox* buttons_;
};
