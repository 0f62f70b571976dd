#include "hints/HintLauncher.h"

#include "hints/HintHandOver.h"
#include "hints/HintWindow.h"

#include <QWidget>

void HintLauncher::open(const QString& ctlName)
{
    const HintHandOver handOver{mainWindow_->objectName(), ctlName, mainWindow_->windowTitle()};
    if (!window_)
        window_ = new HintWindow(mainWindow_);
    if (window_->isLoaded())
        window_->SwitchKey(handOver);
    else
        window_->Form_Load(handOver);
}
