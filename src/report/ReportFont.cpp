#include "report/ReportFont.h"

#include <QFontDatabase>

namespace ReportFont {

QString family()
{
    static const QString resolved = QFontDatabase::hasFamily(QString::fromUtf8(Name)) ? QString::fromUtf8(Name)
                                                                                     : QString::fromUtf8(Substitute);
    return resolved;
}

} // namespace ReportFont
