// Minimising to the tray, the tray menu and the glyph's colour pulse.
#include "mainwindow.h"

#include "core/programtitle.h"
#include "ui/art/pictures.h"
#include "ui/services.h"
#include "ui/kit/wrappingcheckbox.h"
#include "ui/kit/colorlabel.h"
#include "ui/kit/exacttextbox.h"

#include <QCoreApplication>
#include <QCursor>
#include <QMenu>

namespace brisquel {

void MainWindow::onSizeOrStateChanged()
{
    if (!isMinimized())
        return;
    // Without a notification area a hidden window could never come back:
    // it stays minimised on the taskbar, as with the option unticked.
    if (minimizeToTrayCheck->isChecked() && m_services.tray.isAvailable()) {
        m_services.tray.add(windowIcon(), kTrayTip);
        // Hidden, the window leaves the taskbar too.
        m_inTray = true;
        setVisible(false);
    } else {
        m_services.tray.remove();
    }
}

// A tray host that goes takes the way back with it: the window returns to
// the taskbar, still minimised. One that comes takes a window that would
// have gone to the tray.
void MainWindow::onTrayAvailabilityChanged()
{
    if (!m_services.tray.isAvailable()) {
        if (!m_inTray)
            return;
        m_inTray = false;
        m_services.tray.remove();
        minimize();
        setVisible(true);
    } else if (isVisible() && isMinimized()) {
        onSizeOrStateChanged();
    }
}

void MainWindow::removeTrayIcon()
{
    m_services.tray.remove();
}

void MainWindow::onTrayEvent(TrayIcon::Event event)
{
    switch (event) {
    case TrayIcon::Event::LeftDoubleClick:
        emit trayIconDoubleClicked();
        break;
    case TrayIcon::Event::RightButtonDown:
        trayMenu->setDefaultAction(quitAction);
        trayMenu->popup(QCursor::pos());
        break;
    case TrayIcon::Event::LeftButtonDown:
        break;
    }
}

void MainWindow::restoreWindow()
{
    m_inTray = false;
    restore();
    setVisible(true);
    activateWindow();
    messageEdit->setFocus();
}

void MainWindow::onMinimizeCheckClicked()
{
    messageEdit->setFocus();
}

void MainWindow::openQuickMessage()
{
    emit quickMessageRequested();
    if (isVisible())
        messageEdit->setFocus();
}

void MainWindow::onPulseTick()
{
    bannerGlyph->setTextColor(m_glyphPulse.tick());
    // Lets whatever is pending run before the next tick.
    QCoreApplication::processEvents();
}

} // namespace brisquel
