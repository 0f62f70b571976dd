#include "preview/ReportPreview.h"

#include "preview/CalibrationDialog.h"
#include "preview/MailDialog.h"
#include "preview/PreviewPageView.h"
#include "preview/WindowPlacement.h"
#include "receipt/ReceiptRun.h"
#include "report/ReportOutput.h"
#include "report/ReportRun.h"
#include "store/Connections.h"
#include "store/PrinterCalibrationTable.h"
#include "ui/BriefNotice.h"
#include "ui/RecentFolder.h"

#include <QComboBox>
#include <QDir>
#include <QFileInfo>
#include <QFileDialog>
#include <QGuiApplication>
#include <QScreen>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QAction>
#include <QLabel>
#include <QPrintDialog>
#include <QPrinter>
#include <QPrinterInfo>
#include <QPushButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QToolButton>
#include <QVBoxLayout>

namespace {
QPushButton* button(const QString& name, const QString& text, QWidget* parent)
{
    auto* b = new QPushButton(text, parent);
    b->setObjectName(name);
    b->setAutoDefault(false);
    b->setFocusPolicy(Qt::TabFocus);
    // As wide as its text needs, not the style's usual minimum: the whole bar fits a small screen.
    b->setMaximumWidth(std::max(b->fontMetrics().horizontalAdvance(text) + 20, 40));
    return b;
}
} // namespace

ReportPreview::ReportPreview(std::shared_ptr<ReportRun> run, QWidget* parent)
    : QWidget(parent, Qt::Window), run_(std::move(run)), printerName_(QPrinterInfo::defaultPrinterName())
{
    setObjectName(QStringLiteral("ReportPreview"));
    setAttribute(Qt::WA_DeleteOnClose);
    // An open preview never keeps the program running once the main window has closed.
    setAttribute(Qt::WA_QuitOnClose, false);
    setWindowTitle(run_->layout().caption);

    // 印刷 offers the printer's position correction in its menu: on a small screen the bar has
    // no room for a button of its own.
    auto* printButton = new QToolButton(this);
    printButton->setObjectName(QStringLiteral("cmd印刷"));
    printButton->setText(QStringLiteral("印刷"));
    printButton->setFocusPolicy(Qt::TabFocus);
    printButton->setPopupMode(QToolButton::MenuButtonPopup);
    // Its menu is made when it opens, and gone with it: no window of its own stays behind.
    auto* calibration = new QAction(QStringLiteral("印刷位置の調整…"), printButton);
    calibration->setObjectName(QStringLiteral("cmd印刷位置の調整"));
    printButton->addAction(calibration);
    printButton->setToolTip(QStringLiteral("印刷します。▼から、印刷するプリンタの印刷位置を調整できます"));
    auto* pdfButton = button(QStringLiteral("cmdPDF保存"), QStringLiteral("PDF保存"), this);
    auto* perMemberButton = button(QStringLiteral("cmd会員ごとにPDF"), QStringLiteral("会員ごとにPDF"), this);
    perMemberButton->setToolTip(QStringLiteral("領収証を一人ずつ別の PDF ファイルにしてフォルダに保存します"));
    auto* mailButton = button(QStringLiteral("cmdメールで送る"), QStringLiteral("メールで送る"), this);
    mailButton->setToolTip(QStringLiteral("会員ごとの PDF をメールで送れるようにします（先に「会員ごとにPDF」で保存します）"));
    // Shown once this preview has written the files to send: until then the tool bar keeps the
    // width that fits a small screen.
    mailButton->setVisible(false);
    mailButton_ = mailButton;
    auto* firstButton = button(QStringLiteral("cmd先頭"), QStringLiteral("|◀"), this);
    auto* previousButton = button(QStringLiteral("cmd前"), QStringLiteral("◀"), this);
    auto* nextButton = button(QStringLiteral("cmd次"), QStringLiteral("▶"), this);
    auto* lastButton = button(QStringLiteral("cmd最後"), QStringLiteral("▶|"), this);
    auto* closeButton = button(QStringLiteral("cmd閉じる"), QStringLiteral("閉じる"), this);
    for (QPushButton* b : {firstButton, previousButton, nextButton, lastButton})
        b->setMaximumWidth(44);
    firstButton->setToolTip(QStringLiteral("最初のページ"));
    previousButton->setToolTip(QStringLiteral("前のページ"));
    nextButton->setToolTip(QStringLiteral("次のページ"));
    lastButton->setToolTip(QStringLiteral("最後のページ"));

    pageBox_ = new QSpinBox(this);
    pageBox_->setObjectName(QStringLiteral("numページ"));
    pageBox_->setRange(run_->pageCount() > 0 ? 1 : 0, std::max(run_->pageCount(), 0));
    pageBox_->setKeyboardTracking(false);
    pageCountLabel_ = new QLabel(QStringLiteral("/ %1 ページ").arg(run_->pageCount()), this);

    zoomBox_ = new QComboBox(this);
    zoomBox_->setObjectName(QStringLiteral("cmb倍率"));
    zoomBox_->addItem(QStringLiteral("ページ全体"), 0);
    zoomBox_->addItem(QStringLiteral("幅に合わせる"), -1);
    for (int percent : {50, 75, 100, 150, 200})
        zoomBox_->addItem(QStringLiteral("%1%").arg(percent), percent);

    auto* bar = bar_ = new QHBoxLayout;
    bar->addWidget(printButton);
    bar->addWidget(pdfButton);
    bar->addWidget(perMemberButton);
    bar->addWidget(mailButton);
    bar->addSpacing(8);
    bar->addWidget(firstButton);
    bar->addWidget(previousButton);
    bar->addWidget(pageBox_);
    bar->addWidget(pageCountLabel_);
    bar->addWidget(nextButton);
    bar->addWidget(lastButton);
    bar->addSpacing(16);
    bar->addWidget(new QLabel(QStringLiteral("表示倍率"), this));
    bar->addWidget(zoomBox_);
    bar->addStretch();
    bar->addWidget(closeButton);

    view_ = new PreviewPageView(*run_, this);
    scroll_ = new QScrollArea(this);
    scroll_->setWidget(view_);
    scroll_->setAlignment(Qt::AlignHCenter | Qt::AlignTop);
    scroll_->setBackgroundRole(QPalette::Dark);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(bar);
    layout->addWidget(scroll_, 1);

    connect(printButton, &QToolButton::clicked, this, [this] { printWithDialog(); });
    connect(calibration, &QAction::triggered, this, [this] { calibrate(); });
    connect(pdfButton, &QPushButton::clicked, this, [this] { saveAsPdf(); });
    connect(perMemberButton, &QPushButton::clicked, this, [this] { savePerMember(); });
    connect(mailButton, &QPushButton::clicked, this, [this] { sendByMail(); });
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    connect(firstButton, &QPushButton::clicked, this, [this] { showPage(1); });
    connect(previousButton, &QPushButton::clicked, this, [this] { showPage(currentPage() - 1); });
    connect(nextButton, &QPushButton::clicked, this, [this] { showPage(currentPage() + 1); });
    connect(lastButton, &QPushButton::clicked, this, [this] { showPage(run_->pageCount()); });
    connect(pageBox_, &QSpinBox::valueChanged, this, [this](int page) { showPage(page); });
    connect(zoomBox_, &QComboBox::currentIndexChanged, this,
            [this](int index) { setZoom(zoomBox_->itemData(index).toInt()); });

    printButton->setEnabled(run_->pageCount() > 0);
    pdfButton->setEnabled(run_->pageCount() > 0);
    perMemberButton->setEnabled(run_->pageCount() > 0);
    // A tall window for a portrait page, but never larger than the screen it opens on.
    QSize size(900, 1000);
    if (const QScreen* screen = QGuiApplication::primaryScreen())
        size = size.boundedTo(screen->availableGeometry().size() * 0.9);
    resize(size);
    if (parent) // over the window it was opened from, not in the screen's corner
        WindowPlacement::centreOver(this, parent);
    notice_ = new BriefNotice(this);
    updateView();
}

ReportPreview::~ReportPreview() = default;

QAbstractButton* ReportPreview::addTool(const QString& objectName, const QString& text, const QString& tip,
                                        std::function<void()> action)
{
    auto* tool = button(objectName, text, this);
    tool->setToolTip(tip);
    connect(tool, &QPushButton::clicked, this, std::move(action));
    bar_->insertWidget(bar_->count() - 2, tool); // before the stretch and 閉じる
    return tool;
}

int ReportPreview::currentPage() const
{
    return run_->pageCount() > 0 ? view_->page() + 1 : 0;
}

void ReportPreview::showPage(int pageNumber)
{
    if (run_->pageCount() == 0)
        return;
    pageNumber = std::clamp(pageNumber, 1, run_->pageCount());
    view_->setPage(pageNumber - 1);
    if (pageBox_->value() != pageNumber) {
        const QSignalBlocker block(pageBox_);
        pageBox_->setValue(pageNumber);
    }
    scroll_->verticalScrollBar()->setValue(0);
}

void ReportPreview::setZoom(int percent)
{
    zoom_ = percent;
    const int index = zoomBox_->findData(percent);
    if (index >= 0 && index != zoomBox_->currentIndex()) {
        const QSignalBlocker block(zoomBox_);
        zoomBox_->setCurrentIndex(index);
    }
    updateView();
}

void ReportPreview::updateView()
{
    const qreal screenPerTwip = logicalDpiX() / 1440.0;
    const QSize paper = run_->layout().paper;
    const QSize room = scroll_->viewport()->size() - QSize(28, 28);
    qreal scale = screenPerTwip * zoom_ / 100.0;
    if (zoom_ == 0)
        scale = std::min(room.width() / qreal(paper.width()), room.height() / qreal(paper.height()));
    else if (zoom_ < 0)
        scale = (room.width() - scroll_->verticalScrollBar()->sizeHint().width()) / qreal(paper.width());
    view_->setScale(std::max(scale, 0.01));
}

void ReportPreview::resizeEvent(QResizeEvent* event)
{
    QWidget::resizeEvent(event);
    // The scroll area's viewport takes its new size only after this event: fit afterwards.
    QMetaObject::invokeMethod(
        this,
        [this] {
            if (zoom_ <= 0)
                updateView();
        },
        Qt::QueuedConnection);
}

void ReportPreview::keyPressEvent(QKeyEvent* event)
{
    switch (event->key()) {
    case Qt::Key_PageDown:
        showPage(currentPage() + 1);
        return;
    case Qt::Key_PageUp:
        showPage(currentPage() - 1);
        return;
    case Qt::Key_Home:
        showPage(1);
        return;
    case Qt::Key_End:
        showPage(run_->pageCount());
        return;
    default:
        QWidget::keyPressEvent(event);
    }
}

void ReportPreview::printWithDialog()
{
    if (run_->pageCount() == 0)
        return;
    QPrinter printer(QPrinter::HighResolution);
    if (QPrinterInfo::availablePrinterNames().contains(printerName_))
        printer.setPrinterName(printerName_);
    printer.setDocName(run_->layout().caption);
    printer.setFromTo(1, run_->pageCount());
    QPrintDialog dialog(&printer, this);
    dialog.setWindowTitle(QStringLiteral("印刷"));
    dialog.setOption(QAbstractPrintDialog::PrintPageRange);
    dialog.setOption(QAbstractPrintDialog::PrintCurrentPage);
    dialog.setMinMax(1, run_->pageCount());
    if (dialog.exec() != QDialog::Accepted)
        return;
    if (printer.printRange() == QPrinter::CurrentPage)
        printer.setFromTo(currentPage(), currentPage());
    if (printer.printRange() == QPrinter::AllPages)
        printer.setFromTo(1, run_->pageCount());
    printer.setPrintRange(QPrinter::PageRange);
    printOn(printer);
}

void ReportPreview::calibrate()
{
    CalibrationDialog dialog(run_->layout(), this, printerName_);
    if (dialog.exec() == QDialog::Accepted)
        printerName_ = dialog.printerName();
}

bool ReportPreview::printOn(QPrinter& printer)
{
    return printOn(printer, printer.printerName());
}

bool ReportPreview::printOn(QPrinter& printer, const QString& printerName)
{
    if (!printerName.isEmpty())
        printerName_ = printerName;
    QString error;
    QString notice;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor); // a long run takes a few seconds
    // Each printer's own position correction, kept with the main data.
    const PrinterCalibration correction =
        PrinterCalibrationTable::read(Connections::mainDb(), printerName).value_or(PrinterCalibration{});
    const bool printed = ReportOutput::print(*run_, printer, &error, &notice, correction);
    QGuiApplication::restoreOverrideCursor();
    if (printed) {
        const int first = printer.fromPage() > 0 ? printer.fromPage() : 1;
        const int last = printer.toPage() > 0 ? std::min(printer.toPage(), run_->pageCount()) : run_->pageCount();
        notice_->showText(QStringLiteral("プリンタ「%1」に %2 ページを送りました。")
                              .arg(printerName.isEmpty() ? printer.outputFileName() : printerName)
                              .arg(std::max(last - first + 1, 0)));
    }
    afterOutput(printed, printed ? notice : QStringLiteral("印刷できませんでした。") + error);
    return printed;
}

void ReportPreview::saveAsPdf()
{
    if (run_->pageCount() == 0)
        return;
    const QString path = QFileDialog::getSaveFileName(this, QStringLiteral("PDF保存"),
                                                      RecentFolder::suggest(QStringLiteral("領収証.pdf")),
                                                      QStringLiteral("PDF ファイル (*.pdf)"));
    RecentFolder::remember(path);
    if (!path.isEmpty())
        saveAsPdfTo(path);
}

bool ReportPreview::saveAsPdfTo(const QString& path)
{
    QString error;
    QString notice;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool written = ReportOutput::writePdf(*run_, path, &error, 1, 0, &notice);
    QGuiApplication::restoreOverrideCursor();
    if (written)
        notice_->showText(QStringLiteral("PDF ファイルに保存しました（%1 ページ）：%2")
                              .arg(run_->pageCount())
                              .arg(QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath())));
    afterOutput(written, written ? notice
                                 : QStringLiteral("PDF ファイルを保存できませんでした。\n") + path +
                                       QStringLiteral("\n") + error);
    return written;
}

void ReportPreview::savePerMember()
{
    if (run_->pageCount() == 0)
        return;
    const QString folder = QFileDialog::getExistingDirectory(this, QStringLiteral("会員ごとにPDF"),
                                                             RecentFolder::suggest(QString()));
    if (folder.isEmpty())
        return;
    RecentFolder::remember(folder + QStringLiteral("/")); // the folder itself, not its parent
    savePerMemberTo(folder);
}

bool ReportPreview::savePerMemberTo(const QString& folder)
{
    QString error;
    QString notice;
    QStringList files;
    QGuiApplication::setOverrideCursor(Qt::WaitCursor);
    const bool written = ReceiptRun::writePerMember(*run_, folder, &files, &error, &notice);
    QGuiApplication::restoreOverrideCursor();
    if (written) {
        memberFiles_ = files;
        memberFolder_ = folder;
        mailButton_->setVisible(!files.isEmpty());
        notice_->showText(QStringLiteral("PDF ファイルを %1 個保存しました：%2")
                              .arg(files.size())
                              .arg(QDir::toNativeSeparators(QFileInfo(folder).absoluteFilePath())));
    }
    afterOutput(written, written ? notice
                                 : QStringLiteral("PDF ファイルを保存できませんでした。\n") + folder +
                                       QStringLiteral("\n") + error);
    return written;
}

MailDialog* ReportPreview::sendByMail()
{
    if (memberFiles_.isEmpty())
        return nullptr;
    auto* dialog = new MailDialog(ReceiptMail::letters(*run_, memberFiles_, addresses_), memberFolder_, this);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->open();
    return dialog;
}

void ReportPreview::afterOutput(bool done, const QString& message)
{
    // Output may have changed the run's texts (its numbers): show the pages as they went out.
    view_->update();
    emit outputFinished(done, message);
}
