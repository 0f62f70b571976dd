// Long use: random user actions through the real main window and hint window, checked against a
// shadow of what the databases must hold. The seed is printed; LEDRIUM_MONKEY_SEED replays a run,
// LEDRIUM_MONKEY_ACTIONS sets its length, LEDRIUM_SOAK=1 runs 5,000 actions and checks memory,
// LEDRIUM_MONKEY_DUMP=1 logs every action and the final lists.
#include "ScriptedMessagePresenter.h"
#include "TestText.h"
#include "StartedWindow.h"
#include "TypeText.h"
#include "app/ApplicationSetup.h"
#include "customers/CustomerList.h"
#include "domain/AmountText.h"
#include "domain/Clock.h"
#include "hints/HintWindow.h"
#include "hints/HintWindow.h"
#include "preview/ReportPreview.h"
#include "printing/PrintRuns.h"
#include "receipt/ReceiptRun.h"
#include "report/ReportRun.h"
#include "store/CustomerWorkTable.h"
#include "ui/NumberBox.h"

#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QElapsedTimer>
#include <QFile>
#include <QLineEdit>
#include <QMap>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QRandomGenerator>
#include <QSqlTableModel>
#include <QTabWidget>
#include <QTableView>
#include <QTemporaryDir>
#include <QToolButton>

#include <optional>

namespace {

qint64 residentKiB()
{
    QFile status(u("/proc/self/status"));
    if (!status.open(QIODevice::ReadOnly))
        return -1;
    for (const QByteArray& line : status.readAll().split('\n'))
        if (line.startsWith("VmRSS:"))
            return line.mid(6).trimmed().split(' ').value(0).toLongLong();
    return -1;
}

// What the user can see and what the files must hold.
struct Shadow {
    struct WorkRow {
        qint64 number = 0; // 行番号; 0 = as the rebuild numbered it
        bool check = false;
        QVariant name, amount, proviso;
    };
    struct Settings {
        QVariant name, info, era, number;
    };
    struct Member {
        QVariant name, proviso, amount;
    };
    QMap<QString, QList<Member>> customers; // category -> members by row number
    QString shownCategory;                  // the category whose list w顧客マスタ was loaded with
    QMap<QString, QList<QVariant>> codes;                      // kcode -> sname by code
    std::optional<Settings> settings;
    qint64 highestIssued = 0; // in the register of issued receipts: never issued again
    QMap<QString, QVariant> hints; // Frm領収証's hints by control name
    QList<WorkRow> work;           // w顧客マスタ
    QList<QVariant> codeWork;      // wコードマスタ names
};

QString text(const QVariant& v) { return v.isNull() ? u("<N>") : v.toString(); }

QStringList storedCustomers()
{
    QStringList rows;
    for (const QVariant& v : TestData::columnMain(
             u("SELECT 区分 || '|' || 行番号 || '|' || ifnull(顧客名, '<N>') || '|' || ifnull(但書, '<N>') || '|' || "
               "ifnull(領収額, '<N>') "
               "FROM 顧客マスタ ORDER BY 区分, 行番号")))
        rows << v.toString();
    return rows;
}

QStringList storedCodes()
{
    QStringList rows;
    for (const QVariant& v : TestData::columnMain(
             u("SELECT kcode || '|' || ifnull(sname, '<N>') FROM コードマスタ ORDER BY kcode, code")))
        rows << v.toString();
    return rows;
}

QStringList storedSettings()
{
    QStringList rows;
    for (const QVariant& v : TestData::columnMain(
             u("SELECT ifnull(自社名,'<N>') || '|' || ifnull(自社情報,'<N>') || '|' || ifnull(年号,'<N>') || '|' || "
               "ifnull(領収証番号,'<N>') FROM 自社情報 ORDER BY rowid")))
        rows << v.toString();
    return rows;
}

QStringList storedHints()
{
    QStringList rows;
    for (const QVariant& v : TestData::columnWork(u("SELECT CtlName || '|' || ifnull(Contents, '<N>') FROM ClHint "
                                                    "WHERE FormName = 'Frm領収証' ORDER BY CtlName, rowid")))
        rows << v.toString();
    return rows;
}

QStringList storedWork()
{
    QStringList rows;
    for (const CustomerWorkRow& r : CustomerWorkTable::rows())
        rows << QStringLiteral("%1|%2|%3|%4").arg(r.チェック).arg(text(r.顧客名), text(r.領収額), text(r.但書));
    return rows;
}

} // namespace

class TestMonkey : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void randomUse();

private:
    // Actions.
    void chooseCategory();
    bool amountsUnregistered() const;
    void typeName();
    void typeAmount();
    void typeProviso();
    void typeRowNumber();
    void toggleMark();
    void markAll(bool flag);
    void clearList();
    void saveCustomers();
    void editAndSaveSettings();
    void print();
    void editHint();
    void initialiseData();

    // Checks.
    bool checkWork();
    bool checkStored();

    QString pick(const QStringList& pool) { return pool.at(int(random_.bounded(qsizetype(pool.size())))); }
    int below(int n) { return int(random_.bounded(n)); }
    QModelIndex cell(int row, CustomerList::Column column);
    QString typeIntoCell(QTableView* grid, const QModelIndex& index, const QString& text);
    void useTab(int index) { started_->get<QTabWidget>("SSTab1")->setCurrentIndex(index); }
    void expectNoWarnings(int from);

    QRandomGenerator random_;
    std::unique_ptr<StartedWindow> started_;
    ScriptedMessagePresenter* presenter_ = nullptr;
    Shadow shadow_;
    QString failure_;
    QTemporaryDir pdfDir_;
    int pdfs_ = 0;
};

namespace {

const QStringList Names = {u("相川"), u("O'Neil"), u("\"引用\""), u("'); DROP TABLE 顧客マスタ; --"), u("😀𠮷"),
                           u("山田 太郎"), QString(), u("x"), QString(120, QChar(0x9577))};
const QStringList Amounts = {u("0"), u("1500"), u("12,000"), u("9999999999"), u("99999999999"), u("-5"),
                             u("abc"), QString(), u("１２３")};
const QStringList Papers = {u("A4 x 4"), u("A4 x 4 控付"), u("A4 x 4 T2"), u("A4 x 4 T3"),
                            u("A4 x 4 T4"), u("A4 x 8"),     u("A4 x 8 T3"), u("A4 x 8 T4")};

} // namespace

void TestMonkey::initTestCase()
{
    ApplicationSetup::apply(*static_cast<QApplication*>(QCoreApplication::instance()));
    Clock::fixToday(QDate(2026, 12, 10));
    QVERIFY(pdfDir_.isValid());
}

QModelIndex TestMonkey::cell(int row, CustomerList::Column column)
{
    CustomerList* list = started_->window->customerList();
    return list->model()->index(row, list->modelColumn(column));
}

QString TestMonkey::typeIntoCell(QTableView* grid, const QModelIndex& index, const QString& text)
{
    grid->setFocus();
    grid->setCurrentIndex(QModelIndex());
    grid->setCurrentIndex(index);
    QWidget* editor = QApplication::focusWidget();
    if (!editor || editor == grid) {
        failure_ = u("no editor opened on a cell");
        return {};
    }
    QLineEdit* line = qobject_cast<QLineEdit*>(editor);
    if (auto* combo = qobject_cast<QComboBox*>(editor))
        line = combo->lineEdit();
    line->selectAll();
    QTest::keyClick(line, Qt::Key_Delete);
    typeText(line, text);
    const QString shown = line->text();
    QTest::keyClick(editor, Qt::Key_Return);
    return shown;
}

// Any box other than the questions and the completion notes means something failed.
void TestMonkey::expectNoWarnings(int from)
{
    for (int i = from; i < presenter_->shown.size(); ++i) {
        const MessageBoxSpec& box = presenter_->shown[i];
        if (box.style == MessageStyle::Warn && box.title != u("入力注意"))
            failure_ = u("unexpected message: ") + box.title + u(" | ") + box.prompt;
    }
}

void TestMonkey::chooseCategory()
{
    useTab(0);
    // Categories are the names of the category code list, offered after クリア; the box takes
    // no typing, but Delete empties it.
    auto* box = started_->get<QComboBox>("cmb顧客区分");
    box->setFocus();
    const int choice = below(int(box->count()) + 1) - 1;
    if (choice < 0) {
        box->lineEdit()->selectAll();
        QTest::keyClick(box->lineEdit(), Qt::Key_Delete);
    } else {
        box->setCurrentIndex(choice);
    }
    typeText(box->lineEdit(), pick(Names)); // refused
    // A load that would lose typed amounts asks first; the same answer to every question.
    const bool asks = amountsUnregistered();
    const bool yes = below(2);
    const QString chosen = box->currentText();
    presenter_->answers = {yes, yes, yes};
    const int before = int(presenter_->shown.size());
    if (below(2))
        click(started_->window.get(), "cmd徴収読込");
    started_->get<QTableView>("Grid顧客")->setFocus(); // leaving the box loads the list
    presenter_->answers.clear();
    const bool asked = presenter_->shown.size() > before;
    if (asked != asks)
        failure_ = QStringLiteral("loading %1 %2 about typed amounts").arg(chosen, asked ? u("asked") : u("did not ask"));
    if (asks && !yes) { // the list and its category stay
        if (box->currentText() != shadow_.shownCategory)
            failure_ = u("the category box did not go back to ") + shadow_.shownCategory;
        return;
    }
    // Loaded: the named rows moved up, marked, with their usual amounts; at least 100 rows.
    shadow_.shownCategory = chosen;
    const auto& master = shadow_.customers.value(chosen);
    shadow_.work.clear();
    for (const auto& row : master)
        if (!row.name.isNull())
            shadow_.work.append(Shadow::WorkRow{0, true, row.name, row.amount, row.proviso});
    while (shadow_.work.size() < 100)
        shadow_.work.append(Shadow::WorkRow{});
}

// An amount on screen that is not the registered one of its member (row by row as a load laid
// the members out) is lost by the next load.
bool TestMonkey::amountsUnregistered() const
{
    const auto master = shadow_.customers.value(shadow_.shownCategory);
    qsizetype next = 0;
    for (const Shadow::WorkRow& row : shadow_.work) {
        QVariant registered;
        if (!row.name.isNull() && next < master.size() && master[next].name == row.name)
            registered = master[next++].amount;
        if (!row.amount.isNull() && (registered.isNull() || registered.toString() != row.amount.toString()))
            return true;
    }
    return false;
}

void TestMonkey::typeName()
{
    useTab(0);
    const int row = below(12);
    const QString shown = typeIntoCell(started_->get<QTableView>("Grid顧客"), cell(row, CustomerList::Col顧客名),
                                       pick(Names));
    Shadow::WorkRow& r = shadow_.work[row];
    const bool erased = shown.isEmpty() && !r.name.isNull();
    if (!shown.isEmpty() || erased)
        r.name = shown.isEmpty() ? QVariant() : QVariant(shown);
    if (erased)
        r.check = false; // an erased name takes its mark with it; a blank cell left blank changes nothing
}

void TestMonkey::typeAmount()
{
    useTab(0);
    const int row = below(12);
    const int before = int(presenter_->shown.size());
    const QString shown = typeIntoCell(started_->get<QTableView>("Grid顧客"), cell(row, CustomerList::Col領収額),
                                       pick(Amounts));
    qint64 amount = 0;
    if (shown.trimmed().isEmpty())
        shadow_.work[row].amount = QVariant();
    else if (AmountText::parse(shown.trimmed(), &amount) && amount >= 0 && amount <= AmountText::Maximum)
        shadow_.work[row].amount = amount;
    else if (presenter_->shown.size() != before + 1)
        failure_ = u("an amount out of range was taken without a message: ") + shown;
}

void TestMonkey::typeProviso()
{
    useTab(0);
    const int row = below(12);
    const QString shown =
        typeIntoCell(started_->get<QTableView>("Grid顧客"), cell(row, CustomerList::Col但書), pick(Names));
    Shadow::WorkRow& r = shadow_.work[row];
    if (!shown.isEmpty() || !r.proviso.isNull())
        r.proviso = shown.isEmpty() ? QVariant() : QVariant(shown);
}

void TestMonkey::typeRowNumber()
{
    useTab(0);
    const int row = below(12);
    const int before = int(presenter_->shown.size());
    const QString shown = typeIntoCell(started_->get<QTableView>("Grid顧客"), cell(row, CustomerList::Col行番号),
                                       pick({u("1"), u("3"), u("50"), u("0"), u("abc"), u("120000"), QString(), u("99999")}));
    bool whole = false;
    const qint64 number = shown.toLongLong(&whole);
    if (whole && number >= 1 && number <= 99999)
        shadow_.work[row].number = number;
    else if (presenter_->shown.size() != before + 1)
        failure_ = u("a row number was refused without a message: ") + shown;
}

void TestMonkey::toggleMark()
{
    useTab(0);
    const int row = below(12);
    auto* grid = started_->get<QTableView>("Grid顧客");
    const QModelIndex mark = cell(row, CustomerList::Colチェック);
    grid->scrollTo(mark);
    QTest::mouseClick(grid->viewport(), Qt::LeftButton, {}, grid->visualRect(mark).center());
    shadow_.work[row].check = !shadow_.work[row].check;
}

void TestMonkey::markAll(bool flag)
{
    useTab(0);
    click(started_->window.get(), flag ? "cmd全選択" : "cmd全解除");
    // Only named rows change; a mark on a blank row stays as it is.
    for (Shadow::WorkRow& r : shadow_.work)
        if (!r.name.isNull())
            r.check = flag;
}

void TestMonkey::clearList()
{
    useTab(0);
    click(started_->window.get(), "cmdクリア");
    shadow_.work = QList<Shadow::WorkRow>(100);
    shadow_.shownCategory.clear();
}

void TestMonkey::saveCustomers()
{
    useTab(0);
    const bool yes = below(4) != 0;
    presenter_->answers = {yes};
    const int before = int(presenter_->shown.size());
    click(started_->window.get(), "cmd登録");
    expectNoWarnings(before);
    if (!yes)
        return;
    QList<Shadow::Member> saved;
    for (const Shadow::WorkRow& r : shadow_.work)
        if (!r.name.isNull())
            saved.append({r.name, r.proviso, r.amount});
    const QString category = started_->get<QComboBox>("cmb顧客区分")->currentText();
    if (saved.isEmpty())
        shadow_.customers.remove(category);
    else
        shadow_.customers[category] = saved;
}

void TestMonkey::editAndSaveSettings()
{
    useTab(1);
    QWidget* window = started_->window.get();
    // The code list of one kind, read afresh, with a few names typed over.
    auto* kind = started_->get<QComboBox>("cmbコード区分");
    kind->setCurrentIndex(below(kind->count()));
    const QString kcode = kind->currentText();
    click(window, "cmd設定読込");
    shadow_.codeWork = shadow_.codes.value(kcode);
    while (shadow_.codeWork.size() < 30)
        shadow_.codeWork.append(QString());
    auto* grid = started_->get<QTableView>("Gridコード表");
    auto* model = qobject_cast<QSqlTableModel*>(grid->model());
    for (int n = below(3); n > 0; --n) {
        const int row = below(30);
        const QString shown = typeIntoCell(grid, model->index(row, model->fieldIndex(u("sname"))), pick(Names));
        if (!shown.isEmpty() || !shadow_.codeWork[row].isNull())
            shadow_.codeWork[row] = shown.isEmpty() ? QVariant() : QVariant(shown);
    }
    // The settings block.
    auto* name = started_->get<QLineEdit>("txt自社名");
    name->setFocus();
    name->selectAll();
    QTest::keyClick(name, Qt::Key_Delete);
    typeText(name, pick(Names));
    auto* info = started_->get<QPlainTextEdit>("txt自社情報");
    info->setFocus();
    info->selectAll();
    QTest::keyClick(info, Qt::Key_Delete);
    typeText(info, pick({u("東京都"), u("一行目\n二行目"), QString(), u("'); --")}));
    auto* era = started_->get<QComboBox>("cmb年号");
    era->setCurrentIndex(below(era->count()));
    auto* number = started_->get<NumberBox>("num領収証番号");
    number->setFocus();
    number->selectAll();
    QTest::keyClick(number, Qt::Key_Delete);
    const QString typedNumber = pick({QString(), u("0"), u("7"), u("120"), u("99999999"), u("5000")});
    typeText(number, typedNumber);
    if (below(2))
        QTest::keyClick(number, Qt::Key_Return);

    const bool yes = below(4) != 0;
    presenter_->answers = {yes};
    const int before = int(presenter_->shown.size());
    // A saved number below the register's highest is saved as that one (the user is told).
    const qint64 registered =
        TestData::columnMain(u("SELECT coalesce(max(領収証番号), 0) FROM 発行記録")).value(0).toLongLong();
    const qint64 expected =
        yes && !typedNumber.isEmpty() ? std::max(typedNumber.toLongLong(), registered) : typedNumber.toLongLong();
    click(window, "cmd設定登録"); // the button takes the focus, and the box its typed number
    if (!typedNumber.isEmpty() && expected != typedNumber.toLongLong()) {
        const auto told = std::find_if(presenter_->shown.begin() + before, presenter_->shown.end(), [](const auto& box) {
            return box.prompt.contains(u("発行記録にある番号は二度と使わない"));
        });
        if (told == presenter_->shown.end())
            failure_ = u("a number below the register was saved without a word: ") + typedNumber;
        else
            presenter_->shown.erase(told);
    }
    expectNoWarnings(before);
    if (number->isEmpty() != typedNumber.isEmpty() || (!typedNumber.isEmpty() && number->value() != expected))
        failure_ = u("the receipt number box does not hold what was typed: ") + typedNumber;
    if (!yes)
        return;
    shadow_.settings = Shadow::Settings{name->text(), info->toPlainText(), era->currentText(),
                                        typedNumber.isEmpty()
                                            ? (shadow_.settings ? shadow_.settings->number : QVariant())
                                            : QVariant(expected)};
    QList<QVariant> saved;
    for (const QVariant& v : shadow_.codeWork)
        saved.append(v.isNull() ? QString(QLatin1String("")) : v.toString());
    shadow_.codes[kcode] = saved;
}

void TestMonkey::print()
{
    useTab(0);
    QWidget* window = started_->window.get();
    click(window, "cmd徴収印刷");
    auto* paper = started_->get<QComboBox>("cmb用紙");
    paper->setCurrentIndex(paper->findText(pick(Papers)));
    const bool blank = below(3) == 0;
    started_->get<QRadioButton>(blank ? "Opt白紙印刷" : "Optリスト印刷")->setChecked(true);
    const int copies = 1 + below(9);
    if (blank)
        started_->get<NumberBox>("num枚数")->setValue(copies);
    const bool numbered = below(4) != 0;
    started_->get<QCheckBox>("Chk番号印刷")->setChecked(numbered);
    started_->get<QCheckBox>("Chk金額印刷")->setChecked(below(2));
    click(window, "cmd印刷実行");
    ReportPreview* preview = started_->window->printRuns()->lastPreview();
    if (!preview) {
        failure_ = u("no preview opened");
        return;
    }
    // A list run prints the marked rows that carry a name.
    auto printed = [](const Shadow::WorkRow& r) { return r.check && !r.name.toString().isEmpty(); };
    int marked = 0;
    for (const Shadow::WorkRow& r : shadow_.work)
        marked += printed(r) ? 1 : 0;
    ReportRun& run = preview->run();
    if (run.cellCount() != (blank ? copies : marked))
        failure_ = QStringLiteral("the run has %1 receipts, %2 expected").arg(run.cellCount()).arg(blank ? copies : marked);
    if (!blank && failure_.isEmpty()) {
        // Marked rows in row-number order.
        QList<QPair<qint64, QString>> order;
        for (int i = 0; i < shadow_.work.size(); ++i)
            if (printed(shadow_.work[i]))
                order.append({shadow_.work[i].number ? shadow_.work[i].number : i + 1, shadow_.work[i].name.toString()});
        std::stable_sort(order.begin(), order.end(), [](const auto& a, const auto& b) { return a.first < b.first; });
        for (int i = 0; i < order.size(); ++i)
            if (run.text(i, u("txt氏名")) != order[i].second)
                failure_ = QStringLiteral("receipt %1 names %2, expected %3").arg(i + 1).arg(run.text(i, u("txt氏名")), order[i].second);
    }
    if (below(3) == 0) {
        QString error;
        if (!ReceiptRun::writePdf(run, pdfDir_.filePath(QStringLiteral("run%1.pdf").arg(pdfs_++ % 3)), &error))
            failure_ = u("writing the PDF failed: ") + error;
        if (!blank && numbered && marked > 0) {
            // The counter moves on by the receipts printed.
            if (!shadow_.settings)
                shadow_.settings = Shadow::Settings{};
            shadow_.highestIssued = std::max(shadow_.settings->number.toLongLong(), shadow_.highestIssued) + marked;
            shadow_.settings->number = shadow_.highestIssued;
        }
    }
    preview->close();
    if (below(2))
        click(window, "cmd印刷設定閉じる");
}

void TestMonkey::editHint()
{
    const bool second = below(2);
    useTab(second ? 1 : 0);
    const QString ctl = second ? u("cmdHint2") : u("cmdHint");
    click(started_->window.get(), second ? "cmdHint2" : "cmdHint");
    HintWindow* hint = started_->window->hintWindow();
    if (!hint) {
        failure_ = u("the hint window did not open");
        return;
    }
    auto* contents = hint->findChild<QPlainTextEdit*>(u("txtContents"));
    const QString shownBefore = contents->toPlainText();
    const QVariant stored = shadow_.hints.value(ctl, QVariant());
    const QString expectedShown = !shadow_.hints.contains(ctl) ? HintWindow::InitialText
                                  : stored.isNull()            ? QString()
                                                               : stored.toString();
    if (shownBefore != expectedShown)
        failure_ = u("the hint window shows ") + shownBefore + u(" instead of ") + expectedShown;
    const int before = int(presenter_->shown.size());
    const bool yes = below(5) != 0;
    presenter_->answers = {yes};
    switch (below(3)) {
    case 0: // edit and save
        click(hint, "cmd編集");
        contents->setFocus();
        contents->selectAll();
        QTest::keyClick(contents, Qt::Key_Delete);
        typeText(contents, pick(Names));
        if (below(5) == 0)
            click(hint, "cmdクリア");
        {
            const QString typed = contents->toPlainText();
            click(hint, "cmd登録");
            if (yes)
                shadow_.hints[ctl] = typed;
        }
        break;
    case 1: // delete
        click(hint, "cmd削除");
        if (yes)
            shadow_.hints.remove(ctl);
        break;
    default: // look and go
        break;
    }
    expectNoWarnings(before);
    click(hint, "cmd閉じる");
}

void TestMonkey::initialiseData()
{
    useTab(1);
    const bool yes = below(3) != 0;
    const bool wipeRegister = below(2) != 0;
    presenter_->answers = yes ? QList<bool>{true, wipeRegister} : QList<bool>{false};
    const int before = int(presenter_->shown.size());
    click(started_->window.get(), "cmd一括削除7");
    expectNoWarnings(before);
    if (!yes)
        return;
    shadow_.customers.clear();
    shadow_.settings.reset();
    if (wipeRegister)
        shadow_.highestIssued = 0;
    shadow_.work = QList<Shadow::WorkRow>(100); // the screens show the wiped data afresh
    shadow_.shownCategory.clear();
    for (QList<QVariant>& names : shadow_.codes)
        for (QVariant& name : names)
            name = QVariant();
}

bool TestMonkey::checkWork()
{
    QStringList expected;
    for (const Shadow::WorkRow& r : shadow_.work)
        expected << QStringLiteral("%1|%2|%3|%4").arg(r.check).arg(text(r.name), text(r.amount), text(r.proviso));
    const QStringList stored = storedWork();
    if (stored == expected)
        return true;
    for (int i = 0; i < std::max(stored.size(), expected.size()); ++i)
        if (stored.value(i) != expected.value(i)) {
            failure_ = QStringLiteral("customer list row %1 holds %2, expected %3").arg(i + 1).arg(stored.value(i), expected.value(i));
            break;
        }
    return false;
}

bool TestMonkey::checkStored()
{
    QStringList customers;
    for (auto it = shadow_.customers.cbegin(); it != shadow_.customers.cend(); ++it)
        for (int i = 0; i < it.value().size(); ++i)
            customers << QStringLiteral("%1|%2|%3|%4|%5")
                             .arg(it.key())
                             .arg(i + 1)
                             .arg(text(it.value()[i].name), text(it.value()[i].proviso), text(it.value()[i].amount));
    // The stored order is by category as SQLite sorts it (binary), which QMap's QString order
    // matches for these names except across surrogates; compare sorted.
    QStringList stored = storedCustomers();
    std::sort(customers.begin(), customers.end());
    std::sort(stored.begin(), stored.end());
    if (stored != customers) {
        failure_ = u("customer master diverged:\n  stored   ") + stored.join(u("\n           ")) + u("\n  expected ") +
                   customers.join(u("\n           "));
        return false;
    }
    QStringList codes;
    for (auto it = shadow_.codes.cbegin(); it != shadow_.codes.cend(); ++it)
        for (const QVariant& name : it.value())
            codes << it.key() + u("|") + text(name);
    QStringList storedCodeRows = storedCodes();
    std::stable_sort(codes.begin(), codes.end(), [](const QString& a, const QString& b) {
        return a.section(QLatin1Char('|'), 0, 0) < b.section(QLatin1Char('|'), 0, 0);
    });
    std::stable_sort(storedCodeRows.begin(), storedCodeRows.end(), [](const QString& a, const QString& b) {
        return a.section(QLatin1Char('|'), 0, 0) < b.section(QLatin1Char('|'), 0, 0);
    });
    if (storedCodeRows != codes) {
        failure_ = u("code master diverged");
        return false;
    }
    QStringList settings;
    if (shadow_.settings)
        settings << QStringLiteral("%1|%2|%3|%4").arg(text(shadow_.settings->name), text(shadow_.settings->info),
                                                      text(shadow_.settings->era), text(shadow_.settings->number));
    if (storedSettings() != settings) {
        failure_ = u("settings diverged: stored ") + storedSettings().join(u(";")) + u(", expected ") + settings.join(u(";"));
        return false;
    }
    QStringList hints;
    for (auto it = shadow_.hints.cbegin(); it != shadow_.hints.cend(); ++it)
        hints << it.key() + u("|") + text(it.value());
    if (storedHints() != hints) {
        failure_ = u("hints diverged: stored ") + storedHints().join(u(";")) + u(", expected ") + hints.join(u(";"));
        return false;
    }
    return true;
}

void TestMonkey::randomUse()
{
    const bool soak = qEnvironmentVariableIntValue("LEDRIUM_SOAK") == 1;
    bool given = false;
    const int wanted = qEnvironmentVariableIntValue("LEDRIUM_MONKEY_ACTIONS", &given);
    const int actions = given && wanted > 0 ? wanted : soak ? 5000 : 600;
    bool seeded = false;
    quint32 seed = quint32(qEnvironmentVariable("LEDRIUM_MONKEY_SEED").toULong(&seeded));
    if (!seeded)
        seed = QRandomGenerator::global()->generate();
    qInfo("monkey: seed %u, %d actions (replay with LEDRIUM_MONKEY_SEED=%u)", seed, actions, seed);
    random_.seed(seed);

    started_ = std::make_unique<StartedWindow>();
    QVERIFY(started_->show());
    presenter_ = &ScriptedMessagePresenter::install();
    // The shadow starts from the delivered databases.
    {
        const QVariantList kinds = TestData::columnMain(u("SELECT kcode FROM コードマスタ ORDER BY kcode, code"));
        const QVariantList names = TestData::columnMain(u("SELECT sname FROM コードマスタ ORDER BY kcode, code"));
        for (int i = 0; i < kinds.size(); ++i)
            shadow_.codes[kinds[i].toString()].append(names[i]);
    }
    const QStringList settings = storedSettings();
    if (!settings.isEmpty()) {
        const QStringList f = settings.first().split(QLatin1Char('|'));
        auto value = [](const QString& s) { return s == u("<N>") ? QVariant() : QVariant(s); };
        shadow_.settings = Shadow::Settings{value(f[0]), value(f[1]), value(f[2]), value(f[3])};
    }
    {
        const QVariantList controls =
            TestData::columnWork(u("SELECT CtlName FROM ClHint WHERE FormName = 'Frm領収証' ORDER BY CtlName"));
        const QVariantList contents =
            TestData::columnWork(u("SELECT Contents FROM ClHint WHERE FormName = 'Frm領収証' ORDER BY CtlName"));
        for (int i = 0; i < controls.size(); ++i)
            shadow_.hints.insert(controls[i].toString(), contents[i]);
    }
    shadow_.work = QList<Shadow::WorkRow>(100);
    QVERIFY2(checkStored(), qPrintable(failure_));
    QVERIFY2(checkWork(), qPrintable(failure_));

    QElapsedTimer clock;
    clock.start();
    qint64 rssAt500 = -1;
    QMap<QString, int> counts;
    QMap<QString, qint64> growth; // KiB of resident memory gained during each kind of action
    for (int step = 1; step <= actions; ++step) {
        const qint64 rssBefore = residentKiB();
        // The user comes back to the main window after a preview or the hint window.
        if (QApplication::activeWindow() != started_->window.get()) {
            started_->window->activateWindow();
            QVERIFY(QTest::qWaitFor([this] { return QApplication::activeWindow() == started_->window.get(); }, 2000));
        }
        const int roll = below(100);
        QString action;
        bool saved = false;
        if (roll < 8) {
            action = u("category");
            chooseCategory();
        } else if (roll < 30) {
            action = u("name");
            typeName();
        } else if (roll < 40) {
            action = u("amount");
            typeAmount();
        } else if (roll < 52) {
            action = u("proviso");
            typeProviso();
        } else if (roll < 55) {
            action = u("row number");
            typeRowNumber();
        } else if (roll < 57) {
            action = u("mark");
            toggleMark();
        } else if (roll < 60) {
            action = u("all");
            markAll(below(2));
        } else if (roll < 61) {
            action = u("clear");
            clearList();
        } else if (roll < 72) {
            action = u("save list");
            saveCustomers();
            saved = true;
        } else if (roll < 80) {
            action = u("settings");
            editAndSaveSettings();
            saved = true;
        } else if (roll < 90) {
            action = u("print");
            print();
            saved = true; // writing a PDF moves the counter
        } else if (roll < 99) {
            action = u("hint");
            editHint();
            saved = true;
        } else {
            action = u("initialise");
            initialiseData();
            saved = true;
        }
        ++counts[action];
        if (qEnvironmentVariableIsSet("LEDRIUM_MONKEY_DUMP"))
            qInfo("%d %s active %s", step, qPrintable(action),
                  QApplication::activeWindow() ? qPrintable(QApplication::activeWindow()->objectName()) : "none");
        growth[action] += residentKiB() - rssBefore;
        // What the event loop does between two user actions, in its order: queued calls and
        // timers, then closed windows and editors go.
        QCoreApplication::processEvents();
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        if (failure_.isEmpty())
            checkWork();
        if (failure_.isEmpty() && saved)
            checkStored();
        if (QApplication::activeModalWidget())
            failure_ = u("a modal window stayed open");
        QVERIFY2(failure_.isEmpty(),
                 qPrintable(QStringLiteral("seed %1, action %2 (%3): %4").arg(seed).arg(step).arg(action, failure_)));
        if (step == 500)
            rssAt500 = residentKiB();
    }
    const qint64 rssEnd = residentKiB();
    qInfo("monkey: %d windows at the end", int(QApplication::topLevelWidgets().size()));
    qInfo("monkey: the customer master ends with %d rows, the hints with %d", int(storedCustomers().size()),
          int(storedHints().size()));
    if (qEnvironmentVariableIsSet("LEDRIUM_MONKEY_DUMP"))
        qInfo("%s\n%s", qPrintable(storedCustomers().join(u("\n"))), qPrintable(storedWork().mid(0, 12).join(u("\n"))));
    QStringList mix;
    for (auto it = counts.cbegin(); it != counts.cend(); ++it)
        mix << QStringLiteral("%1 %2 (%3 KiB)").arg(it.key()).arg(it.value()).arg(growth.value(it.key()));
    qInfo("monkey: %d actions in %.1f s; VmRSS %lld KiB after 500, %lld KiB at the end; %s", actions,
          clock.elapsed() / 1000.0, rssAt500, rssEnd, qPrintable(mix.join(u(", "))));
    if (soak && rssAt500 > 0)
        QVERIFY2(rssEnd <= rssAt500 * 12 / 10,
                 qPrintable(QStringLiteral("memory grew from %1 KiB to %2 KiB").arg(rssAt500).arg(rssEnd)));
}

QTEST_MAIN(TestMonkey)
#include "tst_monkey.moc"
