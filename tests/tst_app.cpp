// Start-up: opening the data folder, the caption, refusing bad files, one running copy per
// data folder, closing when the system asks; Japanese in Qt's own dialogs.
#include "ScriptedMessagePresenter.h"
#include "TestText.h"
#include "app/ApplicationSetup.h"
#include "app/DataFolder.h"
#include "app/MainWindow.h"
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
#include <QSysInfo>
#include <QTemporaryDir>
#include <QTimer>
#include <QTest>
#include <QThread>

#include <atomic>
#include <csignal>
#include <memory>
#include <sys/resource.h>

class TestApp : public QObject {
    Q_OBJECT
private slots:
    void initTestCase();
    void cleanup() { Connections::close(); }
    void startsWithCaption();
    void missingFileStopsStartUp_data();
    void missingFileStopsStartUp();
    void fullDiskAtStartSaysWhatFailed();
    void secondCopyRaisesFirst();
    void staleSocketDoesNotBlockStart();
    void onlyALockLeftBehindCountsAsTakenOver();
    void liveSocketIsNeverRemoved();
    void unreadableLockSaysWhy_data();
    void unreadableLockSaysWhy();
    void secondProgramStartExits();
    void sameInstantStartsOpenOneWindow();
    void secondStartWithOtherTempFolderHandsOver();
    void unreachableHolderRefusesSecondStart();
    void secondStartDuringFailedStartUpShowsNoWindow();
    void killedHolderLeavesStaleLockThatNextStartTakes();
    void commandLineOnAFolderInUseWritesNothing();
    void closeRequestClosesLikeCloseButton_data();
    void closeRequestClosesLikeCloseButton();
    void installedProgramKeepsDataPerUser();
    void firstStartLeavesWhatItDidNotMakeAlone_data();
    void firstStartLeavesWhatItDidNotMakeAlone();
    void qtDialogsSpeakJapanese_data();
    void qtDialogsSpeakJapanese();
    void fileDialogShowsWholeColumns();

private:
    QTemporaryDir runtime_;
    QTemporaryDir config_;
};

namespace {

QString buildDir() { return qEnvironmentVariable("LEDRIUM_BUILD_DIR"); }

bool programBuilt() { return QFile::exists(buildDir() + QStringLiteral("/ledrium")); }

// A copy of the program with its own data folder beside it, as an unpacked copy keeps it.
struct ProgramCopy {
    QTemporaryDir dir;
    QString program() const { return dir.filePath(QStringLiteral("ledrium")); }
    QString data() const { return dir.filePath(QStringLiteral("data")) + QLatin1Char('/'); }
    bool make()
    {
        return QFile::copy(buildDir() + QStringLiteral("/ledrium"), program()) && SchemaInstaller::createMissing(data());
    }
};

QProcessEnvironment offscreen()
{
    QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
    env.insert(QStringLiteral("QT_QPA_PLATFORM"), QStringLiteral("offscreen"));
    return env;
}

void start(QProcess& process, const ProgramCopy& copy, const QProcessEnvironment& env = offscreen())
{
    process.setProcessEnvironment(env);
    process.start(copy.program());
}

// True while a copy that finished its start-up answers on the folder's socket.
bool answering(const QString& dataFolder)
{
    QLocalSocket probe;
    probe.connectToServer(SingleInstance::serverNameFor(dataFolder));
    return probe.waitForConnected(100);
}

QByteArray bytesOf(const QString& path)
{
    QFile file(path);
    return file.open(QIODevice::ReadOnly) ? file.readAll() : QByteArray();
}

void stop(QProcess& process)
{
    if (process.state() != QProcess::NotRunning) {
        process.kill();
        process.waitForFinished();
    }
}

} // namespace

// Every start in these tests finds the socket of a running copy in this runtime folder.
// Each run keeps its own runtime folder (sockets) and, since Qt's file dialog keeps a
// settings file of its own, its own configuration folder.
void TestApp::initTestCase()
{
    QVERIFY(runtime_.isValid());
    qputenv("XDG_RUNTIME_DIR", QFile::encodeName(runtime_.path()));
    qputenv("XDG_CONFIG_HOME", config_.path().toUtf8());
}


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

// Start-up on a disk that takes no more bytes: one message that says what could not be done,
// and not a failed save the user never asked for.
void TestApp::fullDiskAtStartSaysWhatFailed()
{
    QTemporaryDir dir;
    QVERIFY(SchemaInstaller::createMissing(dir.path()));
    ScriptedMessagePresenter& presenter = ScriptedMessagePresenter::install();
    Frm領収証 window;
    bool loaded = true;
    {
        // No file may grow: every write SQLite makes fails as on a full disk.
        const auto previous = std::signal(SIGXFSZ, SIG_IGN);
        rlimit limit {};
        QCOMPARE(::getrlimit(RLIMIT_FSIZE, &limit), 0);
        rlimit none = limit;
        none.rlim_cur = 0;
        QCOMPARE(::setrlimit(RLIMIT_FSIZE, &none), 0);
        loaded = window.Form_Load(dir.path());
        ::setrlimit(RLIMIT_FSIZE, &limit);
        std::signal(SIGXFSZ, previous);
    }
    QVERIFY(!loaded);
    QCOMPARE(presenter.shown.size(), 1);
    const QString prompt = presenter.shown[0].prompt;
    // The first write of a start is the files' identity: it names the file and the disk.
    QVERIFY2(prompt.contains(QStringLiteral("起動できません")), qPrintable(prompt));
    QVERIFY2(prompt.contains(QStringLiteral("ディスクの空きがない")), qPrintable(prompt));
    QVERIFY2(!prompt.contains(QStringLiteral("保存できませんでした")), qPrintable(prompt));
    QVERIFY(prompt.contains(dir.filePath(QStringLiteral("Ledrium.mdb"))));
}

void TestApp::secondCopyRaisesFirst()
{
    QTemporaryDir folder;
    SingleInstance first(folder.path());
    QCOMPARE(first.claim(), SingleInstance::Claim::Holder);
    int raised = 0;
    QVERIFY(first.listen([&raised] { ++raised; }));

    // The second copy is another process in real life; a thread of its own stands in for it,
    // while this thread's event loop serves the first copy.
    std::atomic<bool> answered = false;
    std::unique_ptr<QThread> second(QThread::create([&] {
        SingleInstance copy(folder.path());
        answered = copy.claim() == SingleInstance::Claim::HandedOver;
    }));
    second->start();
    QTRY_VERIFY(second->isFinished());
    QVERIFY(answered);
    QCOMPARE(raised, 1);
}

// A socket left behind by a crashed copy must not stop the next start.
void TestApp::staleSocketDoesNotBlockStart()
{
    QTemporaryDir folder;
    const QString path = SingleInstance::serverNameFor(folder.path());
    // A killed process leaves its socket file behind; stand in a plain file for it.
    QFile stale(path);
    QVERIFY(stale.open(QIODevice::WriteOnly));
    stale.close();
    SingleInstance next(folder.path());
    QCOMPARE(next.claim(std::chrono::milliseconds(0)), SingleInstance::Claim::Holder);
    QVERIFY(next.listen([] {}));
}

// A lock file left by a run that ended without closing tells the next start to look at the
// whole data; a lock released at close does not.
void TestApp::onlyALockLeftBehindCountsAsTakenOver()
{
    QTemporaryDir folder;
    for (int round = 0; round < 2; ++round) { // a first start, and one after a clean close
        SingleInstance clean(folder.path());
        QCOMPARE(clean.claim(std::chrono::milliseconds(0)), SingleInstance::Claim::Holder);
        QVERIFY(!clean.tookOverLock());
    }
    QProcess gone;
    gone.start(QStringLiteral("true"));
    QVERIFY(gone.waitForStarted());
    const qint64 pid = gone.processId();
    QVERIFY(gone.waitForFinished());
    QFile lock(SingleInstance::lockFilePathFor(folder.path()));
    QVERIFY(lock.open(QIODevice::WriteOnly));
    lock.write(QByteArray::number(pid) + "\nledrium\n" + QSysInfo::machineHostName().toUtf8() + "\n");
    lock.close();
    SingleInstance next(folder.path());
    QCOMPARE(next.claim(std::chrono::milliseconds(0)), SingleInstance::Claim::Holder);
    QVERIFY(next.tookOverLock());
}

// A socket someone answers on is not removed, whoever listens there.
void TestApp::liveSocketIsNeverRemoved()
{
    QTemporaryDir folder;
    QLocalServer live;
    QVERIFY(live.listen(SingleInstance::serverNameFor(folder.path())));
    SingleInstance next(folder.path());
    QVERIFY(!next.listen([] {}));
    QLocalSocket client;
    client.connectToServer(SingleInstance::serverNameFor(folder.path()));
    QVERIFY(client.waitForConnected(1000));
    QVERIFY(live.waitForNewConnection(1000));
}

void TestApp::unreadableLockSaysWhy_data()
{
    QTest::addColumn<bool>("folder");
    QTest::addColumn<QByteArray>("content");
    QTest::addColumn<QString>("why");
    QTest::newRow("a folder in its place") << true << QByteArray() << u("フォルダがあります");
    QTest::newRow("no holder in it") << false << QByteArray("\xff\xfe not a lock\n") << u("中身を読めません");
}

// A lock that names no holder must not be reported as "in use by nobody".
void TestApp::unreadableLockSaysWhy()
{
    QFETCH(bool, folder);
    QFETCH(QByteArray, content);
    QFETCH(QString, why);
    QTemporaryDir data;
    const QString lockPath = SingleInstance::lockFilePathFor(data.path());
    if (folder) {
        QVERIFY(QDir(data.path()).mkdir(QFileInfo(lockPath).fileName()));
    } else {
        QFile lock(lockPath);
        QVERIFY(lock.open(QIODevice::WriteOnly));
        lock.write(content);
    }
    SingleInstance copy(data.path());
    QElapsedTimer waited;
    waited.start();
    const SingleInstance::Claim claim = copy.claim(std::chrono::milliseconds(300));
    QCOMPARE(claim, SingleInstance::Claim::InUse);
    QVERIFY(waited.elapsed() < 5000);
    const QString text = copy.refusal(claim);
    QVERIFY2(text.contains(why), qPrintable(text));
    QVERIFY2(text.contains(QDir::toNativeSeparators(lockPath)), qPrintable(text));
    QVERIFY(QFileInfo::exists(lockPath)); // never removed behind the user's back
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
    QTRY_VERIFY_WITH_TIMEOUT(answering(dir.filePath(QStringLiteral("data")) + QLatin1Char('/')), 15000);
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

// Two starts at the same instant on one data folder: one runs, the other hands over and ends.
void TestApp::sameInstantStartsOpenOneWindow()
{
    if (!programBuilt())
        QSKIP("the program is not built beside this test");
    for (int round = 0; round < 3; ++round) {
        ProgramCopy copy;
        QVERIFY(copy.make());
        QProcess a, b;
        start(a, copy);
        start(b, copy);
        QVERIFY(a.waitForStarted() && b.waitForStarted());
        QTRY_VERIFY_WITH_TIMEOUT(a.state() == QProcess::NotRunning || b.state() == QProcess::NotRunning, 30000);
        QProcess& ended = a.state() == QProcess::NotRunning ? a : b;
        QProcess& running = &ended == &a ? b : a;
        QCOMPARE(ended.exitStatus(), QProcess::NormalExit);
        QCOMPARE(ended.exitCode(), 0);
        QTRY_VERIFY_WITH_TIMEOUT(answering(copy.data()), 15000);
        QCOMPARE(running.state(), QProcess::Running);
        stop(running);
    }
}

// The socket belongs to the data folder, not to the temporary folder a start happens to have.
void TestApp::secondStartWithOtherTempFolderHandsOver()
{
    if (!programBuilt())
        QSKIP("the program is not built beside this test");
    ProgramCopy copy;
    QVERIFY(copy.make());
    QTemporaryDir tmpA, tmpB;
    QProcessEnvironment envA = offscreen(), envB = offscreen();
    envA.insert(QStringLiteral("TMPDIR"), tmpA.path());
    envB.insert(QStringLiteral("TMPDIR"), tmpB.path());
    QProcess first, second;
    start(first, copy, envA);
    QTRY_VERIFY_WITH_TIMEOUT(answering(copy.data()), 15000);
    start(second, copy, envB);
    QVERIFY(second.waitForFinished(15000));
    QCOMPARE(second.exitStatus(), QProcess::NormalExit);
    QCOMPARE(second.exitCode(), 0);
    QCOMPARE(first.state(), QProcess::Running);
    stop(first);
}

// A start that cannot reach the running copy (another session's runtime folder) says the data
// is in use and by which process, and touches nothing.
void TestApp::unreachableHolderRefusesSecondStart()
{
    if (!programBuilt())
        QSKIP("the program is not built beside this test");
    ProgramCopy copy;
    QVERIFY(copy.make());
    QProcess first, second;
    start(first, copy);
    QTRY_VERIFY_WITH_TIMEOUT(answering(copy.data()), 15000);
    const QByteArray mainBefore = bytesOf(copy.data() + QStringLiteral("Ledrium.mdb"));
    const QByteArray workBefore = bytesOf(copy.data() + QStringLiteral("LedriumWork.mdb"));
    QTemporaryDir otherRuntime, otherTmp;
    QProcessEnvironment env = offscreen();
    env.insert(QStringLiteral("XDG_RUNTIME_DIR"), otherRuntime.path());
    env.insert(QStringLiteral("TMPDIR"), otherTmp.path());
    start(second, copy, env);
    QByteArray said;
    QTRY_VERIFY_WITH_TIMEOUT((said += second.readAllStandardError()).contains("使用中"), 20000);
    QVERIFY2(said.contains(QByteArray::number(first.processId())), said.constData());
    QCOMPARE(bytesOf(copy.data() + QStringLiteral("Ledrium.mdb")), mainBefore);
    QCOMPARE(bytesOf(copy.data() + QStringLiteral("LedriumWork.mdb")), workBefore);
    QCOMPARE(first.state(), QProcess::Running);
    stop(second); // its message box waits for a user
    stop(first);
}

// While the first copy shows why it cannot start, a second start shows no main window either.
void TestApp::secondStartDuringFailedStartUpShowsNoWindow()
{
    if (!programBuilt())
        QSKIP("the program is not built beside this test");
    ProgramCopy copy;
    QVERIFY(copy.make());
    QVERIFY(QFile::remove(copy.data() + QStringLiteral("LedriumWork.mdb")));
    const QByteArray mainBefore = bytesOf(copy.data() + QStringLiteral("Ledrium.mdb"));
    QProcess first, second;
    start(first, copy);
    QTRY_VERIFY_WITH_TIMEOUT(QFile::exists(SingleInstance::lockFilePathFor(copy.data())), 15000);
    start(second, copy);
    QByteArray said;
    QTRY_VERIFY_WITH_TIMEOUT((said += second.readAllStandardError()).contains("使用中"), 20000);
    QVERIFY(!answering(copy.data()));
    QCOMPARE(bytesOf(copy.data() + QStringLiteral("Ledrium.mdb")), mainBefore);
    QCOMPARE(first.state(), QProcess::Running); // still showing its message
    stop(second);
    stop(first);
}

// A holder killed outright leaves its lock file; the next start sees that nobody holds it.
void TestApp::killedHolderLeavesStaleLockThatNextStartTakes()
{
    if (!programBuilt())
        QSKIP("the program is not built beside this test");
    ProgramCopy copy;
    QVERIFY(copy.make());
    QProcess first, next;
    start(first, copy);
    QTRY_VERIFY_WITH_TIMEOUT(answering(copy.data()), 15000);
    first.kill();
    QVERIFY(first.waitForFinished());
    QVERIFY(QFile::exists(SingleInstance::lockFilePathFor(copy.data())));
    start(next, copy);
    QTRY_VERIFY_WITH_TIMEOUT(answering(copy.data()), 15000);
    QCOMPARE(next.state(), QProcess::Running);
    stop(next);
}

// The command line holds the folder like a window, but never hands over: with a window open on
// the folder it says the data is in use, issues no number and writes no PDF.
void TestApp::commandLineOnAFolderInUseWritesNothing()
{
    if (!programBuilt())
        QSKIP("the program is not built beside this test");
    ProgramCopy copy;
    QVERIFY(copy.make());
    QProcess window, line;
    start(window, copy);
    QTRY_VERIFY_WITH_TIMEOUT(answering(copy.data()), 15000);
    const QByteArray mainBefore = bytesOf(copy.data() + QStringLiteral("Ledrium.mdb"));
    const QString pdf = copy.dir.filePath(QStringLiteral("out.pdf"));
    line.start(copy.program(), {QStringLiteral("--pdf"), pdf, QStringLiteral("--paper"), QStringLiteral("A4 x 4"),
                                QStringLiteral("--blank"), QStringLiteral("1")});
    QVERIFY(line.waitForFinished(30000));
    QCOMPARE(line.exitStatus(), QProcess::NormalExit);
    QVERIFY(line.exitCode() != 0);
    QVERIFY(QString::fromUtf8(line.readAllStandardError()).contains(QStringLiteral("使用中")));
    QVERIFY(!QFile::exists(pdf));
    QCOMPARE(bytesOf(copy.data() + QStringLiteral("Ledrium.mdb")), mainBefore);
    QCOMPARE(window.state(), QProcess::Running);
    stop(window);
}

void TestApp::closeRequestClosesLikeCloseButton_data()
{
    QTest::addColumn<int>("signal");
    QTest::newRow("SIGTERM") << int(SIGTERM);
    QTest::newRow("SIGHUP") << int(SIGHUP);
}

// The system asking the program to end closes it as 閉じる does: the databases are closed
// cleanly, no log file stays behind, the lock is let go, and the exit status says all went well.
void TestApp::closeRequestClosesLikeCloseButton()
{
    QFETCH(int, signal);
    if (!programBuilt())
        QSKIP("the program is not built beside this test");
    ProgramCopy copy;
    QVERIFY(copy.make());
    QProcess program;
    start(program, copy);
    QTRY_VERIFY_WITH_TIMEOUT(answering(copy.data()), 15000);
    ::kill(pid_t(program.processId()), signal);
    QVERIFY(program.waitForFinished(10000));
    QCOMPARE(program.exitStatus(), QProcess::NormalExit);
    QCOMPARE(program.exitCode(), 0);
    const QByteArray said = program.readAllStandardError();
    QVERIFY2(!said.contains("removeDatabase"), said.constData());
    QCOMPARE(QDir(copy.data()).entryList(QDir::Files | QDir::Hidden | QDir::System),
             QStringList({QStringLiteral("Ledrium.mdb"), QStringLiteral("LedriumWork.mdb")}));
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

void TestApp::firstStartLeavesWhatItDidNotMakeAlone_data()
{
    QTest::addColumn<QString>("kind");
    QTest::newRow("link to another folder") << QStringLiteral("link");
    QTest::newRow("folder of the user's") << QStringLiteral("folder");
}

// The first start builds its data folder without clearing or following anything that was there.
void TestApp::firstStartLeavesWhatItDidNotMakeAlone()
{
    QFETCH(QString, kind);
    QTemporaryDir templates, home, elsewhere;
    QVERIFY(SchemaInstaller::createMissing(templates.path()));
    QVERIFY(QDir().mkpath(home.filePath(QStringLiteral("Ledrium"))));
    const QString partial = home.filePath(QStringLiteral("Ledrium/data.partial"));
    const QString keep = (kind == QLatin1String("link") ? elsewhere.path() : partial) + QStringLiteral("/keep.txt");
    if (kind == QLatin1String("link"))
        QVERIFY(QFile::link(elsewhere.path(), partial));
    else
        QVERIFY(QDir().mkpath(partial));
    QFile file(keep);
    QVERIFY(file.open(QIODevice::WriteOnly) && file.write("mine") == 4);
    file.close();

    const QString folder = DataFolder::userFolder(templates.path(), home.path());
    QCOMPARE(bytesOf(keep), QByteArray("mine"));
    QCOMPARE(QFileInfo(partial).isSymLink(), kind == QLatin1String("link"));
    QVERIFY(QFileInfo(folder + QStringLiteral("Ledrium.mdb")).isFile());
    QVERIFY(!QFileInfo(folder).isSymLink());
    QCOMPARE(QDir(home.filePath(QStringLiteral("Ledrium"))).entryList(QDir::AllEntries | QDir::NoDotAndDotDot | QDir::System),
             QStringList({QStringLiteral("data"), QStringLiteral("data.partial")}));
}

QTEST_MAIN(TestApp)
#include "tst_app.moc"
