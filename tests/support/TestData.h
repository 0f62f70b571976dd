#pragma once
#include <QString>
#include <QTemporaryDir>
#include <QVariantList>

// A fresh data folder with the delivered databases, opened as MainDb and WorkDb.
class TestData {
public:
    TestData();
    ~TestData();

    bool ok() const { return ok_; }
    QString folder() const { return dir_.path() + QLatin1Char('/'); }
    QString mainPath() const;
    QString workPath() const;

    // Runs raw SQL on a connection, for arranging fixtures; fails the test on error.
    static bool execMain(const QString& sql, const QVariantList& values = {});
    static bool execWork(const QString& sql, const QVariantList& values = {});
    // First column of every row of a query.
    static QVariantList columnMain(const QString& sql, const QVariantList& values = {});
    static QVariantList columnWork(const QString& sql, const QVariantList& values = {});

private:
    QTemporaryDir dir_;
    bool ok_ = false;
};
