#pragma once

#include "ui/findcontrol.h"
#include "ui/programundertest.h"
#include "ui/kit/exacttextbox.h"
#include "ui/main/mainwindow.h"
#include "ui/splash/splashwindow.h"

#include <QApplication>
#include <QTimer>
#include <QWindow>
#include <QtTest>

#include <functional>

namespace brisquel {

inline QWidget *focused() { return QApplication::focusWidget(); }

inline bool focusIsIn(QWidget *control)
{
    QWidget *w = focused();
    return w && (w == control || control->isAncestorOf(w));
}

inline void typeText(const QString &text) { QTest::keyClicks(focused(), text); }

// Presses Tab, as a user would, until the focus reaches `control`; false
// when it never does.
inline bool tabTo(QWidget *control)
{
    for (int i = 0; i < 40 && !focusIsIn(control); ++i)
        QTest::keyClick(focused(), Qt::Key_Tab);
    return focusIsIn(control);
}

// The main window as a user meets it, painted: the controls out of sight
// (the control panel, the saved messages) are made just after that.
inline bool painted(const MainWindow &form)
{
    return QTest::qWaitFor([&form] { return form.findChild<QWidget *>(QStringLiteral("controlPanel")) != nullptr; });
}

// The program started from the given settings as main() starts it: the
// splash, the greeting (answered Yes), then the main window, which must be
// on screen, painted and active by itself. Nothing here moves the focus.
struct StartedProgram {
    explicit StartedProgram(const QByteArray &ini)
        : form(started(program, ini))
    {
        timer(form, "pulseTimer")->stop(); // the pulse is tested on its own
        if (!QTest::qWaitForWindowActive(&form))
            qWarning("main window not active");
        if (!painted(form))
            qWarning("main window never painted");
    }
    static MainWindow &started(ProgramUnderTest &program, const QByteArray &ini)
    {
        program.writeIni(ini);
        SplashWindow &splash = program.app.start();
        timer(splash, "tickTimer")->setInterval(1); // its two ticks, without the wait
        if (!QTest::qWaitFor([&program] { return program.app.hasMainWindow() && program.app.mainWindow().isVisible(); }))
            qWarning("the splash never opened the main window");
        return program.app.mainWindow();
    }
    ProgramUnderTest program;
    MainWindow &form;
};

// Picks the item `name` of the tray icon's menu as a user does: a right
// click on the icon, then a click on the item.
inline void pickFromTrayMenu(FakeTrayIcon &tray, const QString &name)
{
    tray.fire(TrayIcon::Event::RightButtonDown);
    QMenu *menu = trayMenu();
    if (!menu->isVisible())
        qWarning("the tray menu did not open");
    QTest::mouseClick(menu, Qt::LeftButton, {}, menu->actionGeometry(trayAction(name)).center());
}

inline QByteArray threeUsersAndAGroup(bool ownName = true)
{
    return settingsText({{"Pepe", "pepe"}, {"Juan", "juan"}, {"Luis", "luis"}},
                        {{"Todos", "pepe, juan, luis"}}, QStringLiteral("ana"), ownName);
}

// Runs `inside` once the modal window opened by `open` is on screen, then
// returns when `open` returns. Should `inside` leave the window open, it is
// hidden after a while so that a failing test fails instead of hanging.
inline void whileModal(QWidget &window, const std::function<void()> &open, const std::function<void()> &inside)
{
    QTimer failSafe;
    failSafe.setSingleShot(true);
    QObject::connect(&failSafe, &QTimer::timeout, &window, &QWidget::hide);
    QTimer::singleShot(0, &window, [&window, &failSafe, inside] {
        failSafe.start(3000);
        if (!QTest::qWaitForWindowExposed(&window))
            return;
        QTRY_VERIFY(window.isActiveWindow());
        QTRY_VERIFY(focused() && window.isAncestorOf(focused()));
        inside();
    });
    open();
}

} // namespace brisquel
