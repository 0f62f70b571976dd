#pragma once
#include <QAbstractButton>
#include <QString>
#include <QTest>

// Japanese literals in tests: u("顧客名").
inline QString u(const char* text) { return QString::fromUtf8(text); }

// Clicks the button of that object name inside `root`; fails the test when there is none.
inline void click(QWidget* root, const char* name)
{
    auto* button = root->findChild<QAbstractButton*>(u(name));
    QVERIFY2(button, name);
    QTest::mouseClick(button, Qt::LeftButton);
}
