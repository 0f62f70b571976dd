#include "app/ApplicationSetup.h"
#include "app/DataFolder.h"
#include "app/Frm領収証.h"
#include "app/SingleInstance.h"
#include "store/Connections.h"

#include <QApplication>

int main(int argc, char** argv)
{
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
