#pragma once
#include "customers/CustomerImport.h"
#include "domain/CsvReader.h"
#include "domain/TextDecoding.h"

#include <QByteArray>
#include <QDialog>
#include <QList>

class QCheckBox;
class QComboBox;
class QDialogButtonBox;
class QLabel;
class QPushButton;
class QRadioButton;
class QTableView;
class TextRowsModel;

// The preview of a CSV import: encoding and separator (detected, changeable), which column is
// what, the category and whether the file adds to its list or replaces it; the rows that will
// be added and the lines that will not, with the reason. Nothing is stored here: the caller
// stores plan() when the dialog is accepted.
class CsvImportDialog : public QDialog {
public:
    CsvImportDialog(const QString& fileName, const QByteArray& bytes, const QStringList& categories,
                    const QString& category, QWidget* parent = nullptr);

    const CustomerImport::Plan& plan() const { return plan_; }
    QString category() const;
    CustomerImport::Mode mode() const;
    // Customers the category has registered now (what Replace would remove).
    int registeredCount() const { return registered_; }

    // The controls, for the user and for tests.
    QComboBox* encodingBox() const { return encoding_; }
    QComboBox* separatorBox() const { return separator_; }
    QCheckBox* headerBox() const { return header_; }
    QComboBox* nameColumnBox() const { return nameColumn_; }
    QComboBox* provisoColumnBox() const { return provisoColumn_; }
    QComboBox* amountColumnBox() const { return amountColumn_; }
    QComboBox* categoryColumnBox() const { return categoryColumn_; }
    QComboBox* categoryBox() const { return category_; }
    QRadioButton* appendButton() const { return append_; }
    QRadioButton* replaceButton() const { return replace_; }
    QTableView* addedView() const { return addedView_; }
    QTableView* skippedView() const { return skippedView_; }
    QLabel* summaryLabel() const { return summary_; }
    QLabel* encodingWarning() const { return encodingWarning_; }
    QPushButton* importButton() const { return importButton_; }

private:
    void reread();
    void resplit();
    void replan();
    void fillColumnBoxes(const CustomerImport::Columns& columns);
    CustomerImport::Columns chosenColumns() const;

    QByteArray bytes_;
    QString text_;
    QList<TextDecoding::Encoding> wholeReaders_; // the encodings that read every byte of the file
    bool readWhole_ = true;                      // the chosen one is among them
    QList<CsvReader::Record> records_;
    CustomerImport::Plan plan_;
    int registered_ = 0;
    bool filling_ = false; // boxes being refilled: no replan per change

    QComboBox* encoding_;
    QComboBox* separator_;
    QCheckBox* header_;
    QComboBox* nameColumn_;
    QComboBox* provisoColumn_;
    QComboBox* amountColumn_;
    QComboBox* categoryColumn_;
    QComboBox* category_;
    QRadioButton* append_;
    QRadioButton* replace_;
    QLabel* encodingWarning_;
    TextRowsModel* added_;
    TextRowsModel* skipped_;
    QTableView* addedView_;
    QTableView* skippedView_;
    QLabel* summary_;
    QDialogButtonBox* buttons_;
    QPushButton* importButton_;
};
