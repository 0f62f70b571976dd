#pragma once
#include "TestData.h"
#include "app/Frm領収証.h"
#include "settings/SettingCopies.h"

#include <QTest>

#include <memory>

// A fresh data folder and the main window started on it, as after a program start.
struct StartedWindow {
    TestData data;
    std::unique_ptr<Frm領収証> window;

    StartedWindow()
    {
        SettingCopies::current() = {};
        window = std::make_unique<Frm領収証>();
        window->Form_Load(data.folder());
    }
    // Shown and active, for focus and keyboard tests.
    bool show()
    {
        window->show();
        window->activateWindow();
        return QTest::qWaitForWindowActive(window.get());
    }
    template <class T> T* get(const char* name) const { return window->findChild<T*>(QString::fromUtf8(name)); }
};
