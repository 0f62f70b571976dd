#include "hints/HintLauncher.h"

#include "hints/HintHandOver.h"
#include "hints/HintWindow.h"

#include <QPointer>
#include <QWidget>

namespace {
QPointer<HintWindow>& instance()
{
    static QPointer<HintWindow> window;
    return window;
}
} // namespace

void openHint(QWidget* mainWindow, const QString& ctlName)
{
    if (!mainWindow)
        return;
    HintHandOver& handOver = HintHandOver::current();
    handOver.HintFormName = mainWindow->objectName();
    handOver.HintCtlName = ctlName;
    handOver.HintFormTitle = mainWindow->windowTitle();

    QPointer<HintWindow>& window = instance();
    // A window left over from another main window (only tests make more than one) is not reused.
    if (window && window->parentWidget() != mainWindow)
        delete window.data();
    if (!window)
        window = new HintWindow(mainWindow);
    if (window->isLoaded())
        window->SwitchKey();
    else
        window->Form_Load();
}

HintWindow* currentHintWindow()
{
    return instance().data();
}
