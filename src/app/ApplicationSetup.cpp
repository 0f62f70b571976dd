#include "app/ApplicationSetup.h"

#include "app/Version.h"

#include <QApplication>
#include <QFont>
#include <QFontDatabase>
#include <QLibraryInfo>
#include <QTranslator>

namespace ApplicationSetup {

void apply(QApplication& app)
{
    app.setApplicationName(QStringLiteral("Ledrium"));
    app.setApplicationVersion(ProgramVersion);
    static QTranslator qtbase;
    if (qtbase.load(QStringLiteral("qtbase_ja"), QLibraryInfo::path(QLibraryInfo::TranslationsPath)))
        app.installTranslator(&qtbase);
    // fontconfig knows no alias for the layout's font; IPAPGothic has the same metrics.
    QFont::insertSubstitution(QString::fromUtf8(FontName), QString::fromUtf8(SubstituteFont));
    QFont font(fontFamily());
    font.setPointSizeF(9);
    app.setFont(font);
}

QString fontFamily()
{
    static const QString family = QFontDatabase::hasFamily(QString::fromUtf8(FontName))
                                      ? QString::fromUtf8(FontName)
                                      : QString::fromUtf8(SubstituteFont);
    return family;
}

} // namespace ApplicationSetup
