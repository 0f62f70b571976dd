#pragma once
#include "receipt/ReceiptMail.h"

#include <QDialog>

#include <optional>

class QLabel;
class QLineEdit;
class QPlainTextEdit;
class QRadioButton;

// 「メールで送る」: the subject and text the receipts of a per-member run are mailed with
// (editable, saved with the settings), how many members have an address and how many not, and
// how the messages are made: opened in the desktop's mail program, or written as .eml files
// into a folder (by default 「メール」 beside the PDF files).
class MailDialog : public QDialog {
    Q_OBJECT
public:
    MailDialog(QList<ReceiptMail::Letter> letters, const QString& pdfFolder, QWidget* parent = nullptr);

    // Saves the text when it was changed, then makes the messages; tells the user what came of
    // it (members without an address by name). False when nothing or not all was made.
    bool prepare();

    void accept() override;

private:
    bool saveText();

    QList<ReceiptMail::Letter> letters_;
    QString program_;
    std::optional<qint64> loadedVersion_;
    ReceiptMail::Sender loaded_;
    QLineEdit* subject_ = nullptr;
    QPlainTextEdit* body_ = nullptr;
    QLineEdit* from_ = nullptr;
    QRadioButton* mailProgram_ = nullptr;
    QRadioButton* files_ = nullptr;
    QLineEdit* folder_ = nullptr;
};
