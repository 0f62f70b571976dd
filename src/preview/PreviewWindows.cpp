#include "preview/PreviewWindows.h"

#include "messages/ShowMsg.h"
#include "preview/ReportPreview.h"
#include "report/ReportRun.h"

namespace PreviewWindows {

ReportPreview* open(std::shared_ptr<ReportRun> run, QWidget* parent)
{
    auto* preview = new ReportPreview(std::move(run), parent);
    QObject::connect(preview, &ReportPreview::outputFinished, preview, [](bool, const QString& message) {
        if (!message.isEmpty())
            ShowMsg(QStringLiteral("その他"), QStringLiteral("注意"), message);
    });
    preview->show();
    preview->raise();
    preview->activateWindow();
    return preview;
}

} // namespace PreviewWindows
