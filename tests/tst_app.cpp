// Start-up: opening the data folder, the caption, refusing bad files, one running copy;
// Japanese in Qt's own dialogs.
#include "ScriptedMessagePresenter.h"
#include "app/ApplicationSetup.h"
#include "app/DataFolder.h"
#include "app/Frm領収証.h"
#include "app/SingleInstance.h"
#include "store/Connections.h"
#include "store/SchemaInstaller.h"

#include <QAbstractButton>
#include <QApplication>
#include <QComboBox>
#include <QDir>
#include <QElapsedTimer>
#include <QFileDialog>
#include <QGroupBox>
#include <QHeaderView>
#include <QLabel>
#include <QLocale>
#include <QPrintDialog>
#include <QPrinter>
#include <QRegularExpression>
#include <QTabBar>
#include <QTreeView>
#include <QFile>
#include <QFileInfo>
#include <QLocalServer>
#include <QLocalSocket>
#include <QProcess>
#include <QTemporaryDir>
#include <QTest>
#include <QTimer>
#include <QUuid>

class TestApp : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup() { Connections::close(); }
    void startsWithCaption();
    void missingFileStopsStartUp_data();
    void missingFileStopsStartUp();
    void secondCopyRaisesFirst();
    void staleSocketDoesNotBlockStart();
    void secondProgramStartExits();
    void installedProgramKeepsDataPerUser();
    void qtDialogsSpeakJapanese_data();
    void qtDialogsSpeakJapanese();
    void fileDialogShowsWholeColumns();

private:
    QTemporaryDir config_;
};

// Qt's file dialog keeps a settings file of its own: the tests keep theirs out of the user's.
void TestApp::initTestCase() { qputenv("XDG_CONFIG_HOME", config_.path().toUtf8()); }

namespace {

constexpr int TypeColumn = 2; // of the file dialog's detail view

// What a user reads in a dialog: its title, captions, labels, tab titles, list entries, tool
// tips and the rows its views show. Typed values (file names, numbers) are not words.
QStringList shownTexts(QWidget* dialog)
{
    QStringList texts{dialog->windowTitle()};
    QList<QWidget*> widgets = dialog->findChildren<QWidget*>();
    widgets << dialog;
    for (QWidget* w : widgets) {
        texts << w->toolTip();
        if (auto* button = qobject_cast<QAbstractButton*>(w))
            texts << button->text();
        if (auto* label = qobject_cast<QLabel*>(w))
            texts << label->text();
        if (auto* group = qobject_cast<QGroupBox*>(w))
            texts << group->title();
        if (auto* tabs = qobject_cast<QTabBar*>(w))
            for (int i = 0; i < tabs->count(); ++i)
                texts << tabs->tabText(i);
        if (auto* combo = qobject_cast<QComboBox*>(w); combo && !combo->isEditable())
            for (int i = 0; i < combo->count(); ++i)
                if (!combo->itemText(i).startsWith(QLatin1Char('/'))) // folders the dialog looks in
                    texts << combo->itemText(i);
        if (auto* view = qobject_cast<QTreeView*>(w); view && view->model()) {
            const QAbstractItemModel* model = view->model();
            for (int column = 0; column < model->columnCount(view->rootIndex()); ++column)
                texts << model->headerData(column, Qt::Horizontal).toString();
            // The type of a folder; file types and dates are the system locale's.
            for (int row = 0; row < model->rowCount(view->rootIndex()); ++row)
                texts << model->index(row, TypeColumn, view->rootIndex()).data().toString();
        }
    }
    return texts;
}

// English words left in `texts`: a word with a small Latin letter that is not a unit.
// Capitals alone (PDF, OK, JIS) are names, as in any Japanese program.
QStringList englishWords(const QStringList& texts)
{
    static const QRegularExpression word(QStringLiteral("[A-Za-z]*[a-z][A-Za-z]*"));
    static const QStringList units{QStringLiteral("mm"), QStringLiteral("pt"), QStringLiteral("in"),
                                   QStringLiteral("pc"), QStringLiteral("pdf"), QStringLiteral("KiB")};
    QStringList found;
    for (const QString& text : texts)
        for (const QRegularExpressionMatch& match : word.globalMatch(QString(text).remove(QLatin1Char('&'))))
            if (match.captured().size() > 1 && !units.contains(match.captured()))
                found << text;
    found.removeDuplicates();
    return found;
}

// The file dialog of the program, on a folder with a subfolder and perhaps a PDF file in it.
struct SaveDialog {
    QTemporaryDir dir;
    QFileDialog dialog;
    QTreeView* details = nullptr;

    explicit SaveDialog(bool withFile)
    {
        QDir(dir.path()).mkdir(QStringLiteral("書類"));
        if (withFile) {
            QFile file(dir.filePath(QStringLiteral("領収証.pdf")));
            file.open(QIODevice::WriteOnly);
            file.write(QByteArray(50000, 'x'));
        }
        dialog.setWindowTitle(QStringLiteral("PDF保存"));
        dialog.setDirectory(dir.path());
        dialog.setNameFilter(QStringLiteral("PDF ファイル (*.pdf)"));
        dialog.setAcceptMode(QFileDialog::AcceptSave);
        dialog.setOption(QFileDialog::DontUseNativeDialog);
        dialog.setViewMode(QFileDialog::Detail);
        details = dialog.findChild<QTreeView*>(QStringLiteral("treeView"));
    }
    int rows() const { return details->model()->rowCount(details->rootIndex()); }
};

} // namespace

void TestApp::qtDialogsSpeakJapanese_data()
{
    QTest::addColumn<QString>("dialog");
    QTest::newRow("print dialog, its pages and options") << QStringLiteral("print");
    QTest::newRow("printer properties") << QStringLiteral("properties");
    QTest::newRow("file dialog") << QStringLiteral("file");
}

// Every word of Qt's own dialogs that the program opens is Japanese.
void TestApp::qtDialogsSpeakJapanese()
{
    QFETCH(QString, dialog);
    ApplicationSetup::apply(*static_cast<QApplication*>(QCoreApplication::instance()));
    QStringList texts;
    if (dialog == QStringLiteral("file")) {
        SaveDialog save(false);
        save.dialog.show();
        QTRY_COMPARE(save.rows(), 1);
        texts = shownTexts(&save.dialog);
    } else {
        QPrinter printer(QPrinter::HighResolution);
        printer.setFromTo(1, 3);
        QPrintDialog print(&printer);
        print.setOption(QAbstractPrintDialog::PrintPageRange);
        print.setOption(QAbstractPrintDialog::PrintCurrentPage);
        print.setMinMax(1, 3);
        print.show();
        if (dialog == QStringLiteral("print")) {
            texts = shownTexts(&print);
        } else {
            auto* properties = print.findChild<QAbstractButton*>(QStringLiteral("properties"));
            QVERIFY(properties);
            // The properties dialog runs modal: read it while it is open, then cancel it.
            QTimer::singleShot(0, [&texts] {
                if (auto* open = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                    texts = shownTexts(open);
                    open->reject();
                }
            });
            properties->click();
            QVERIFY(!texts.isEmpty());
        }
    }
    QVERIFY(texts.size() > 10);
    const QStringList english = englishWords(texts);
    QVERIFY2(english.isEmpty(), qPrintable(english.join(QStringLiteral(" | "))));
}

// Japanese dates, sizes and types fit their columns whole.
void TestApp::fileDialogShowsWholeColumns()
{
    // The dialog writes them in the system's language: look at them as a Japanese desktop does,
    // in a copy of this test started with a Japanese locale.
    if (!qEnvironmentVariable("LANG").startsWith(QStringLiteral("ja"))) {
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("LANG"), QStringLiteral("ja_JP.UTF-8"));
        env.remove(QStringLiteral("LC_ALL"));
        env.remove(QStringLiteral("LC_TIME"));
        QProcess japanese;
        japanese.setProcessEnvironment(env);
        japanese.setProcessChannelMode(QProcess::MergedChannels);
        japanese.start(QCoreApplication::applicationFilePath(), {QStringLiteral("fileDialogShowsWholeColumns")});
        QVERIFY(japanese.waitForFinished(60000));
        QVERIFY2(japanese.exitStatus() == QProcess::NormalExit && japanese.exitCode() == 0,
                 japanese.readAll().constData());
        return;
    }
    QCOMPARE(QLocale::system().language(), QLocale::Japanese);
    ApplicationSetup::apply(*static_cast<QApplication*>(QCoreApplication::instance()));
    SaveDialog save(true);
    save.dialog.show();
    QTRY_COMPARE(save.rows(), 2);
    QHeaderView* header = save.details->header();
    for (int column = 1; column < header->count(); ++column) {
        const QAbstractItemView* view = save.details; // the hint is public here
        const int needed = std::max(view->sizeHintForColumn(column), header->sectionSizeHint(column));
        QVERIFY2(header->sectionSize(column) >= needed,
                 qPrintable(QStringLiteral("column %1: %2 px for %3 px of text")
                                .arg(column).arg(header->sectionSize(column)).arg(needed)));
    }
}

void TestApp::startsWithCaption()
{
    QTemporaryDir dir;
    QVERIFY(SchemaInstaller::createMissing(dir.path()));
    ScriptedMessagePresenter& presenter = ScriptedMessagePresenter::install();
    Frm領収証 window;
    QVERIFY(window.Form_Load(dir.path()));
    QCOMPARE(window.windowTitle(), QStringLiteral("LEDRIUM Ver 1.16"));
    QVERIFY(presenter.shown.isEmpty());
}

void TestApp::missingFileStopsStartUp_data()
{
    QTest::addColumn<QString>("missing");
    QTest::newRow("work database") << QStringLiteral("LedriumWork.mdb");
    QTest::newRow("main database") << QStringLiteral("Ledrium.mdb");
}

// Both files are required: the user is told which one, and nothing is created.
void TestApp::missingFileStopsStartUp()
{
    QFETCH(QString, missing);
    QTemporaryDir dir;
    QVERIFY(SchemaInstaller::createMissing(dir.path()));
    QVERIFY(QFile::remove(dir.filePath(missing)));
    ScriptedMessagePresenter& presenter = ScriptedMessagePresenter::install();
    Frm領収証 window;
    QVERIFY(!window.Form_Load(dir.path()));
    QCOMPARE(presenter.shown.size(), 1);
    QVERIFY(presenter.shown[0].prompt.contains(dir.filePath(missing)));
    QVERIFY(presenter.shown[0].prompt.contains(QStringLiteral("ファイルがありません")));
    QVERIFY(window.windowTitle() != QStringLiteral("LEDRIUM Ver 1.16"));
    QVERIFY(!QFile::exists(dir.filePath(missing)));
    QCOMPARE(QDir(dir.path()).entryList(QDir::Files).size(), 1);
}

void TestApp::secondCopyRaisesFirst()
{
    const QString key = QStringLiteral("ledrium-test-") + QUuid::createUuid().toString(QUuid::Id128);
    SingleInstance first(key);
    QVERIFY(!first.askRunningCopy());
    int raised = 0;
    QVERIFY(first.listen([&raised] { ++raised; }));

    // The second copy runs in another thread's event loop in real life; here the first
    // copy's events are processed while the second waits.
    bool answered = false;
    QTimer::singleShot(0, [&] {
        SingleInstance second(key);
        answered = second.askRunningCopy();
    });
    QTRY_VERIFY(answered || raised > 0);
    QTRY_COMPARE(raised, 1);
}

// A socket left behind by a crashed copy must not stop the next start.
void TestApp::staleSocketDoesNotBlockStart()
{
    const QString key = QStringLiteral("ledrium-test-") + QUuid::createUuid().toString(QUuid::Id128);
    QString path;
    {
        QLocalServer crashed;
        QVERIFY(crashed.listen(key));
        path = crashed.fullServerName();
    }
    // A killed process leaves its socket file behind; stand in a plain file for it.
    QFile stale(path);
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.close();
    SingleInstance next(key);
    QVERIFY(!next.askRunningCopy());
    QVERIFY(next.listen([] {}));
}

// The real program: a second start while one runs exits 0 within two seconds.
void TestApp::secondProgramStartExits()
{
    const QString buildDir = qEnvironmentVariable("LEDRIUM_BUILD_DIR");
    if (buildDir.isEmpty() || !QFile::exists(buildDir + QStringLiteral("/ledrium")))
        QSKIP("the program is not built beside this test");
    QTemporaryDir dir;
    QVERIFY(QFile::copy(buildDir + QStringLiteral("/ledrium"), dir.filePath(QStringLiteral("ledrium"))));
    QVERIFY(SchemaInstaller::createMissing(dir.filePath(QStringLiteral("data"))));
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    QProcess first;
    first.setProcessEnvironment(env);
    first.start(dir.filePath(QStringLiteral("ledrium")));
    QVERIFY(first.waitForStarted());
    // Wait until the first copy listens (a busy machine may take a while to start it).
    QTRY_VERIFY_WITH_TIMEOUT(
        [] {
            QLocalSocket probe;
            probe.connectToServer(SingleInstance::defaultKey());
            return probe.waitForConnected(100);
        }(),
        15000);
    QCOMPARE(first.state(), QProcess::Running);

    QProcess second;
    second.setProcessEnvironment(env);
    QElapsedTimer timer;
    timer.start();
    second.start(dir.filePath(QStringLiteral("ledrium")));
    QVERIFY(second.waitForFinished(2000));
    QVERIFY(timer.elapsed() < 2000);
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(first.state(), QProcess::Running);
    first.kill();
    first.waitForFinished();
}

// First start copies the templates; later starts never copy again, even over a missing file.
void TestApp::installedProgramKeepsDataPerUser()
{
    QTemporaryDir templates, home1, home2;
    QVERIFY(SchemaInstaller::createMissing(templates.path()));
    const QString folder = DataFolder::userFolder(templates.path(), home1.path());
    QCOMPARE(folder, home1.filePath(QStringLiteral("Ledrium/data/")));
    QVERIFY(Connections::open(DataPaths::forFolder(folder)).ok);
    Connections::close();
    QVERIFY(QFileInfo(folder + QStringLiteral("Ledrium.mdb")).isWritable());

    // Another user gets a copy of their own.
    QVERIFY(DataFolder::userFolder(templates.path(), home2.path()) != folder);
    QVERIFY(QFile::exists(home2.filePath(QStringLiteral("Ledrium/data/LedriumWork.mdb"))));

    QVERIFY(QFile::remove(folder + QStringLiteral("LedriumWork.mdb")));
    QCOMPARE(DataFolder::userFolder(templates.path(), home1.path()), folder);
    QVERIFY(!QFile::exists(folder + QStringLiteral("LedriumWork.mdb")));
    QVERIFY(!Connections::open(DataPaths::forFolder(folder)).ok);
}

QTEST_MAIN(TestApp)
#include "tst_app.moc"
