#pragma once

#include "fakes/fakescreenmetrics.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

namespace kittest {

// Shows a window and makes it the active one, so keys and focus reach it.
inline bool showActive(QWidget &window)
{
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    return QTest::qWaitForWindowActive(&window);
}

} // namespace kittest
