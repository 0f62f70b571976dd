#include "app/ApplicationSetup.h"

#include "app/FileDialogColumns.h"
#include "app/Version.h"
#include "report/ReportFont.h"

#include <QApplication>
#include <QFont>
#include <QLibraryInfo>
#include <QTranslator>

namespace ApplicationSetup {

void apply(QGuiApplication& app)
{
    app.setApplicationName(QStringLiteral("Ledrium"));
    app.setApplicationVersion(ProgramVersion);
    // The translators belong to the application and go with it.
    auto* qtbase = new QTranslator(&app);
    if (qtbase->load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(qtbase);
    // Installed last, so asked first: fills in what qtbase_ja leaves in English.
    auto* dialogs = new QTranslator(&app);
    if (dialogs->load(QStringLiteral(":/translations/qt_dialogs_ja.qm")))
        app.installTranslator(dialogs);
    // fontconfig knows no alias for the layout's font; IPAPGothic has the same metrics.
    QFont::insertSubstitution(QString::fromUtf8(ReportFont::Name), QString::fromUtf8(ReportFont::Substitute));
    QFont font(ReportFont::family());
    font.setPointSizeF(9);
    app.setFont(font);
}

void apply(QApplication& app)
{
    apply(static_cast<QGuiApplication&>(app));
    app.installEventFilter(new FileDialogColumns(&app));
    // Set again through QApplication, which also drops the fonts the platform theme gives
    // single widget classes.
    QApplication::setFont(QGuiApplication::font());
}

} // namespace ApplicationSetup
