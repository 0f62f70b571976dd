#pragma once
#include "TestData.h"
#include "app/MainWindow.h"

#include <QTest>

#include <functional>
#include <memory>

// A fresh data folder and the main window started on it, as after a program start.
struct StartedWindow {
    TestData data;
    std::unique_ptr<Frm領収証> window;

    // `arrange` runs on the fresh databases before the program starts on them.
    explicit StartedWindow(const std::function<void()>& arrange = {})
    {
        if (arrange)
            arrange();
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
