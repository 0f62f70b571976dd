// Build step: writes the delivered databases into the folder given, only where they are absent.
#include "store/SchemaInstaller.h"

#include <QCoreApplication>
#include <QTextStream>

int main(int argc, char** argv)
{
    QCoreApplication app(argc, argv);
    if (argc != 2) {
        QTextStream(stderr) << "usage: ledrium_mkdb DATA_FOLDER\n";
        return 2;
    }
    QString error;
    if (!SchemaInstaller::createMissing(QString::fromLocal8Bit(argv[1]), &error)) {
        QTextStream(stderr) << error << '\n';
        return 1;
    }
    return 0;
}
