#include "app/ApplicationSetup.h"
#include "app/CloseRequests.h"
#include "app/CommandLine.h"
#include "app/DataFolder.h"
#include "app/MainWindow.h"
#include "app/SingleInstance.h"
#include "messages/ShowMsg.h"
#include "store/Connections.h"

#include <QApplication>
#include <QGuiApplication>
#include <QPointer>
#include <QTextStream>

#include <cstdio>
#include <malloc.h>

namespace {
// The command line needs no display: it runs offscreen, with the window's fonts and rules.
// It holds the data folder like a window does, but never hands over to one. It builds no
// widget: under a QGuiApplication, one would abort the program.
int runCommandLine(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QGuiApplication app(argc, argv);
    ApplicationSetup::apply(app);
    QTextStream out(stdout);
    QTextStream err(stderr);
    const QString dataFolder = DataFolder::locate();
    SingleInstance instance(dataFolder);
    if (const SingleInstance::Claim claim = instance.hold(); claim != SingleInstance::Claim::Holder) {
        err << instance.refusal(claim) << Qt::endl;
        return 1;
    }
    // As a window's start: every page is read only when there is a reason (see Connections::open).
    return CommandLine::run(app.arguments(), dataFolder, out, err,
                            instance.tookOverLock() ? WholeFileCheck::Always : WholeFileCheck::WhenDue);
}
} // namespace

int main(int argc, char** argv)
{
    // Qt's PDF writer takes two 16 MiB buffers for every page it compresses. Served from the heap,
    // with 64 MiB of headroom kept at its top, they cost no system call and no fresh page faults
    // each time (a 10,000-receipt run takes half the time; the peak memory stays the same). Left
    // to itself, the C library may map and unmap them page by page instead, depending on what
    // else was freed before.
    mallopt(M_TOP_PAD, 64 * 1024 * 1024);
    mallopt(M_MMAP_THRESHOLD, 32 * 1024 * 1024);
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (CommandLine::wanted(arguments))
        return runCommandLine(argc, argv);

    QApplication app(argc, argv);
    ApplicationSetup::apply(app);

    const QString dataFolder = DataFolder::locate();
    // Held from before the databases open until after they are closed.
    SingleInstance instance(dataFolder);
    switch (const SingleInstance::Claim claim = instance.claim()) {
    case SingleInstance::Claim::Holder:
        break;
    case SingleInstance::Claim::HandedOver:
        return 0;
    default: {
        const QString text = instance.refusal(claim);
        std::fprintf(stderr, "%s\n", text.toLocal8Bit().constData());
        ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"), text);
        return 1;
    }
    }

    int status = 1;
    {
        Frm領収証 window;
        if (!window.Form_Load(dataFolder, instance.tookOverLock() ? WholeFileCheck::Always : WholeFileCheck::WhenDue))
            return 1;
        CloseRequests closeRequests;
        QObject::connect(&closeRequests, &CloseRequests::requested, &window, &Frm領収証::cmd閉じる_Click);
        // Later starts are answered only now that start-up has succeeded.
        instance.listen([target = QPointer<Frm領収証>(&window)] {
            if (!target)
                return;
            target->showNormal();
            target->raise();
            target->activateWindow();
        });
        window.show();
        status = app.exec();
    }
    // The window took every model and query on the connections with it.
    Connections::close();
    return status;
}
