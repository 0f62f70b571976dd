// Hostile values typed into every editable field and grid cell of the main window and the hint
// window, then saved and printed: each is stored exactly or refused with a message in Japanese,
// nothing else changes, and receipts printed from them keep to their cells.
#include "ScriptedMessagePresenter.h"
#include "TestText.h"
#include "StartedWindow.h"
#include "WindowRuns.h"
#include "TypeText.h"
#include "app/ApplicationSetup.h"
#include "customers/CustomerList.h"
#include "domain/AmountText.h"
#include "domain/Clock.h"
#include "hints/HintWindow.h"
#include "preview/ReportPreview.h"
#include "printing/PrintRuns.h"
#include "receipt/ReceiptRun.h"
#include "report/PagePainter.h"
#include "report/ReportRun.h"
#include "store/CodeMasterTable.h"
#include "store/CompanyTable.h"
#include "store/CustomerMasterTable.h"
#include "store/CustomerWorkTable.h"
#include "store/HintTable.h"
#include "ui/DateBox.h"
#include "ui/NumberBox.h"

#include <QApplication>
#include <QClipboard>
#include <QComboBox>
#include <QImage>
#include <QLineEdit>
#include <QPainter>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QSqlTableModel>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>

class TestHostileInput : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void customerList_data() { hostileValues(); }
    void customerList();
    void receiptFormAndBlankRun_data() { hostileValues(); }
    void receiptFormAndBlankRun();
    void settingsPage_data() { hostileValues(); }
    void settingsPage();
    void hintWindow_data() { hostileValues(); }
    void hintWindow();
    void overLongPasteIsRefusedWhole_data();
    void overLongPasteIsRefusedWhole();

private:
    static void hostileValues();
};

namespace {

// A box in Japanese: at least one character outside ASCII in its title and prompt.
bool japanese(const MessageBoxSpec& box)
{
    auto cjk = [](const QString& s) {
        for (QChar c : s)
            if (c.unicode() >= 0x3000)
                return true;
        return false;
    };
    return cjk(box.title) && cjk(box.prompt);
}

QString describe(const ScriptedMessagePresenter& presenter)
{
    QStringList all;
    for (const MessageBoxSpec& box : presenter.shown)
        all << box.title + u("|") + box.prompt;
    return all.join(u(" / "));
}

// Enters text as a user would: typed, or pasted when it is too long to type.
void enter(QWidget* editor, const QString& text)
{
    if (text.size() <= 100) {
        typeText(editor, text);
        return;
    }
    QApplication::clipboard()->setText(text);
    QTest::keyClick(editor, Qt::Key_V, Qt::ControlModifier);
}

// Replaces what a line edit holds by `text`, as a user selecting all and typing over it.
void typeOver(QWidget* editor, const QString& text)
{
    editor->setFocus();
    QTest::keyClick(editor, Qt::Key_A, Qt::ControlModifier);
    QTest::keyClick(editor, Qt::Key_Delete);
    enter(editor, text);
}

// Opens the grid cell's editor by moving onto it, types over it and commits with Enter.
// Returns what the editor showed before Enter: the value the user sees as typed.
QString typeIntoCell(QTableView* grid, const QModelIndex& index, const QString& text)
{
    grid->setFocus();
    grid->setCurrentIndex(QModelIndex());
    grid->setCurrentIndex(index);
    QWidget* editor = QApplication::focusWidget();
    if (!editor || editor == grid) {
        qWarning("no editor opened");
        return QString();
    }
    QLineEdit* line = qobject_cast<QLineEdit*>(editor);
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        line = combo->lineEdit();
    line->selectAll();
    QTest::keyClick(line, Qt::Key_Delete);
    enter(line, text);
    const QString shown = line->text();
    QTest::keyClick(editor, Qt::Key_Return);
    QCoreApplication::processEvents(); // a delegate commits on Enter through a queued call
    return shown;
}

// A text cell, once typed into, holds exactly what its editor showed, or keeps its old text
// after one message in Japanese.
struct CellOutcome {
    QString held;
    bool taken = false;
    bool sound = false;
};
CellOutcome typeTextCell(QTableView* grid, const QModelIndex& index, const QString& text,
                         const ScriptedMessagePresenter& presenter)
{
    const QVariant old = index.data(Qt::EditRole);
    const qsizetype before = presenter.shown.size();
    const QString shown = typeIntoCell(grid, index, text);
    const QVariant held = index.data(Qt::EditRole);
    CellOutcome outcome{held.toString()};
    outcome.taken = held.toString() == shown && presenter.shown.size() == before;
    outcome.sound = outcome.taken || (held == old && presenter.shown.size() == before + 1 &&
                                      japanese(presenter.shown.last()));
    return outcome;
}

// What an amount cell must hold after `shown` was committed: the amount, or nothing with a
// message when it is no amount a receipt takes.
struct AmountOutcome {
    QVariant stored;
    bool refused = false;
};
AmountOutcome amountFor(const QString& shown)
{
    const QString text = shown.trimmed();
    if (text.isEmpty())
        return {};
    qint64 amount = 0;
    if (!AmountText::parse(text, &amount) || amount < 0 || amount > AmountText::Maximum)
        return {QVariant(), true};
    return {QVariant(amount)};
}

// Every item of every page lies inside its cell, and no receipt puts ink into a neighbour's
// cell: each receipt is painted alone and its ink must stay within its own cell.
void checkReceiptsKeepToTheirCells(ReportRun& run)
{
    constexpr qreal TwipsPerPixel = 20; // 72 dpi
    constexpr int Slack = 2;            // pixels of antialiasing and rule width at a cell's edge
    PagePainter painter;
    for (int p = 0; p < run.pageCount(); ++p) {
        const ReportPage page = run.page(p);
        QHash<int, QList<PageItem>> byReceipt;
        QHash<int, QRect> cells;
        for (const PageItem& item : page.items) {
            if (item.kind() == ControlKind::Line)
                QVERIFY2(item.cell.contains(item.line.p1()) && item.cell.contains(item.line.p2()),
                         qPrintable(item.name()));
            else
                QVERIFY2(item.cell.contains(item.box), qPrintable(item.name()));
            byReceipt[item.receipt].append(item);
            cells[item.receipt] = item.cell;
        }
        const QSize size(int(run.layout().paper.width() / TwipsPerPixel) + 1,
                         int(run.layout().paper.height() / TwipsPerPixel) + 1);
        for (auto it = byReceipt.cbegin(); it != byReceipt.cend(); ++it) {
            QImage image(size, QImage::Format_ARGB32_Premultiplied);
            image.fill(Qt::transparent);
            {
                QPainter paint(&image);
                paint.scale(1 / TwipsPerPixel, 1 / TwipsPerPixel);
                ReportPage one;
                one.number = page.number;
                one.items = it.value();
                painter.paint(paint, one);
            }
            const QRect cell = cells.value(it.key());
            const QRect allowed(QPoint(int(cell.left() / TwipsPerPixel) - Slack, int(cell.top() / TwipsPerPixel) - Slack),
                                QPoint(int(cell.right() / TwipsPerPixel) + Slack,
                                       int(cell.bottom() / TwipsPerPixel) + Slack));
            int outside = 0;
            for (int y = 0; y < image.height(); ++y) {
                const QRgb* line = reinterpret_cast<const QRgb*>(image.constScanLine(y));
                for (int x = 0; x < image.width(); ++x)
                    if (qAlpha(line[x]) > 0 && !allowed.contains(x, y))
                        ++outside;
            }
            QVERIFY2(outside == 0, qPrintable(QStringLiteral("receipt %1 on page %2 inks %3 pixels outside its cell")
                                                  .arg(it.key() + 1)
                                                  .arg(page.number)
                                                  .arg(outside)));
        }
    }
}

ReportPreview* printRun(StartedWindow& started, const QString& paperType, bool blank)
{
    return printThroughWindow(started, paperType, blank, 5);
}

void writeAndCheck(ReportRun& run)
{
    QTemporaryDir dir;
    QString error;
    QVERIFY2(ReceiptRun::writePdf(run, dir.filePath(u("run.pdf")), &error), qPrintable(error));
    checkReceiptsKeepToTheirCells(run);
}

QModelIndex customerCell(StartedWindow& started, int row, CustomerList::Column column)
{
    CustomerList* list = started.window->customerList();
    return list->model()->index(row, list->modelColumn(column));
}

} // namespace

void TestHostileInput::hostileValues()
{
    QTest::addColumn<QString>("value");
    QTest::newRow("single quote") << u("O'Brien");
    QTest::newRow("double quotes") << u("\"引用\" と 'いんよう'");
    QTest::newRow("SQL: drop table") << u("'); DROP TABLE 顧客マスタ; --");
    QTest::newRow("SQL: or true") << u("x' OR '1'='1");
    QTest::newRow("SQL: comment and semicolon") << u("a; -- b /* c */");
    QTest::newRow("percent and underscore") << u("100% _x_ %s %n");
    QTest::newRow("10,000 characters") << QString(10000, QChar(0x9577));
    QTest::newRow("10,000 ASCII letters") << QString(10000, QLatin1Char('W'));
    QTest::newRow("emoji and surrogate pairs") << u("😀👨‍👩‍👧 𠮷野家 🇯🇵");
    QTest::newRow("lone surrogate") << QString(u("前")) + QChar(0xD83D) + u("後");
    QTest::newRow("combining and right-to-left") << u("e\u0301 \u202Eabc\u202C \u0645\u0631\u062D\u0628\u0627");
    QTest::newRow("tab and bell") << u("a\tb\u0007c\u007F");
    QTest::newRow("line breaks") << u("一行目\n二行目\r\n三行目");
    QTest::newRow("NUL inside") << QString(u("前")) + QChar(0) + u("後");
    QTest::newRow("blanks only") << u("\u3000 \u3000");
    QTest::newRow("amount 0") << u("0");
    QTest::newRow("amount -1") << u("-1");
    QTest::newRow("amount 99,999,999,999") << u("99,999,999,999");
    QTest::newRow("amount 99999999999") << u("99999999999");
    QTest::newRow("amount 9,999,999,999") << u("9,999,999,999");
    QTest::newRow("full-width amount") << u("１２，３４５");
    QTest::newRow("text in a number") << u("12abc");
    QTest::newRow("exponent") << u("1e9");
}

void TestHostileInput::initTestCase()
{
    ApplicationSetup::apply(*static_cast<QApplication*>(QCoreApplication::instance()));
    Clock::fixToday(QDate(2026, 12, 10));
}

// The category box, a name, an amount and a proviso of the customer grid; saved with 登録 and
// printed as a list run on the largest and the smallest cells.
void TestHostileInput::customerList()
{
    QFETCH(QString, value);
    const QString category = u("会員");
    StartedWindow started([&] {
        QVERIFY(CustomerMasterTable::replaceCategory(category, {{1, u("先客"), category, u("元の但書")}}));
        QVERIFY(CustomerMasterTable::replaceCategory(u("他"), {{1, u("よその人"), u("他"), QVariant()}}));
    });
    QVERIFY(started.show());
    ScriptedMessagePresenter& presenter = ScriptedMessagePresenter::install();

    // A hostile category: typed as a name of the category code list on the settings page, saved,
    // then chosen from the receipt page's category list.
    started.get<QTabWidget>("SSTab1")->setCurrentIndex(1);
    auto* kind = started.get<QComboBox>("cmbコード区分");
    kind->setCurrentIndex(kind->findText(u("顧客区分")));
    click(started.window.get(), "cmd設定読込");
    auto* codes = started.get<QTableView>("Gridコード表");
    auto* codeModel = qobject_cast<QSqlTableModel*>(codes->model());
    const CellOutcome categoryCell =
        typeTextCell(codes, codeModel->index(0, codeModel->fieldIndex(u("sname"))), value, presenter);
    QVERIFY2(categoryCell.sound, qPrintable(describe(presenter)));
    const QString categoryShown = categoryCell.held;
    presenter.shown.clear();
    presenter.answers = {true};
    click(started.window.get(), "cmd設定登録");
    QVERIFY2(presenter.shown.size() == 1, qPrintable(describe(presenter)));
    presenter.shown.clear();
    started.get<QTabWidget>("SSTab1")->setCurrentIndex(0);
    click(started.window.get(), "cmdクリア");
    auto* box = started.get<QComboBox>("cmb顧客区分");
    box->setCurrentIndex(box->findText(categoryShown));
    QCOMPARE(box->currentText(), categoryShown);
    click(started.window.get(), "cmd徴収読込");
    auto* grid = started.get<QTableView>("Grid顧客");
    const CellOutcome nameCell = typeTextCell(grid, customerCell(started, 0, CustomerList::Col顧客名), value, presenter);
    QVERIFY2(nameCell.sound, qPrintable(describe(presenter)));
    const QString nameShown = nameCell.held;
    const CellOutcome provisoCell = typeTextCell(grid, customerCell(started, 0, CustomerList::Col但書), value, presenter);
    QVERIFY2(provisoCell.sound, qPrintable(describe(presenter)));
    const QString provisoShown = provisoCell.held;
    const bool textsTaken = categoryCell.taken && nameCell.taken && provisoCell.taken;
    presenter.shown.clear();
    const QString amountShown = typeIntoCell(grid, customerCell(started, 0, CustomerList::Col領収額), value);
    const int messagesBeforeRowNumber = int(presenter.shown.size());
    const QString rowNumberShown = typeIntoCell(grid, customerCell(started, 0, CustomerList::Col行番号), value);
    QVERIFY(QApplication::activeModalWidget() == nullptr);

    // The row number decides the order of the print run: a whole number, or refused with a message.
    const QList<CustomerWorkRow> work = CustomerWorkTable::rows();
    QVERIFY(!work.isEmpty());
    const QVariant rowNumber = TestData::columnWork(u("SELECT 行番号 FROM w顧客マスタ ORDER BY id LIMIT 1")).value(0);
    qint64 typedNumber = 0;
    const bool whole = AmountText::parse(rowNumberShown, &typedNumber); // half- or full-width digits
    if (whole && typedNumber >= 1 && typedNumber <= 99999) {
        QCOMPARE(rowNumber.typeId(), QMetaType::LongLong);
        QCOMPARE(rowNumber.toLongLong(), typedNumber);
        QCOMPARE(int(presenter.shown.size()), messagesBeforeRowNumber);
    } else {
        QCOMPARE(rowNumber.typeId(), QMetaType::LongLong);
        QCOMPARE(rowNumber.toLongLong(), 1LL);
        if (rowNumberShown != u("1")) {
            QCOMPARE(int(presenter.shown.size()), messagesBeforeRowNumber + 1);
            QCOMPARE(presenter.shown.last().title, u("入力注意"));
            presenter.shown.removeLast();
        }
    }

    const AmountOutcome amount = amountFor(amountShown);
    QCOMPARE(work[0].領収額.isNull(), amount.stored.isNull());
    if (!amount.stored.isNull())
        QCOMPARE(work[0].領収額.toLongLong(), amount.stored.toLongLong());
    QCOMPARE(presenter.shown.size(), amount.refused ? 1 : 0);
    for (const MessageBoxSpec& shown : presenter.shown)
        QVERIFY2(japanese(shown), qPrintable(describe(presenter)));

    presenter.shown.clear();
    presenter.answers = {true};
    click(started.window.get(), "cmd登録");
    const QList<CustomerRecord> saved = CustomerMasterTable::readCategory(categoryShown);
    if (presenter.shown.size() > 1) {
        // Refused: said in Japanese, and the category keeps what it had.
        QVERIFY2(japanese(presenter.shown[1]), qPrintable(describe(presenter)));
        QVERIFY(categoryShown == category ? saved.size() == 1 : saved.isEmpty());
    } else {
        QVERIFY2(presenter.shown.size() == 1, qPrintable(describe(presenter)));
        QCOMPARE(saved.size(), nameShown.isEmpty() ? 0 : 1);
        if (!saved.isEmpty()) {
            QCOMPARE(saved[0].区分, categoryShown);
            QCOMPARE(saved[0].顧客名.toString(), nameShown);
            QCOMPARE(saved[0].但書.isNull(), provisoShown.isEmpty());
            QCOMPARE(saved[0].但書.toString(), provisoShown);
        }
        // What the user typed is what the cells held, unless they refused it.
        if (textsTaken) {
            QCOMPARE(categoryShown, value);
            QCOMPARE(nameShown, value);
            QCOMPARE(provisoShown, value);
        }
    }
    // Nothing else moved.
    QCOMPARE(CustomerMasterTable::readCategory(u("他")).value(0).顧客名.toString(), u("よその人"));
    if (categoryShown != category)
        QCOMPARE(CustomerMasterTable::readCategory(category).value(0).顧客名.toString(), u("先客"));
    QCOMPARE(TestData::columnMain(u("SELECT count(*) FROM 顧客マスタ WHERE 区分 NOT IN (?, ?, ?)"),
                                  {category, u("他"), categoryShown}),
             QVariantList{0});

    // The list run prints it, inside the cells.
    click(started.window.get(), "cmd全選択");
    for (const QString& paper : {u("A4 x 4"), u("A4 x 8 T3")}) {
        ReportPreview* preview = printRun(started, paper, false);
        QVERIFY(preview);
        ReportRun& run = preview->run();
        QCOMPARE(run.cellCount(), nameShown.isEmpty() ? 0 : 1);
        if (run.cellCount() == 1)
            QCOMPARE(run.text(0, u("txt氏名")), nameShown);
        writeAndCheck(run);
        preview->close();
    }
}

// The receipt form's own texts, the date box and the copies count, printed as blank forms.
void TestHostileInput::receiptFormAndBlankRun()
{
    QFETCH(QString, value);
    StartedWindow started;
    QVERIFY(started.show());
    ScriptedMessagePresenter& presenter = ScriptedMessagePresenter::install();
    QHash<QString, QString> shown;
    for (const char* name : {"txt領収証タイトル", "txt領収証但書", "txt自社名領収証"}) {
        auto* edit = started.get<QLineEdit>(name);
        typeOver(edit, value);
        shown[u(name)] = edit->text();
        QCOMPARE(edit->text(), value);
    }
    auto* info = started.get<QPlainTextEdit>("txt自社情報領収証");
    info->setFocus();
    info->selectAll();
    enter(info, value);
    QCOMPARE(info->toPlainText(), QString(value).replace(u("\r\n"), u("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n')));

    // The date box takes a date or keeps its own.
    auto* date = started.get<DateBox>("Dt領収日付");
    const QString dateBefore = date->text();
    auto* dateEdit = date->findChild<QLineEdit*>();
    QVERIFY(dateEdit);
    typeOver(dateEdit, value);
    started.get<QLineEdit>("txt領収証タイトル")->setFocus();
    QVERIFY(date->text() == dateBefore || !date->isBlank() || value.trimmed().isEmpty());
    // Text that is no date is refused with a word, never dropped silently.
    if (date->text() == dateBefore && !value.trimmed().isEmpty()) {
        QCOMPARE(presenter.shown.size(), 1);
        QVERIFY(presenter.shown[0].prompt.contains(u("日付として読み取れません")));
    }
    presenter.shown.clear();

    // The copies count holds a number within its range, or nothing.
    click(started.window.get(), "cmd徴収印刷");
    auto* copies = started.get<NumberBox>("num枚数");
    typeOver(copies, value);
    started.get<QRadioButton>("Opt白紙印刷")->setFocus();
    QVERIFY(copies->isEmpty() || (copies->value() >= copies->minimum() && copies->value() <= copies->maximum()));
    QVERIFY2(presenter.shown.isEmpty(), qPrintable(describe(presenter)));

    for (const QString& paper : {u("A4 x 4 控付"), u("A4 x 8 T4")}) {
        ReportPreview* preview = printRun(started, paper, true);
        QVERIFY(preview);
        ReportRun& run = preview->run();
        QCOMPARE(run.cellCount(), 5);
        QCOMPARE(run.text(0, u("txt会名称")), shown.value(u("txt自社名領収証")));
        const QString proviso = shown.value(u("txt領収証但書"));
        if (!proviso.isEmpty())
            QCOMPARE(run.text(0, u("txt但書")), proviso);
        writeAndCheck(run);
        preview->close();
    }
    QVERIFY2(presenter.shown.isEmpty(), qPrintable(describe(presenter)));
}

// The settings block and a name of the proviso code list, saved with 登録.
void TestHostileInput::settingsPage()
{
    QFETCH(QString, value);
    StartedWindow started([] { QVERIFY(CompanyTable::writeFirst({u("旧名"), u("旧情報"), u("西暦"), 25})); });
    QVERIFY(started.show());
    started.get<QTabWidget>("SSTab1")->setCurrentIndex(1);
    ScriptedMessagePresenter& presenter = ScriptedMessagePresenter::install();

    auto* kind = started.get<QComboBox>("cmbコード区分");
    kind->setCurrentIndex(kind->findText(u("但書")));
    const QString kindShown = kind->currentText();
    const QVariantList otherCodes = TestData::columnMain(
        u("SELECT kcode || '|' || code || '|' || ifnull(sname, '<N>') FROM コードマスタ WHERE kcode <> ? ORDER BY rowid"),
        {kindShown});
    click(started.window.get(), "cmd設定読込");
    auto* name = started.get<QLineEdit>("txt自社名");
    typeOver(name, value);
    auto* info = started.get<QPlainTextEdit>("txt自社情報");
    info->setFocus();
    info->selectAll();
    enter(info, value);
    auto* number = started.get<NumberBox>("num領収証番号");
    typeOver(number, value);
    auto* grid = started.get<QTableView>("Gridコード表");
    auto* model = qobject_cast<QSqlTableModel*>(grid->model());
    const QString codeNameShown = typeIntoCell(grid, model->index(0, model->fieldIndex(u("sname"))), value);
    QVERIFY(number->isEmpty() || (number->value() >= 0 && number->value() <= number->maximum()));
    const QString nameShown = name->text();
    const QString infoShown = info->toPlainText();
    // An empty number box keeps the stored counter.
    const std::optional<CompanySettingsRecord> before = CompanyTable::readFirst();
    const QVariant numberShown = number->isEmpty() ? (before ? before->領収証番号 : QVariant()) : QVariant(number->value());

    presenter.shown.clear();
    presenter.answers = {true};
    click(started.window.get(), "cmd設定登録");
    const std::optional<CompanySettingsRecord> stored = CompanyTable::readFirst();
    QVERIFY(stored);
    const bool refused = presenter.shown.size() > 1;
    if (refused) {
        QVERIFY2(japanese(presenter.shown[1]), qPrintable(describe(presenter)));
    } else {
        QCOMPARE(presenter.shown.size(), 1);
        QCOMPARE(nameShown, value);
        QCOMPARE(codeNameShown, value);
    }
    if (!refused || stored->自社名.toString() != u("旧名")) {
        // Saved: exactly what the boxes showed.
        QCOMPARE(stored->自社名.toString(), nameShown);
        QCOMPARE(stored->自社情報.toString(), infoShown);
        QCOMPARE(stored->領収証番号.isNull(), numberShown.isNull());
        QCOMPARE(stored->領収証番号.toLongLong(), numberShown.toLongLong());
    } else {
        QCOMPARE(stored->自社情報.toString(), u("旧情報"));
    }
    if (!refused) {
        const QList<CodeRecord> codes = CodeMasterTable::readKind(kindShown);
        QCOMPARE(codes.size(), 30);
        QCOMPARE(codes[0].sname.toString(), codeNameShown);
        QVERIFY(codes[1].sname.toString().isEmpty());
    }
    // The other code kind is untouched.
    QCOMPARE(TestData::columnMain(u("SELECT kcode || '|' || code || '|' || ifnull(sname, '<N>') FROM コードマスタ "
                                    "WHERE kcode <> ? ORDER BY rowid"),
                                  {kindShown}),
             otherCodes);
    QCOMPARE(TestData::columnMain(u("SELECT count(*) FROM 自社情報")), QVariantList{1});
}

// The hint text, saved with the hint window's 登録.
void TestHostileInput::hintWindow()
{
    QFETCH(QString, value);
    StartedWindow started;
    QVERIFY(started.show());
    ScriptedMessagePresenter& presenter = ScriptedMessagePresenter::install();
    const QVariantList others = TestData::columnWork(
        u("SELECT FormName || '|' || CtlName || '|' || ifnull(Contents, '<N>') FROM ClHint WHERE CtlName <> 'cmdHint' "
          "ORDER BY rowid"));
    click(started.window.get(), "cmdHint");
    HintWindow* hint = started.window->hintWindow();
    QVERIFY(hint);
    click(hint, "cmd編集");
    auto* contents = hint->findChild<QPlainTextEdit*>(u("txtContents"));
    contents->setFocus();
    contents->selectAll();
    enter(contents, value);
    const QString shown = contents->toPlainText();
    presenter.answers = {true};
    click(hint, "cmd登録");
    const QList<HintRecord> stored = HintTable::read(u("Frm領収証"), u("cmdHint"));
    QCOMPARE(stored.size(), 1);
    if (presenter.shown.size() == 2 && presenter.shown[1].title == u("登録完了")) {
        QCOMPARE(stored[0].Contents.toString(), shown);
        QCOMPARE(shown, QString(value).replace(u("\r\n"), u("\n")).replace(QLatin1Char('\r'), QLatin1Char('\n')));
    } else {
        QVERIFY2(presenter.shown.size() == 2 && japanese(presenter.shown[1]), qPrintable(describe(presenter)));
    }
    QCOMPARE(TestData::columnWork(u("SELECT FormName || '|' || CtlName || '|' || ifnull(Contents, '<N>') FROM ClHint "
                                    "WHERE CtlName <> 'cmdHint' ORDER BY rowid")),
             others);
    // Read back as the window shows it.
    hint->close();
    click(started.window.get(), "cmdHint");
    QCOMPARE(started.window->hintWindow()->findChild<QPlainTextEdit*>(u("txtContents"))->toPlainText(),
             stored[0].Contents.toString());
}

void TestHostileInput::overLongPasteIsRefusedWhole_data()
{
    QTest::addColumn<QString>("field");
    QTest::addColumn<int>("length");
    for (const char* field : {"txt自社名", "txt領収証但書", "customer name", "proviso", "code name"}) {
        QTest::addRow("%s, 32,767 characters", field) << u(field) << 32767;
        QTest::addRow("%s, 40,000 characters", field) << u(field) << 40000;
    }
}

// A paste over the whole text of a box or cell: up to the length limit it is stored whole;
// beyond it, it is refused with a message in Japanese and the old text stays. Never a cut.
void TestHostileInput::overLongPasteIsRefusedWhole()
{
    QFETCH(QString, field);
    QFETCH(int, length);
    QString value;
    for (int i = 0; i < length; ++i)
        value += i % 10 == 9 ? QChar(u'X') : QChar(0x4E00 + i % 500);
    const QString old = u("元");
    StartedWindow started([&] {
        TestData::execMain(u("UPDATE コードマスタ SET sname = ? WHERE kcode = '顧客区分' AND code = '01'"), {old});
    });
    QVERIFY(started.show());
    ScriptedMessagePresenter& presenter = ScriptedMessagePresenter::install();
    QApplication::clipboard()->setText(value);
    auto pasteOver = [](QLineEdit* line) {
        line->setFocus();
        line->selectAll();
        QTest::keyClick(line, Qt::Key_V, Qt::ControlModifier);
        QCoreApplication::processEvents(); // the message comes once the paste has finished
    };
    QVariant held;
    if (field.startsWith(u("txt"))) {
        auto* line = started.get<QLineEdit>(field.toUtf8().constData());
        line->setText(old);
        pasteOver(line);
        held = line->text();
    } else {
        const bool code = field == u("code name");
        started.get<QTabWidget>("SSTab1")->setCurrentIndex(code ? 1 : 0);
        auto* grid = started.get<QTableView>(code ? "Gridコード表" : "Grid顧客");
        auto* model = qobject_cast<QSqlTableModel*>(grid->model());
        if (!code) {
            TestData::execWork(u("UPDATE w顧客マスタ SET 顧客名 = ?, 但書 = ? WHERE 行番号 = 1"), {old, old});
            model->select();
        }
        const QModelIndex index =
            model->index(0, model->fieldIndex(code ? u("sname") : field == u("proviso") ? u("但書") : u("顧客名")));
        QCOMPARE(index.data().toString(), old);
        grid->setFocus();
        grid->setCurrentIndex(QModelIndex());
        grid->setCurrentIndex(index);
        QWidget* editor = QApplication::focusWidget();
        auto* line = qobject_cast<QLineEdit*>(editor);
        if (auto* combo = qobject_cast<QComboBox*>(editor))
            line = combo->lineEdit();
        QVERIFY(line);
        pasteOver(line);
        QTest::keyClick(editor, Qt::Key_Return);
        QCoreApplication::processEvents();
        held = index.data(Qt::EditRole);
    }
    if (length <= 32767) {
        QCOMPARE(held.toString().size(), value.size());
        QVERIFY(held.toString() == value);
        QVERIFY2(presenter.shown.isEmpty(), qPrintable(describe(presenter)));
    } else {
        QCOMPARE(held.toString(), old);
        QCOMPARE(presenter.shown.size(), 1);
        QVERIFY2(japanese(presenter.shown[0]), qPrintable(describe(presenter)));
    }
}

QTEST_MAIN(TestHostileInput)
#include "tst_hostile_input.moc"
