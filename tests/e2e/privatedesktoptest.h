#pragma once

#include "support/virtualdisplay.h"

#include <QObject>

#include <memory>

// The base of a test case that drives the real program on a private X
// display: the display, with our window manager (and the tray host when
// wanted), is started once before the first test function and stopped after
// the last; the whole case is skipped where no such display can be had.
class PrivateDesktopTest : public QObject
{
    Q_OBJECT

protected:
    enum class Tray { Without, With };

    explicit PrivateDesktopTest(Tray tray = Tray::Without)
        : m_withTray(tray == Tray::With)
    {
    }

    std::unique_ptr<VirtualDisplay> m_display;

private slots:
    // Qt Test finds these in the base class too, by name.
    void initTestCase();
    void cleanupTestCase();

private:
    const bool m_withTray;
};
