#pragma once
#include "ScriptedMessagePresenter.h"
#include "StartedWindow.h"

#include <QAbstractButton>
#include <QStringList>
#include <QTabWidget>

// A started window showing its settings page, with message boxes recorded and answered.
struct SettingsPage : StartedWindow {
    ScriptedMessagePresenter* presenter = nullptr;

    explicit SettingsPage(const std::function<void()>& arrange = {}) : StartedWindow(arrange)
    {
        QVERIFY(show());
        get<QTabWidget>("SSTab1")->setCurrentIndex(1);
        presenter = &ScriptedMessagePresenter::install();
    }
    void click(const char* button) const { QTest::mouseClick(get<QAbstractButton>(button), Qt::LeftButton); }
    QStringList titles() const
    {
        QStringList all;
        for (const MessageBoxSpec& box : presenter->shown)
            all << box.title;
        return all;
    }
};
