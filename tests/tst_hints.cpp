// The hint window through its own buttons, opened the way the main window's hint buttons open it.
#include "ScriptedMessagePresenter.h"
#include "TestData.h"
#include "TestText.h"
#include "app/ApplicationSetup.h"
#include "app/MainWindow.h"
#include "hints/HintLauncher.h"
#include "hints/HintWindow.h"
#include "messages/MessagePresenter.h"
#include "store/Records.h"

#include <QApplication>
#include <QLabel>
#include <QPlainTextEdit>
#include <QRegularExpression>
#include <QPointer>
#include <QTest>
#include <QTimer>
#include <QToolButton>

#include <memory>

Q_DECLARE_METATYPE(HintRecord)

namespace {

const QString MainName = QStringLiteral("Frm領収証");
const QString MainTitle = QStringLiteral("LEDRIUM Ver 1.16");

HintRecord row(const char* ctlName, const QVariant& contents, const QString& formName = MainName)
{
    return {formName, QString::fromUtf8(ctlName), MainTitle, contents};
}
QVariant text(const char* s)
{
    return QString::fromUtf8(s);
}
// Replaces every stored hint (the delivered ones included) by `rows`.
void arrange(const QList<HintRecord>& rows)
{
    QVERIFY(TestData::execWork(QStringLiteral("DELETE FROM ClHint")));
    for (const HintRecord& r : rows)
        QVERIFY(TestData::execWork(
            QStringLiteral("INSERT INTO ClHint (FormName, CtlName, FormTitle, Contents) VALUES (?, ?, ?, ?)"),
            {r.FormName, r.CtlName, r.FormTitle, r.Contents}));
}

QStringList storedTexts(const QString& ctlName)
{
    QStringList texts;
    for (const QVariant& v : TestData::columnWork(
             QStringLiteral("SELECT Contents FROM ClHint WHERE FormName = ? AND CtlName = ? ORDER BY rowid"),
             {MainName, ctlName}))
        texts << v.toString();
    return texts;
}

QString styleName(MessageStyle style)
{
    switch (style) {
    case MessageStyle::AskYes:
        return QStringLiteral("AskYes");
    case MessageStyle::AskNo:
        return QStringLiteral("AskNo");
    case MessageStyle::Info:
        return QStringLiteral("Info");
    case MessageStyle::Warn:
        return QStringLiteral("Warn");
    }
    return {};
}

// Each box as "title|prompt|style".
QStringList boxes(const ScriptedMessagePresenter& presenter)
{
    QStringList list;
    for (const MessageBoxSpec& box : presenter.shown)
        list << box.title + QLatin1Char('|') + box.prompt + QLatin1Char('|') + styleName(box.style);
    return list;
}

const QString SaveQuestion = u("登録の確認|ヒント を登録します。よろしいですか|AskYes");
const QString SaveDone = u("登録完了|ヒント を登録しました。|Info");
const QString DeleteQuestion = u("削除の確認|すべてのデータを削除します。よろしいですか|AskNo");
const QString DeleteDone = u("削除の完了|データ ヒント を削除しました。|Info");
const QString SwitchQuestion =
    u("確認|登録していない変更は失われます。ヒントを切り替えます、よろしいですか|AskNo");

} // namespace

class TestHints : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void init();
    void cleanup();

    void opensOnTheKeyOfThePressedButton_data();
    void opensOnTheKeyOfThePressedButton();
    void windowIsModelessAndReused();
    void storeButtons_data();
    void storeButtons();
    void savedTextComesBackUnchanged_data();
    void savedTextComesBackUnchanged();
    void failedWritesSaySoAndKeepTheRow_data();
    void failedWritesSaySoAndKeepTheRow();
    void editToggle_data();
    void editToggle();
    void pressWhileOpen_data();
    void pressWhileOpen();
    void enterOnTheSwitchQuestionKeepsTheEdits();
    void closeDiscardsEditsWithoutAsking_data();
    void closeDiscardsEditsWithoutAsking();
    void closingTheMainWindowEndsTheProgram();
    void deliveredHints_data();
    void deliveredHints();

private:
    HintWindow* press(const char* ctlName);
    void click(const char* buttonName);
    void typeOver(const QString& text);
    void type(const QString& text);
    HintWindow* hint() const { return launcher_->window(); }
    QPlainTextEdit* contents() const
    {
        return hint()->findChild<QPlainTextEdit*>(QStringLiteral("txtContents"));
    }
    QString label(const char* name) const { return hint()->findChild<QLabel*>(u(name))->text(); }
    QColor editButtonColour() const
    {
        return hint()->findChild<QToolButton*>(u("cmd編集"))->palette().color(QPalette::Button);
    }
    bool locked() const
    {
        return contents()->isReadOnly() && editButtonColour() == HintWindow::lockedColour();
    }
    bool editing() const
    {
        return !contents()->isReadOnly() && editButtonColour() == HintWindow::editingColour();
    }

    std::unique_ptr<TestData> data_;
    std::unique_ptr<QWidget> mainWindow_;
    std::unique_ptr<HintLauncher> launcher_;
    ScriptedMessagePresenter* presenter_ = nullptr;
};

void TestHints::initTestCase()
{
    ApplicationSetup::apply(*static_cast<QApplication*>(QCoreApplication::instance()));
}

void TestHints::init()
{
    data_ = std::make_unique<TestData>();
    QVERIFY(data_->ok());
    presenter_ = &ScriptedMessagePresenter::install();
    mainWindow_ = std::make_unique<QWidget>();
    mainWindow_->setObjectName(MainName);
    mainWindow_->setWindowTitle(MainTitle);
    mainWindow_->show();
    launcher_ = std::make_unique<HintLauncher>(mainWindow_.get());
}

void TestHints::cleanup()
{
    const QPointer<HintWindow> left = launcher_->window();
    mainWindow_.reset(); // takes its hint window with it
    QVERIFY(!left);
    launcher_.reset();
    data_.reset();
}

HintWindow* TestHints::press(const char* ctlName)
{
    launcher_->open(u(ctlName));
    return hint();
}

void TestHints::click(const char* buttonName)
{
    auto* button = hint()->findChild<QToolButton*>(u(buttonName));
    QVERIFY2(button, buttonName);
    QTest::mouseClick(button, Qt::LeftButton);
}

void TestHints::typeOver(const QString& text)
{
    QTest::keyClick(contents(), Qt::Key_A, Qt::ControlModifier);
    type(text);
}

// Key presses carrying the characters, as a keyboard with Japanese input delivers them.
void TestHints::type(const QString& text)
{
    for (const QChar ch : text)
        QTest::sendKeyEvent(QTest::Click, contents(), Qt::Key_unknown, QString(ch), Qt::NoModifier);
}

void TestHints::opensOnTheKeyOfThePressedButton_data()
{
    QTest::addColumn<QList<HintRecord>>("stored");
    QTest::addColumn<QString>("pressed");
    QTest::addColumn<QString>("shown");

    QTest::newRow("cmdHint, nothing stored: the placeholder") << QList<HintRecord>{} << "cmdHint"
                                                              << "Contents";
    QTest::newRow("cmdHint2's row is not cmdHint's")
        << QList<HintRecord>{row("cmdHint2", text("二番のヒント"))} << "cmdHint"
        << "Contents";
    QTest::newRow("cmdHint2 shows its own row")
        << QList<HintRecord>{row("cmdHint", text("一番")), row("cmdHint2", text("二番のヒント"))}
        << "cmdHint2" << u("二番のヒント");
    QTest::newRow("cmdHint shows its own row")
        << QList<HintRecord>{row("cmdHint2", text("二番")), row("cmdHint", text("一番\n二行目"))} << "cmdHint"
        << u("一番\n二行目");
    QTest::newRow("same control of another window is not ours")
        << QList<HintRecord>{row("cmdHint", text("よその画面"), u("FrmOther"))} << "cmdHint"
        << "Contents";
    QTest::newRow("two rows of one key: the first stored")
        << QList<HintRecord>{row("cmdHint", text("先の行")), row("cmdHint", text("後の行"))} << "cmdHint"
        << u("先の行");
    QTest::newRow("Null text shows empty")
        << QList<HintRecord>{row("cmdHint", QVariant(QMetaType::fromType<QString>()))} << "cmdHint"
        << "";
    QTest::newRow("quote in the control name is ordinary data")
        << QList<HintRecord>{row("cmd'Hint", text("It's 'quoted'"))} << "cmd'Hint"
        << "It's 'quoted'";
}

// Labels carry the key, the text box the stored text, and the window opens locked with the focus in the text.
void TestHints::opensOnTheKeyOfThePressedButton()
{
    QFETCH(QList<HintRecord>, stored);
    QFETCH(QString, pressed);
    QFETCH(QString, shown);
    arrange(stored);

    HintWindow* window = press(pressed.toUtf8().constData());
    QVERIFY(window);
    QCOMPARE(window->objectName(), u("Hint"));
    QCOMPARE(window->windowTitle(), u("ヒント        "));
    QVERIFY(window->isVisible());
    QCOMPARE(label("lblFormTitle"), MainTitle);
    QCOMPARE(label("lblFormName"), MainName);
    QCOMPARE(label("lblCtlName"), pressed);
    QCOMPARE(contents()->toPlainText(), shown);
    QVERIFY(locked());
    QCOMPARE(window->focusWidget(), contents());
    QVERIFY(presenter_->shown.isEmpty());
}

void TestHints::windowIsModelessAndReused()
{
    arrange({});
    HintWindow* first = press("cmdHint");
    QVERIFY(first->isWindow());
    QCOMPARE(first->windowModality(), Qt::NonModal);
    QVERIFY(mainWindow_->isEnabled());
    QCOMPARE(first->size(), QSize(582, 402)); // 8730 × 6030 twips
    QCOMPARE(first->minimumSize(), first->maximumSize());
    QVERIFY(!(first->windowFlags() & (Qt::WindowMinimizeButtonHint | Qt::WindowMaximizeButtonHint)));
    QVERIFY(!first->windowIcon().pixmap(32, 32).isNull());
    const QStringList captions{u("編集"), u("登録"), u("削除"), u("クリア"), u("閉じる")};
    for (const QString& caption : captions) {
        auto* button = first->findChild<QToolButton*>(QStringLiteral("cmd") + caption);
        QVERIFY2(button, qPrintable(caption));
        QCOMPARE(button->text(), caption);
        QCOMPARE(button->toolButtonStyle(), Qt::ToolButtonTextUnderIcon);
        QVERIFY2(!button->icon().pixmap(32, 32).isNull(), qPrintable(caption)); // the art is compiled in
    }
    QCOMPARE(press("cmdHint2"), first);
    click("cmd閉じる");
    QVERIFY(!first->isVisible());
    QCOMPARE(press("cmdHint"), first);
    QVERIFY(first->isVisible());
}

void TestHints::storeButtons_data()
{
    QTest::addColumn<QString>("button");
    QTest::addColumn<bool>("answer");
    QTest::addColumn<QStringList>("before");
    QTest::addColumn<QStringList>("after");
    QTest::addColumn<QString>("textAfter");
    QTest::addColumn<QStringList>("shown");

    const QString typed = u("書き直した");
    const QStringList one{u("元の文")};
    const QStringList two{u("元の文"), u("二重の行")};
    QTest::newRow("登録 Yes, nothing stored") << "cmd登録" << true << QStringList{} << QStringList{typed}
                                              << typed << QStringList{SaveQuestion, SaveDone};
    QTest::newRow("登録 Yes replaces the row")
        << "cmd登録" << true << one << QStringList{typed} << typed << QStringList{SaveQuestion, SaveDone};
    QTest::newRow("登録 Yes leaves one row of two")
        << "cmd登録" << true << two << QStringList{typed} << typed << QStringList{SaveQuestion, SaveDone};
    QTest::newRow("登録 No writes nothing")
        << "cmd登録" << false << two << two << typed << QStringList{SaveQuestion};
    QTest::newRow("削除 Yes removes both rows")
        << "cmd削除" << true << two << QStringList{} << "" << QStringList{DeleteQuestion, DeleteDone};
    QTest::newRow("削除 Yes with nothing stored") << "cmd削除" << true << QStringList{} << QStringList{} << ""
                                                  << QStringList{DeleteQuestion, DeleteDone};
    QTest::newRow("削除 No keeps rows and text")
        << "cmd削除" << false << one << one << typed << QStringList{DeleteQuestion};
    QTest::newRow("クリア empties the box only") << "cmdクリア" << true << one << one << "" << QStringList{};
}

// 登録, 削除 and クリア on typed text: what is stored for the key afterwards, what the box shows, which
// boxes were asked; the hint of the other button is never touched.
void TestHints::storeButtons()
{
    QFETCH(QString, button);
    QFETCH(bool, answer);
    QFETCH(QStringList, before);
    QFETCH(QStringList, after);
    QFETCH(QString, textAfter);
    QFETCH(QStringList, shown);
    QList<HintRecord> stored{row("cmdHint2", text("別のボタン"))};
    for (const QString& t : before)
        stored << row("cmdHint", t);
    arrange(stored);

    press("cmdHint");
    click("cmd編集");
    typeOver(u("書き直した"));
    presenter_->answers = {answer};
    click(button.toUtf8().constData());

    QCOMPARE(storedTexts(u("cmdHint")), after);
    QCOMPARE(storedTexts(u("cmdHint2")), QStringList{u("別のボタン")});
    QCOMPARE(contents()->toPlainText(), textAfter);
    QCOMPARE(boxes(*presenter_), shown);
    if (!after.isEmpty() && after != before)
        QCOMPARE(TestData::columnWork(QStringLiteral("SELECT FormTitle FROM ClHint WHERE CtlName = ?"),
                                      {u("cmdHint")}),
                 QVariantList{MainTitle});
}

void TestHints::savedTextComesBackUnchanged_data()
{
    QTest::addColumn<QString>("pasted");
    QTest::newRow("empty text") << "";
    QTest::newRow("quotes and SQL") << u("It's \"q\" '); DELETE FROM ClHint; --");
    QTest::newRow("emoji and kana") << u("🎉 会費ありがとう 👍\n２行目");
    QTest::newRow("very long text") << QString(200000, QChar(0x3042));
    QTest::newRow("the placeholder word itself") << "Contents";
}

// Whatever the box holds is stored as typed and shown again after closing and reopening.
void TestHints::savedTextComesBackUnchanged()
{
    QFETCH(QString, pasted);
    arrange({row("cmdHint", text("元の文"))});
    HintWindow* window = press("cmdHint");
    click("cmd編集");
    contents()->selectAll();
    contents()->insertPlainText(pasted); // as a paste would
    click("cmd登録");
    QCOMPARE(boxes(*presenter_), (QStringList{SaveQuestion, SaveDone}));
    QCOMPARE(storedTexts(u("cmdHint")), QStringList{pasted});
    QVERIFY(!window->hasUnsavedEdits());

    click("cmd閉じる");
    press("cmdHint");
    QCOMPARE(contents()->toPlainText(), pasted);
}

void TestHints::failedWritesSaySoAndKeepTheRow_data()
{
    QTest::addColumn<QString>("trigger");
    QTest::addColumn<QString>("button");
    QTest::addColumn<QStringList>("shown");
    QTest::addColumn<QString>("textAfter");

    const QString refused =
        u("注意|ヒントを保存できませんでした。データは変更されていません。\ndisk is full|Warn");
    QTest::newRow("登録: insert refused, the delete is rolled back")
        << "BEFORE INSERT"
        << "cmd登録" << QStringList{SaveQuestion, refused} << u("書き直した");
    QTest::newRow("登録: delete refused")
        << "BEFORE DELETE"
        << "cmd登録" << QStringList{SaveQuestion, refused} << u("書き直した");
    QTest::newRow("削除: delete refused, the text stays")
        << "BEFORE DELETE"
        << "cmd削除"
        << QStringList{DeleteQuestion, u("注意|ヒントを削除できませんでした。データは変更されていません。\n"
                                         "disk is full|Warn")}
        << u("書き直した");
}

// A write the database refuses is reported, never followed by a completion message, and loses nothing.
void TestHints::failedWritesSaySoAndKeepTheRow()
{
    QFETCH(QString, trigger);
    QFETCH(QString, button);
    QFETCH(QStringList, shown);
    QFETCH(QString, textAfter);
    arrange({row("cmdHint", text("元の文"))});
    QVERIFY(TestData::execWork(QStringLiteral("CREATE TRIGGER refuse %1 ON ClHint "
                                              "BEGIN SELECT RAISE(ABORT, 'disk is full'); END")
                                   .arg(trigger)));

    press("cmdHint");
    click("cmd編集");
    typeOver(u("書き直した"));
    click(button.toUtf8().constData());

    QCOMPARE(storedTexts(u("cmdHint")), QStringList{u("元の文")});
    QStringList seen = boxes(*presenter_);
    // The driver appends its own words to the reason; the reason itself must be there.
    for (QString& box : seen)
        box.replace(QRegularExpression(QStringLiteral("disk is full[^|]*")), QStringLiteral("disk is full"));
    QCOMPARE(seen, shown);
    QCOMPARE(contents()->toPlainText(), textAfter);
    QVERIFY(hint()->hasUnsavedEdits());
}

void TestHints::editToggle_data()
{
    QTest::addColumn<int>("clicks");
    QTest::addColumn<bool>("editable");
    QTest::newRow("not pressed: locked") << 0 << false;
    QTest::newRow("pressed once: editing") << 1 << true;
    QTest::newRow("pressed twice: locked again") << 2 << false;
    QTest::newRow("pressed three times: editing") << 3 << true;
}

// The mode follows the button colour; typing reaches the text only while editing, and the focus
// goes back into the text after each press.
void TestHints::editToggle()
{
    QFETCH(int, clicks);
    QFETCH(bool, editable);
    arrange({row("cmdHint", text("元"))});
    press("cmdHint");
    for (int i = 0; i < clicks; ++i)
        click("cmd編集");

    QCOMPARE(editing(), editable);
    QCOMPARE(locked(), !editable);
    if (clicks > 0)
        QCOMPARE(hint()->focusWidget(), contents());
    contents()->moveCursor(QTextCursor::End);
    type(u("追記"));
    QCOMPARE(contents()->toPlainText(), editable ? u("元追記") : u("元"));
    QVERIFY(presenter_->shown.isEmpty());
}

void TestHints::pressWhileOpen_data()
{
    QTest::addColumn<QString>("edit");
    QTest::addColumn<QString>("second");
    QTest::addColumn<QList<bool>>("answers");
    QTest::addColumn<QString>("ctlAfter");
    QTest::addColumn<QString>("textAfter");
    QTest::addColumn<bool>("editingAfter");
    QTest::addColumn<QStringList>("shown");

    QTest::newRow("no edits: switches without asking")
        << ""
        << "cmdHint2" << QList<bool>{} << "cmdHint2" << u("二番") << false << QStringList{};
    QTest::newRow("unlocked but unchanged: switches without asking, locked")
        << "unlock"
        << "cmdHint2" << QList<bool>{} << "cmdHint2" << u("二番") << false << QStringList{};
    QTest::newRow("unsaved edits, Yes: switches, edits dropped")
        << "type"
        << "cmdHint2" << QList<bool>{true} << "cmdHint2" << u("二番") << false << QStringList{SwitchQuestion};
    QTest::newRow("unsaved edits, No: stays with the edits")
        << "type"
        << "cmdHint2" << QList<bool>{false} << "cmdHint" << u("打った文") << true
        << QStringList{SwitchQuestion};
    QTest::newRow("cleared text counts as an edit") << "clear"
                                                    << "cmdHint2" << QList<bool>{false} << "cmdHint"
                                                    << "" << false << QStringList{SwitchQuestion};
    QTest::newRow("edits saved first: no question")
        << "type+save"
        << "cmdHint2" << QList<bool>{true} << "cmdHint2" << u("二番") << false
        << QStringList{SaveQuestion, SaveDone};
    QTest::newRow("same button again keeps the edits")
        << "type"
        << "cmdHint" << QList<bool>{} << "cmdHint" << u("打った文") << true << QStringList{};
}

// A hint button pressed while the window is open: the hand-over always takes the new key; the window
// follows it unless the user keeps unsaved edits.
void TestHints::pressWhileOpen()
{
    QFETCH(QString, edit);
    QFETCH(QString, second);
    QFETCH(QList<bool>, answers);
    QFETCH(QString, ctlAfter);
    QFETCH(QString, textAfter);
    QFETCH(bool, editingAfter);
    QFETCH(QStringList, shown);
    arrange({row("cmdHint", text("一番")), row("cmdHint2", text("二番"))});

    HintWindow* window = press("cmdHint");
    if (edit != QLatin1String("clear"))
        click("cmd編集");
    else
        click("cmdクリア");
    if (edit.startsWith(QLatin1String("type")))
        typeOver(u("打った文"));
    presenter_->answers = answers;
    if (edit == QLatin1String("type+save"))
        click("cmd登録");
    if (edit.isEmpty())
        click("cmd編集"); // back to locked, nothing changed

    QCOMPARE(press(second.toUtf8().constData()), window);
    QCOMPARE(label("lblCtlName"), ctlAfter);
    QCOMPARE(contents()->toPlainText(), textAfter);
    QCOMPARE(editing(), editingAfter);
    QCOMPARE(boxes(*presenter_), shown);
    QVERIFY(window->isVisible());
    QCOMPARE(storedTexts(u("cmdHint2")), QStringList{u("二番")});
}

// With the real message box, Enter answers the question that would throw the typed text away
// with No: the window stays with the edits.
void TestHints::enterOnTheSwitchQuestionKeepsTheEdits()
{
    arrange({row("cmdHint", text("一番")), row("cmdHint2", text("二番"))});
    HintWindow* window = press("cmdHint");
    click("cmd編集");
    typeOver(u("打った文"));
    MessagePresenter::install(nullptr);
    bool answered = false;
    QTimer poll;
    QObject::connect(&poll, &QTimer::timeout, [&] {
        if (QWidget* box = QApplication::activeModalWidget()) {
            QTest::keyClick(box, Qt::Key_Return);
            answered = true;
        }
    });
    poll.start(20);
    press("cmdHint2");
    poll.stop();
    presenter_ = &ScriptedMessagePresenter::install();
    QVERIFY(answered);
    QCOMPARE(hint(), window);
    QCOMPARE(label("lblCtlName"), u("cmdHint"));
    QCOMPARE(contents()->toPlainText(), u("打った文"));
}

void TestHints::closeDiscardsEditsWithoutAsking_data()
{
    QTest::addColumn<bool>("closeBox");
    QTest::addColumn<bool>("clearFirst");
    QTest::newRow("閉じる after typing") << false << false;
    QTest::newRow("window close box after typing") << true << false;
    QTest::newRow("閉じる after クリア") << false << true;
}

// Closing asks nothing and writes nothing; the next press loads the stored text afresh, locked.
void TestHints::closeDiscardsEditsWithoutAsking()
{
    QFETCH(bool, closeBox);
    QFETCH(bool, clearFirst);
    arrange({row("cmdHint", text("元の文"))});
    HintWindow* window = press("cmdHint");
    click("cmd編集");
    if (clearFirst)
        click("cmdクリア");
    else
        typeOver(u("捨てる文"));

    if (closeBox)
        QVERIFY(window->close());
    else
        click("cmd閉じる");
    QVERIFY(!window->isVisible());
    QVERIFY(presenter_->shown.isEmpty());
    QCOMPARE(storedTexts(u("cmdHint")), QStringList{u("元の文")});

    QCOMPARE(press("cmdHint"), window);
    QCOMPARE(contents()->toPlainText(), u("元の文"));
    QVERIFY(locked());
    QVERIFY(!window->hasUnsavedEdits());
}

// The main window's close takes the hint window with it, so no window is left to keep the program running.
void TestHints::closingTheMainWindowEndsTheProgram()
{
    mainWindow_->hide();
    Frm領収証 main;
    main.setWindowTitle(MainTitle);
    main.show();
    QTest::mouseClick(main.findChild<QAbstractButton*>(u("cmdHint")), Qt::LeftButton);
    HintWindow* window = main.hintWindow();
    QVERIFY(window && window->isVisible());

    QVERIFY(main.close());
    QVERIFY(!window->isVisible());
    QVERIFY(!window->isLoaded());
    QVERIFY(qApp->quitOnLastWindowClosed());
    for (QWidget* w : QApplication::topLevelWidgets())
        QVERIFY2(!w->isVisible(), qPrintable(w->objectName()));
}

void TestHints::deliveredHints_data()
{
    QTest::addColumn<QString>("ctlName");
    QTest::addColumn<QStringList>("topics");
    QTest::newRow("cmdHint: members, category, amounts, printing")
        << "cmdHint" << QStringList{u("顧客区分"), u("「登録」"), u("「読込」"), u("領収額"),
                                    u("全選択"),   u("印刷"),     u("白紙印刷"), u("CSVから読み込む")};
    QTest::newRow("cmdHint2: settings, numbers, codes, initialisation")
        << "cmdHint2"
        << QStringList{u("自社名"), u("年　号"), u("領収証番号"), u("コード表"), u("但書"), u("初期化")};
}

// A freshly installed work database carries one useful hint per hint button, shown by that button.
void TestHints::deliveredHints()
{
    QFETCH(QString, ctlName);
    QFETCH(QStringList, topics);
    const QStringList stored = storedTexts(ctlName);
    QCOMPARE(stored.size(), 1);
    QCOMPARE(TestData::columnWork(
                 QStringLiteral("SELECT FormTitle FROM ClHint WHERE FormName = ? AND CtlName = ?"),
                 {MainName, ctlName}),
             QVariantList{MainTitle});
    const QString& hintText = stored.first();
    for (const QString& topic : topics)
        QVERIFY2(hintText.contains(topic), qPrintable(topic));
    QVERIFY(hintText.count(QLatin1Char('\n')) >= 15);

    press(ctlName.toUtf8().constData());
    QCOMPARE(contents()->toPlainText(), hintText);
}

QTEST_MAIN(TestHints)
#include "tst_hints.moc"
