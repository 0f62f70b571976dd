#include "register/RegisterWindow.h"

#include "domain/AmountText.h"
#include "domain/Clock.h"
#include "messages/ShowMsg.h"
#include "preview/PreviewWindows.h"
#include "preview/ReportPreview.h"
#include "preview/WindowPlacement.h"
#include "receipt/ReceiptFormat.h"
#include "register/ArchiveFolderChoice.h"
#include "register/ArchiveReport.h"
#include "register/RegisterCsv.h"
#include "register/RegisterModel.h"
#include "register/ReissueRuns.h"
#include "store/Connections.h"
#include "store/CsvText.h"
#include "store/ReceiptNumbers.h"
#include "ui/BriefNotice.h"
#include "ui/RecentFolder.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDateEdit>
#include <QDesktopServices>
#include <QDir>
#include <QFileInfo>
#include <QGuiApplication>
#include <QUrl>
#include <QFileDialog>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QInputDialog>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QShortcut>
#include <QTableView>
#include <QVBoxLayout>

namespace {
QPushButton* button(const QString& name, const QString& text, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    return b;
}

QLineEdit* numberBox(const QString& name, QWidget* parent)
{
    auto* box = new QLineEdit(parent);
    box->setObjectName(name);
    box->setValidator(new QRegularExpressionValidator(QRegularExpression(QStringLiteral("[0-9]{0,15}")), box));
    box->setMaximumWidth(90);
    return box;
}

QDateEdit* dateBox(const QString& name, QWidget* parent)
{
    auto* box = new QDateEdit(Clock::today(), parent);
    box->setObjectName(name);
    box->setCalendarPopup(true);
    box->setDisplayFormat(QStringLiteral("yyyy/MM/dd"));
    box->setEnabled(false);
    return box;
}
} // namespace

RegisterWindow::RegisterWindow(QWidget* parent) : QWidget(parent, Qt::Window)
{
    setObjectName(QStringLiteral("Frm発行記録"));
    setWindowTitle(QStringLiteral("発行記録"));
    setAttribute(Qt::WA_QuitOnClose, false);

    numberFrom_ = numberBox(QStringLiteral("txt番号から"), this);
    numberTo_ = numberBox(QStringLiteral("txt番号まで"), this);
    name_ = new QLineEdit(this);
    name_->setObjectName(QStringLiteral("txt氏名"));
    name_->setPlaceholderText(QStringLiteral("氏名の一部"));
    byDate_ = new QCheckBox(QStringLiteral("発行日"), this);
    byDate_->setObjectName(QStringLiteral("Chk発行日"));
    dateFrom_ = dateBox(QStringLiteral("Dt発行日から"), this);
    dateTo_ = dateBox(QStringLiteral("Dt発行日まで"), this);
    state_ = new QComboBox(this);
    state_->setObjectName(QStringLiteral("cmb状態"));
    state_->addItem(QStringLiteral("すべて"), QString());
    for (const QString& state : {RegisterTable::Issued, RegisterTable::Reissued, RegisterTable::Voided, RegisterTable::Pending})
        state_->addItem(state, state);

    byReceiptDate_ = new QCheckBox(QStringLiteral("領収日"), this);
    byReceiptDate_->setObjectName(QStringLiteral("Chk領収日"));
    receiptFrom_ = dateBox(QStringLiteral("Dt領収日から"), this);
    receiptTo_ = dateBox(QStringLiteral("Dt領収日まで"), this);
    amountFrom_ = numberBox(QStringLiteral("txt金額から"), this);
    amountTo_ = numberBox(QStringLiteral("txt金額まで"), this);
    auto* searches = new QHBoxLayout;
    searches->addWidget(byReceiptDate_);
    searches->addWidget(receiptFrom_);
    searches->addWidget(new QLabel(QStringLiteral("～"), this));
    searches->addWidget(receiptTo_);
    searches->addSpacing(12);
    searches->addWidget(new QLabel(QStringLiteral("金額"), this));
    searches->addWidget(amountFrom_);
    searches->addWidget(new QLabel(QStringLiteral("～"), this));
    searches->addWidget(amountTo_);
    searches->addStretch(1);

    auto* filters = new QHBoxLayout;
    filters->addWidget(new QLabel(QStringLiteral("番号"), this));
    filters->addWidget(numberFrom_);
    filters->addWidget(new QLabel(QStringLiteral("～"), this));
    filters->addWidget(numberTo_);
    filters->addSpacing(12);
    filters->addWidget(new QLabel(QStringLiteral("氏名"), this));
    filters->addWidget(name_, 1);
    filters->addSpacing(12);
    filters->addWidget(byDate_);
    filters->addWidget(dateFrom_);
    filters->addWidget(new QLabel(QStringLiteral("～"), this));
    filters->addWidget(dateTo_);
    filters->addSpacing(12);
    filters->addWidget(new QLabel(QStringLiteral("状態"), this));
    filters->addWidget(state_);

    model_ = new RegisterModel(this);
    view_ = new QTableView(this);
    view_->setObjectName(QStringLiteral("Grid発行記録"));
    view_->setModel(model_);
    view_->setSelectionBehavior(QAbstractItemView::SelectRows);
    view_->setSelectionMode(QAbstractItemView::ExtendedSelection);
    view_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    view_->setWordWrap(false);
    view_->verticalHeader()->hide();
    view_->verticalHeader()->setDefaultSectionSize(view_->fontMetrics().height() + 6);
    view_->horizontalHeader()->setSortIndicator(-1, Qt::DescendingOrder);
    view_->horizontalHeader()->setSortIndicatorShown(true);
    view_->horizontalHeader()->setSectionsClickable(true);
    view_->hideColumn(0);
    const QList<int> widths = {0, 90, 60, 150, 160, 100, 200, 80, 160, 160, 90, 140, 50, 150, 160};
    for (int column = 1; column < widths.size(); ++column)
        view_->setColumnWidth(column, widths.at(column));
    connect(view_->horizontalHeader(), &QHeaderView::sortIndicatorChanged, this,
            [this](int column, Qt::SortOrder order) { model_->sort(column, order); });

    totals_ = new QLabel(this);
    totals_->setObjectName(QStringLiteral("lbl件数"));
    auto* reissueButton = button(QStringLiteral("cmd再発行"), QStringLiteral("再発行"), this);
    reissueButton->setToolTip(QStringLiteral("選んだ領収証を同じ番号・内容で印刷し直します"));
    auto* voidButton = button(QStringLiteral("cmd無効"), QStringLiteral("無効にする"), this);
    auto* exportButton = button(QStringLiteral("cmdCSV出力"), QStringLiteral("CSV出力"), this);
    exportButton->setToolTip(QStringLiteral("表示中の記録を CSV ファイルに書き出します"));
    auto* openPdfButton = button(QStringLiteral("cmdPDFを開く"), QStringLiteral("PDFを開く"), this);
    openPdfButton->setToolTip(QStringLiteral("選んだ記録の保存ファイルを開きます"));
    auto* checkButton = button(QStringLiteral("cmd保存ファイルの確認"), QStringLiteral("保存ファイルの確認"), this);
    checkButton->setToolTip(QStringLiteral("保存した PDF ファイルがすべてあり、変わっていないかを確かめます"));
    auto* folderButton = button(QStringLiteral("cmd保存フォルダ"), QStringLiteral("保存フォルダ…"), this);
    folderButton->setToolTip(QStringLiteral("PDF ファイルを保存するフォルダを選びます（複数のパソコンで共有するフォルダなど）"));
    auto* closeButton = button(QStringLiteral("cmd閉じる"), QStringLiteral("閉じる"), this);
    auto* bar = new QHBoxLayout;
    bar->addWidget(totals_, 1);
    bar->addWidget(reissueButton);
    bar->addWidget(voidButton);
    bar->addWidget(exportButton);
    bar->addWidget(openPdfButton);
    bar->addWidget(checkButton);
    bar->addWidget(folderButton);
    bar->addSpacing(16);
    bar->addWidget(closeButton);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(filters);
    layout->addLayout(searches);
    layout->addWidget(view_, 1);
    layout->addLayout(bar);

    for (QLineEdit* box : {numberFrom_, numberTo_, name_, amountFrom_, amountTo_})
        connect(box, &QLineEdit::textChanged, this, &RegisterWindow::applyFilter);
    connect(byDate_, &QCheckBox::toggled, this, [this](bool on) {
        dateFrom_->setEnabled(on);
        dateTo_->setEnabled(on);
        applyFilter();
    });
    connect(byReceiptDate_, &QCheckBox::toggled, this, [this](bool on) {
        receiptFrom_->setEnabled(on);
        receiptTo_->setEnabled(on);
        applyFilter();
    });
    for (QDateEdit* box : {dateFrom_, dateTo_, receiptFrom_, receiptTo_})
        connect(box, &QDateEdit::dateChanged, this, &RegisterWindow::applyFilter);
    connect(state_, &QComboBox::currentIndexChanged, this, &RegisterWindow::applyFilter);
    connect(reissueButton, &QPushButton::clicked, this, [this] { reissueSelected(); });
    connect(voidButton, &QPushButton::clicked, this, &RegisterWindow::askReasonAndVoid);
    connect(exportButton, &QPushButton::clicked, this, &RegisterWindow::askFileAndExport);
    connect(openPdfButton, &QPushButton::clicked, this, &RegisterWindow::openCurrentPdf);
    connect(checkButton, &QPushButton::clicked, this, &RegisterWindow::checkArchive);
    connect(folderButton, &QPushButton::clicked, this, &RegisterWindow::askArchiveFolder);
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    new QShortcut(QKeySequence(Qt::Key_Escape), this, this, &QWidget::close);
    notice_ = new BriefNotice(this);

    resize(1100, 640);
    showTotals();
}

void RegisterWindow::open()
{
    if (!isVisible() && parentWidget())
        WindowPlacement::centreOver(this, parentWidget());
    model_->refresh();
    showTotals();
    show();
    raise();
    activateWindow();
}

void RegisterWindow::applyFilter()
{
    RegisterTable::Filter filter;
    bool ok = false;
    if (const qint64 from = numberFrom_->text().toLongLong(&ok); ok)
        filter.numberFrom = from;
    if (const qint64 to = numberTo_->text().toLongLong(&ok); ok)
        filter.numberTo = to;
    filter.namePart = name_->text().trimmed();
    if (byDate_->isChecked()) {
        filter.issuedFrom = dateFrom_->date();
        filter.issuedTo = dateTo_->date();
    }
    filter.state = state_->currentData().toString();
    if (byReceiptDate_->isChecked()) {
        filter.receiptFrom = receiptFrom_->date();
        filter.receiptTo = receiptTo_->date();
    }
    if (const qint64 from = amountFrom_->text().toLongLong(&ok); ok)
        filter.amountFrom = from;
    if (const qint64 to = amountTo_->text().toLongLong(&ok); ok)
        filter.amountTo = to;
    model_->setFilter(filter);
    showTotals();
}

void RegisterWindow::showTotals()
{
    const std::optional<RegisterTable::Totals> totals = model_->totals();
    if (!totals) {
        totals_->setText(QStringLiteral("発行記録を読み込めません。"));
        return;
    }
    QString text = QStringLiteral("%1 件　金額合計 ¥%2（再発行・無効を除く）")
                       .arg(AmountText::grouped(totals->count), AmountText::grouped(totals->amount));
    for (const RegisterTable::RateTotal& rate : totals->perRate)
        text += QStringLiteral("　%1%対象 ¥%2（消費税等 ¥%3）")
                    .arg(rate.rate)
                    .arg(AmountText::grouped(rate.amount), AmountText::grouped(rate.tax));
    totals_->setText(text);
}

QList<qint64> RegisterWindow::selectedIds() const
{
    QList<int> rows;
    for (const QModelIndex& index : view_->selectionModel()->selectedRows())
        rows << index.row();
    std::sort(rows.begin(), rows.end());
    QList<qint64> ids;
    for (int row : rows)
        ids << model_->idAt(row);
    return ids;
}

QList<ReportPreview*> RegisterWindow::reissueSelected()
{
    bool ok = false;
    QList<RegisterEntry> entries = RegisterTable::read(selectedIds(), &ok);
    if (!ok) {
        ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"), QStringLiteral("発行記録を読み込めません。"));
        return {};
    }
    // A void receipt is never handed out again, not even as a copy; one whose output has not
    // completed has not gone out yet.
    const qsizetype before = entries.size();
    entries.removeIf([](const RegisterEntry& e) { return e.状態 == RegisterTable::Voided; });
    if (entries.size() < before)
        ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"), QStringLiteral("無効の領収証は再発行できません。"));
    const qsizetype beforePending = entries.size();
    entries.removeIf([](const RegisterEntry& e) { return e.状態 == RegisterTable::Pending; });
    if (entries.size() < beforePending)
        ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"),
                QStringLiteral("出力中の領収証は、出力が終わるまで再発行できません。"));
    QList<ReportPreview*> previews;
    for (const std::shared_ptr<ReportRun>& run : ReissueRuns::build(entries)) {
        previews << PreviewWindows::open(run, this);
        // A reprint must not pass for a first issue, even in the task bar.
        previews.last()->setWindowTitle(previews.last()->windowTitle() + QStringLiteral("（再発行）"));
        connect(previews.last(), &ReportPreview::outputFinished, this, [this] {
            model_->refresh();
            showTotals();
        });
    }
    return previews;
}

bool RegisterWindow::voidEntries(const QList<qint64>& selected, const QString& reason)
{
    bool ok = false;
    const QList<RegisterEntry> entries = RegisterTable::read(selected, &ok);
    QList<qint64> ids;
    QStringList numbers;
    for (const RegisterEntry& e : entries) {
        if (e.状態 == RegisterTable::Voided)
            continue;
        ids << e.記録番号;
        if (!numbers.contains(ReceiptFormat::number(e.領収証番号)))
            numbers << ReceiptFormat::number(e.領収証番号);
    }
    if (!ok || ids.isEmpty())
        return false;
    const QString shown = numbers.size() > 5 ? numbers.mid(0, 5).join(QStringLiteral("、")) +
                                                   QStringLiteral(" ほか %1 件").arg(numbers.size() - 5)
                                             : numbers.join(QStringLiteral("、"));
    if (!ShowMsg(QStringLiteral("その他"), QStringLiteral("破棄確認"),
                 QStringLiteral("領収証番号 %1 を無効にします（番号は二度と使われません）").arg(shown)))
        return false;
    const StoreResult result = ReceiptNumbers(Connections::mainDb()).voidEntries(ids, reason);
    if (!result) {
        ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"),
                QStringLiteral("無効にできませんでした。発行記録は変更されていません。\n") + result.error);
        return false;
    }
    model_->refresh();
    showTotals();
    return true;
}

void RegisterWindow::askReasonAndVoid()
{
    // Taken before the dialog: the selection is what the user chose to void.
    const QList<qint64> ids = selectedIds();
    if (ids.isEmpty())
        return;
    bool accepted = false;
    const QString reason = QInputDialog::getText(this, QStringLiteral("無効にする"), QStringLiteral("無効にする理由："),
                                                 QLineEdit::Normal, QString(), &accepted)
                               .trimmed();
    if (!accepted)
        return;
    if (reason.isEmpty()) {
        ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"), QStringLiteral("無効にする理由を入力してください。"));
        return;
    }
    voidEntries(ids, reason);
}

bool RegisterWindow::exportTo(const QString& path)
{
    const std::optional<QByteArray> csv = RegisterCsv::document(model_->filter(), model_->sortColumn(), model_->sortOrder());
    QString error = QStringLiteral("発行記録を読み込めません。");
    if (!csv || !CsvText::save(path, *csv, &error)) {
        ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"),
                QStringLiteral("CSV ファイルを保存できませんでした。\n") + path + QStringLiteral("\n") + error);
        return false;
    }
    notice_->showText(QStringLiteral("CSV ファイルに書き出しました（%1 件）：%2")
                          .arg(AmountText::grouped(model_->totals() ? model_->totals()->count : 0),
                               QDir::toNativeSeparators(path)));
    return true;
}

QString RegisterWindow::checkArchive()
{
    const std::optional<QList<PdfArchive::Recorded>> kept = RegisterTable::keptFiles();
    if (!kept) {
        ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"), QStringLiteral("発行記録を読み込めません。"));
        return {};
    }
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const PdfArchive::Check check = PdfArchive::ofOpenData().check(*kept);
    QGuiApplication::restoreOverrideCursor();
    const QString report = ArchiveReport::of(check);
    ShowMsg(QStringLiteral("その他"), check.findings.isEmpty() ? QStringLiteral("メッセージ") : QStringLiteral("注意"),
            report);
    return report;
}

bool RegisterWindow::openCurrentPdf()
{
    bool ok = false;
    const QList<RegisterEntry> entries = RegisterTable::read({model_->idAt(view_->currentIndex().row())}, &ok);
    if (entries.isEmpty())
        return false;
    const QString path = PdfArchive::ofOpenData().folder() + QLatin1Char('/') + entries.first().保存ファイル;
    if (entries.first().保存ファイル.isEmpty() || !QFileInfo(path).isFile()) {
        ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"),
                entries.first().保存ファイル.isEmpty() ? QStringLiteral("この記録には保存した PDF ファイルがありません。")
                                                       : QStringLiteral("保存した PDF ファイルが見つかりません：") + path);
        return false;
    }
    return QDesktopServices::openUrl(QUrl::fromLocalFile(path));
}

void RegisterWindow::askArchiveFolder()
{
    const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("PDF の保存フォルダ"),
                                                             PdfArchive::ofOpenData().folder());
    if (folder.isEmpty())
        return;
    if (const std::optional<QString> done = ArchiveFolderChoice::moveTo(folder))
        notice_->showText(*done);
}

void RegisterWindow::askFileAndExport()
{
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("CSV出力"), RecentFolder::suggest(QStringLiteral("発行記録.csv")),
                                                      QStringLiteral("CSV ファイル (*.csv)"));
    RecentFolder::remember(path);
    if (!path.isEmpty())
        exportTo(path);
}
