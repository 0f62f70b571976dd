#include "customers/CsvImportDialog.h"

#include "customers/TextRowsModel.h"
#include "domain/AmountText.h"
#include "domain/TextDecoding.h"
#include "store/CustomerMasterTable.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QPushButton>
#include <QRadioButton>
#include <QTableView>
#include <QVBoxLayout>

#include <algorithm>

namespace {

QTableView* previewView(TextRowsModel* model, QWidget* parent)
{
    auto* view = new QTableView(parent);
    view->setModel(model);
    view->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view->setSelectionBehavior(QAbstractItemView::SelectRows);
    view->verticalHeader()->hide();
    view->verticalHeader()->setDefaultSectionSize(view->fontMetrics().height() + 6);
    view->horizontalHeader()->setStretchLastSection(true);
    view->setWordWrap(false);
    return view;
}

// What a skipped line held, short enough for one cell.
QString shown(const QStringList& fields)
{
    QString text = fields.join(QStringLiteral(" | "));
    text.replace(u'\r', u' ').replace(u'\n', u' ');
    return text.size() > 60 ? text.left(60) + QStringLiteral("…") : text;
}

} // namespace

CsvImportDialog::CsvImportDialog(const QString& fileName, const QByteArray& bytes, const QStringList& categories,
                                 const QString& category, QWidget* parent)
    : QDialog(parent), bytes_(bytes), encoding_(new QComboBox(this)), separator_(new QComboBox(this)),
      header_(new QCheckBox(QStringLiteral("１行目は見出し"), this)), nameColumn_(new QComboBox(this)),
      provisoColumn_(new QComboBox(this)), amountColumn_(new QComboBox(this)), categoryColumn_(new QComboBox(this)),
      category_(new QComboBox(this)), append_(new QRadioButton(this)), replace_(new QRadioButton(this)),
      encodingWarning_(new QLabel(this)),
      added_(new TextRowsModel({QStringLiteral("行"), QStringLiteral("顧客名"), QStringLiteral("領収額"),
                                QStringLiteral("但書")},
                               this)),
      skipped_(new TextRowsModel({QStringLiteral("行"), QStringLiteral("理由"), QStringLiteral("内容")}, this)),
      addedView_(previewView(added_, this)), skippedView_(previewView(skipped_, this)), summary_(new QLabel(this)),
      buttons_(new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this)),
      importButton_(buttons_->button(QDialogButtonBox::Ok))
{
    setWindowTitle(QStringLiteral("CSVから読み込む"));
    resize(820, 640);
    importButton_->setText(QStringLiteral("読み込む"));
    buttons_->button(QDialogButtonBox::Cancel)->setText(QStringLiteral("キャンセル"));

    QStringList readers;
    for (const TextDecoding::Encoding encoding : TextDecoding::AllEncodings) {
        encoding_->addItem(TextDecoding::displayName(encoding), int(encoding));
        if (TextDecoding::readsWhole(bytes_, encoding)) {
            wholeReaders_ << encoding;
            readers << TextDecoding::displayName(encoding);
        }
    }
    encoding_->setCurrentIndex(encoding_->findData(int(TextDecoding::detect(bytes_))));
    separator_->addItem(QStringLiteral("カンマ（,）"), QChar(u','));
    separator_->addItem(QStringLiteral("タブ"), QChar(u'\t'));
    category_->addItems(categories);
    if (!category.isEmpty() && category_->findText(category) < 0)
        category_->addItem(category);
    category_->setCurrentIndex(category_->findText(category));
    append_->setChecked(true);
    encodingWarning_->setStyleSheet(QStringLiteral("color: #b00000"));
    encodingWarning_->setWordWrap(true);
    // Text read with bytes the encoding does not know would be stored garbled: the encodings
    // that read every byte are named, and a file no encoding reads (a damaged byte) is not
    // imported at all.
    encodingWarning_->setText(
        readers.isEmpty()
            ? QStringLiteral("どの文字コードでも読めない文字があるため、このファイルは読み込めません。ファイルの中身を確かめてください。")
            : QStringLiteral("この文字コードでは読めない文字があります。ファイルを読める文字コード（%1）を選んでください。")
                  .arg(readers.join(QStringLiteral("、"))));

    auto* file = new QFormLayout;
    file->addRow(QStringLiteral("ファイル"), new QLabel(QFileInfo(fileName).fileName(), this));
    auto* reading = new QHBoxLayout;
    reading->addWidget(encoding_);
    reading->addSpacing(12);
    reading->addWidget(new QLabel(QStringLiteral("区切り"), this));
    reading->addWidget(separator_);
    reading->addSpacing(12);
    reading->addWidget(header_);
    reading->addStretch();
    file->addRow(QStringLiteral("文字コード"), reading);
    file->addRow(QString(), encodingWarning_);

    auto* columns = new QGroupBox(QStringLiteral("列"), this);
    auto* columnGrid = new QGridLayout(columns);
    const std::pair<const char16_t*, QComboBox*> boxes[] = {
        {u"顧客名", nameColumn_}, {u"但書", provisoColumn_}, {u"領収額", amountColumn_}, {u"区分", categoryColumn_}};
    for (int i = 0; i < 4; ++i) {
        columnGrid->addWidget(new QLabel(QString::fromUtf16(boxes[i].first), columns), 0, i);
        columnGrid->addWidget(boxes[i].second, 1, i);
        boxes[i].second->setSizeAdjustPolicy(QComboBox::AdjustToMinimumContentsLengthWithIcon);
        boxes[i].second->setMinimumContentsLength(12);
    }

    auto* target = new QGroupBox(QStringLiteral("読み込み先"), this);
    auto* targetRow = new QHBoxLayout(target);
    targetRow->addWidget(new QLabel(QStringLiteral("顧客区分"), target));
    targetRow->addWidget(category_, 1);
    targetRow->addSpacing(12);
    targetRow->addWidget(append_);
    targetRow->addWidget(replace_);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(file);
    layout->addWidget(columns);
    layout->addWidget(target);
    layout->addWidget(new QLabel(QStringLiteral("読み込む顧客"), this));
    layout->addWidget(addedView_, 3);
    layout->addWidget(new QLabel(QStringLiteral("読み込まない行"), this));
    layout->addWidget(skippedView_, 2);
    layout->addWidget(summary_);
    addedView_->setColumnWidth(1, 220);
    addedView_->setColumnWidth(2, 110);
    layout->addWidget(buttons_);

    connect(buttons_, &QDialogButtonBox::accepted, this, &QDialog::accept);
    connect(buttons_, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(encoding_, &QComboBox::currentIndexChanged, this, [this] { reread(); });
    connect(separator_, &QComboBox::currentIndexChanged, this, [this] { resplit(); });
    for (QComboBox* box : {nameColumn_, provisoColumn_, amountColumn_, categoryColumn_, category_})
        connect(box, &QComboBox::currentIndexChanged, this, [this] { replan(); });
    connect(header_, &QCheckBox::toggled, this, [this] { replan(); });
    connect(append_, &QRadioButton::toggled, this, [this] { replan(); });

    reread();
}

QString CsvImportDialog::category() const { return category_->currentText(); }

CustomerImport::Mode CsvImportDialog::mode() const
{
    return replace_->isChecked() ? CustomerImport::Mode::Replace : CustomerImport::Mode::Append;
}

// The text again in the chosen encoding; the separator guessed afresh.
void CsvImportDialog::reread()
{
    const auto chosen = TextDecoding::Encoding(encoding_->currentData().toInt());
    text_ = TextDecoding::decode(bytes_, chosen);
    readWhole_ = wholeReaders_.contains(chosen);
    encodingWarning_->setVisible(!readWhole_);
    filling_ = true;
    separator_->setCurrentIndex(separator_->findData(CsvReader::guessSeparator(text_)));
    filling_ = false;
    resplit();
}

// The records again, and the columns recognised from their header.
void CsvImportDialog::resplit()
{
    if (filling_)
        return;
    records_ = CsvReader::records(text_, separator_->currentData().toChar());
    const CustomerImport::Columns columns = CustomerImport::recognise(records_);
    filling_ = true;
    header_->setChecked(columns.header);
    fillColumnBoxes(columns);
    // With no category shown, the file's own category is the likely target.
    if (category_->currentIndex() < 0 && columns.category >= 0 && records_.size() > 1)
        category_->setCurrentIndex(category_->findText(records_.at(1).fields.value(columns.category)));
    filling_ = false;
    replan();
}

void CsvImportDialog::fillColumnBoxes(const CustomerImport::Columns& columns)
{
    int count = 0;
    for (const CsvReader::Record& record : records_)
        count = std::max(count, int(record.fields.size()));
    const QStringList first = records_.isEmpty() ? QStringList() : records_.first().fields;
    const std::pair<QComboBox*, int> boxes[] = {{nameColumn_, columns.name},
                                                {provisoColumn_, columns.proviso},
                                                {amountColumn_, columns.amount},
                                                {categoryColumn_, columns.category}};
    for (const auto& [box, chosen] : boxes) {
        box->clear();
        box->addItem(QStringLiteral("（なし）"), -1);
        for (int column = 0; column < count; ++column) {
            const QString sample = first.value(column).left(16);
            box->addItem(sample.isEmpty() ? QStringLiteral("%1 列目").arg(column + 1)
                                          : QStringLiteral("%1 列目：%2").arg(column + 1).arg(sample),
                         column);
        }
        box->setCurrentIndex(box->findData(chosen));
    }
}

CustomerImport::Columns CsvImportDialog::chosenColumns() const
{
    CustomerImport::Columns columns{nameColumn_->currentData().toInt(), provisoColumn_->currentData().toInt(),
                                    amountColumn_->currentData().toInt(), categoryColumn_->currentData().toInt(),
                                    header_->isChecked()};
    // The tax class and the address have no box of their own: they are read where the header
    // names their columns.
    if (columns.header) {
        const CustomerImport::Columns named = CustomerImport::recognise(records_);
        columns.taxClass = named.taxClass;
        columns.mail = named.mail;
    }
    return columns;
}

void CsvImportDialog::replan()
{
    if (filling_)
        return;
    const CustomerImport::Columns columns = chosenColumns();
    plan_ = columns.name < 0 ? CustomerImport::Plan{} : CustomerImport::plan(records_, columns, category());

    QList<QStringList> rows;
    rows.reserve(plan_.customers.size());
    for (const CustomerImport::Customer& customer : plan_.customers)
        rows.append({QString::number(customer.line), customer.name,
                     customer.amount.isNull() ? QString() : AmountText::grouped(customer.amount.toLongLong()),
                     customer.proviso.toString()});
    added_->setRows(std::move(rows));
    QList<QStringList> skipped;
    for (const CustomerImport::Skipped& line : plan_.skipped) {
        // Records come in line order.
        const auto record = std::lower_bound(records_.cbegin(), records_.cend(), line.line,
                                             [](const CsvReader::Record& r, int at) { return r.line < at; });
        skipped.append({QString::number(line.line), line.reason,
                        record == records_.cend() || record->line != line.line ? QString() : shown(record->fields)});
    }
    skipped_->setRows(std::move(skipped));
    addedView_->resizeColumnToContents(0);
    skippedView_->resizeColumnToContents(0);
    skippedView_->resizeColumnToContents(1);

    registered_ = 0;
    for (const CustomerRecord& row : CustomerMasterTable::readCategory(category()))
        registered_ += row.顧客名.isNull() ? 0 : 1;
    append_->setText(QStringLiteral("登録済みの %1 人の後ろに追加").arg(registered_));
    replace_->setText(QStringLiteral("登録済みの %1 人と入れ替える").arg(registered_));

    if (columns.name < 0)
        summary_->setText(QStringLiteral("顧客名の列を選んでください。"));
    else
        summary_->setText(QStringLiteral("読み込む顧客：%1 人　　読み込まない行：%2 行")
                              .arg(plan_.customers.size())
                              .arg(plan_.skipped.size()));
    // Only text read whole is imported.
    importButton_->setEnabled(readWhole_ && !plan_.customers.isEmpty());
}
