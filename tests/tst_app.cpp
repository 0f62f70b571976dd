// Start-up: opening the data folder, the caption, refusing bad files, one running copy.
#include "ScriptedMessagePresenter.h"
#include "app/DataFolder.h"
#include "app/Frm領収証.h"
#include "app/SingleInstance.h"
#include "store/Connections.h"
#include "store/SchemaInstaller.h"

#include <QDir>
#include <QElapsedTimer>
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
    void cleanup() { Connections::close(); }
    void startsWithCaption();
    void missingFileStopsStartUp_data();
    void missingFileStopsStartUp();
    void secondCopyRaisesFirst();
    void staleSocketDoesNotBlockStart();
    void secondProgramStartExits();
    void installedProgramKeepsDataPerUser();
};

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
