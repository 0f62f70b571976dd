#include "app/ApplicationSetup.h"
#include "app/CommandLine.h"
#include "app/DataFolder.h"
#include "app/Frm領収証.h"
#include "app/SingleInstance.h"
#include "store/Connections.h"

#include <QApplication>
#include <QTextStream>

namespace {
// The command line needs no display: it runs offscreen, with the window's fonts and rules.
int runCommandLine(int argc, char** argv)
{
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication app(argc, argv);
    ApplicationSetup::apply(app);
    QTextStream out(stdout);
    QTextStream err(stderr);
    return CommandLine::run(app.arguments(), DataFolder::locate(), out, err);
}
} // namespace

int main(int argc, char** argv)
{
    QStringList arguments;
    for (int i = 0; i < argc; ++i)
        arguments << QString::fromLocal8Bit(argv[i]);
    if (CommandLine::wanted(arguments))
        return runCommandLine(argc, argv);

    QApplication app(argc, argv);
    ApplicationSetup::apply(app);

    SingleInstance instance(SingleInstance::defaultKey());
    if (instance.askRunningCopy())
        return 0;

    Frm領収証 window;
    // Listen before the databases open, so that a start meanwhile finds this copy.
    instance.listen([&window] {
        window.showNormal();
        window.raise();
        window.activateWindow();
    });
    if (!window.Form_Load(DataFolder::locate()))
        return 1;
    window.show();
    const int status = app.exec();
    Connections::close(); // checkpoints the write-ahead logs into the two files
    return status;
}
