#pragma once

#include "platform/screenmetrics.h"

#include <QApplication>
#include <QTest>
#include <QWidget>

namespace kittest {

// A screen with a fixed number of twips to the pixel.
class FakeScreen final : public brisquel::ScreenMetrics {
public:
    explicit FakeScreen(double twipsPerPixel = 15.0)
        : m_tpp(twipsPerPixel)
    {
    }
    double twipsPerPixelX() const override { return m_tpp; }
    double twipsPerPixelY() const override { return m_tpp; }
    int screenWidthTwips() const override { return int(1024 * m_tpp); }
    int screenHeightTwips() const override { return int(768 * m_tpp); }
    QRect availableTwips() const override { return {0, 0, screenWidthTwips(), screenHeightTwips()}; }

private:
    double m_tpp;
};

// Shows a window and makes it the active one, so keys and focus reach it.
inline bool showActive(QWidget &window)
{
    window.show();
    window.activateWindow();
    QApplication::setActiveWindow(&window);
    return QTest::qWaitForWindowActive(&window);
}

} // namespace kittest
