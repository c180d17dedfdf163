#pragma once

#include "platform/trayicon.h"

#include <QObject>

class QAction;
class QMenu;

namespace brisquel {

class TwipsWindow;

// The main window's side of the notification area: minimised, the window
// hides behind the tray icon when the user wants it so and there is a
// notification area; the icon's menu; and the way back when the area goes.
class TrayController : public QObject {
    Q_OBJECT

public:
    TrayController(TrayIcon &icon, TwipsWindow &window);
    ~TrayController() override;

    // The user's choice, from the control panel.
    void setMinimizeToTray(bool toTray) { m_minimizeToTray = toTray; }
    // Run on every change of the window's size or state.
    void windowSizeOrStateChanged();
    // The window has come back from the tray.
    void windowRestored() { m_inTray = false; }
    // Hidden behind the tray icon now.
    bool isInTray() const { return m_inTray; }

    // Received messages not yet read: the icon's tip counts them, and while
    // there are any a single click on the icon asks for them.
    void setUnreadMessages(int count);
    // A balloon for a message just received, the start of its text under
    // its title; a click on it asks for the received messages. False when
    // none could be shown (no icon on show, or a tray without balloons).
    bool showReceivedBalloon(const QString &sender, const QString &text);

signals:
    void quickMessageChosen();
    void restoreChosen();
    void quitChosen();
    void iconDoubleClicked();
    void receivedMessagesRequested();

private:
    void onIconActivated(TrayIcon::Event event);
    void onAvailabilityChanged();
    QMenu &menu();
    QString tip() const;

    TrayIcon &m_icon;
    TwipsWindow &m_window;
    bool m_minimizeToTray = false;
    // Minimised behind the tray icon, off the taskbar.
    bool m_inTray = false;
    int m_unread = 0;
    // The balloon on show is one of showReceivedBalloon's, not another's
    // (a delivery failure's).
    bool m_receivedBalloonOnShow = false;

    // The icon's menu, made on its first right click.
    QMenu *trayMenu = nullptr;
    QAction *quickMessageAction = nullptr;
    QAction *restoreAction = nullptr;
    QAction *quitAction = nullptr;
};

} // namespace brisquel
