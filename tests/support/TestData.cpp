#include "TestData.h"

#include "store/Connections.h"
#include "store/SchemaInstaller.h"
#include "store/SqlRunner.h"

#include <QTest>

TestData::TestData()
{
    QString error;
    ok_ = dir_.isValid() && SchemaInstaller::createMissing(dir_.path(), &error) &&
          Connections::open(DataPaths::forFolder(dir_.path())).ok;
    if (!ok_)
        qWarning() << "test data folder:" << error;
}

TestData::~TestData() { Connections::close(); }

QString TestData::mainPath() const { return DataPaths::forFolder(dir_.path()).MainDbPath; }
QString TestData::workPath() const { return DataPaths::forFolder(dir_.path()).WorkDbPath; }

namespace {
bool run(QSqlDatabase db, const QString& sql, const QVariantList& values, QVariantList* column)
{
    SqlRunner runner(db);
    if (!runner.exec(sql, values)) {
        qWarning() << sql << runner.error();
        return false;
    }
    while (column && runner.query().next())
        column->append(runner.query().value(0));
    return true;
}
} // namespace

bool TestData::execMain(const QString& sql, const QVariantList& values)
{
    return run(Connections::mainDb(), sql, values, nullptr);
}
bool TestData::execWork(const QString& sql, const QVariantList& values)
{
    return run(Connections::workDb(), sql, values, nullptr);
}
QVariantList TestData::columnMain(const QString& sql, const QVariantList& values)
{
    QVariantList column;
    run(Connections::mainDb(), sql, values, &column);
    return column;
}
QVariantList TestData::columnWork(const QString& sql, const QVariantList& values)
{
    QVariantList column;
    run(Connections::workDb(), sql, values, &column);
    return column;
}
