#include "privatedesktoptest.h"

#include "brisquelsession.h"

#include <QTest>

void PrivateDesktopTest::initTestCase()
{
    const QString missing = whyNoDesktop(m_withTray);
    if (!missing.isEmpty()) {
        const QString what = m_withTray ? QStringLiteral("No private X display with a tray: ")
                                        : QStringLiteral("No private X display: ");
        QSKIP(qPrintable(what + missing));
    }
    m_display = std::make_unique<VirtualDisplay>();
    const QString problem = startDesktop(*m_display, m_withTray);
    QVERIFY2(problem.isEmpty(), qPrintable(problem));
}

void PrivateDesktopTest::cleanupTestCase()
{
    m_display.reset();
}
