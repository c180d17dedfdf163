#include "traycontroller.h"

#include "core/programtitle.h"
#include "ui/kit/twipswindow.h"

#include <QAction>
#include <QCursor>
#include <QMenu>

namespace brisquel {

namespace {
// What a balloon shows of a received message; the window shows the rest.
constexpr qsizetype kBalloonTextChars = 120;

QString startOf(const QString &text)
{
    if (text.size() <= kBalloonTextChars)
        return text;
    qsizetype cut = kBalloonTextChars;
    // Never half a character.
    if (text.at(cut).isLowSurrogate())
        --cut;
    return text.left(cut) + QStringLiteral("...");
}
} // namespace

TrayController::TrayController(TrayIcon &icon, TwipsWindow &window)
    : m_icon(icon)
    , m_window(window)
{
    connect(&m_icon, &TrayIcon::activated, this, &TrayController::onIconActivated);
    connect(&m_icon, &TrayIcon::availabilityChanged, this, &TrayController::onAvailabilityChanged);
    connect(&m_icon, &TrayIcon::messageShown, this, [this] { m_receivedBalloonOnShow = false; });
    connect(&m_icon, &TrayIcon::messageClicked, this, [this] {
        if (m_receivedBalloonOnShow)
            emit receivedMessagesRequested();
    });
}

TrayController::~TrayController()
{
    m_icon.remove();
    delete trayMenu;
}

void TrayController::windowSizeOrStateChanged()
{
    if (!m_window.isMinimized())
        return;
    // Without a notification area a hidden window could never come back:
    // it stays minimised on the taskbar, as with the option unticked.
    if (m_minimizeToTray && m_icon.isAvailable()) {
        m_icon.add(m_window.windowIcon(), tip());
        // Hidden, the window leaves the taskbar too.
        m_inTray = true;
        m_window.setVisible(false);
    } else {
        m_icon.remove();
    }
}

// A tray host that goes takes the way back with it: the window returns to
// the taskbar, still minimised. One that comes takes a window that would
// have gone to the tray.
void TrayController::onAvailabilityChanged()
{
    if (!m_icon.isAvailable()) {
        if (!m_inTray)
            return;
        m_inTray = false;
        m_icon.remove();
        m_window.minimize();
        m_window.setVisible(true);
    } else if (m_window.isVisible() && m_window.isMinimized()) {
        windowSizeOrStateChanged();
    }
}

void TrayController::onIconActivated(TrayIcon::Event event)
{
    switch (event) {
    case TrayIcon::Event::LeftDoubleClick:
        emit iconDoubleClicked();
        break;
    case TrayIcon::Event::RightButtonDown: {
        QMenu &shown = menu();
        shown.setDefaultAction(quitAction);
        shown.popup(QCursor::pos());
        break;
    }
    case TrayIcon::Event::LeftButtonDown:
        // Otherwise a single click does nothing.
        if (m_unread > 0)
            emit receivedMessagesRequested();
        break;
    }
}

// Made the first time the user asks for it: most runs never do.
QMenu &TrayController::menu()
{
    if (trayMenu != nullptr)
        return *trayMenu;
    // Its own window, not a child of the main window: it opens from the tray
    // even while the quick-message strip keeps the main window out of use.
    trayMenu = new QMenu(QStringLiteral("MenuPopUp"));
    trayMenu->setObjectName(QStringLiteral("trayMenu"));
    quickMessageAction = trayMenu->addAction(QStringLiteral("&Mensaje Rápido"));
    trayMenu->addSeparator();
    restoreAction = trayMenu->addAction(QStringLiteral("&Restaurar"));
    trayMenu->addSeparator();
    quitAction = trayMenu->addAction(QStringLiteral("&Salir"));
    quickMessageAction->setObjectName(QStringLiteral("quickMessageAction"));
    restoreAction->setObjectName(QStringLiteral("restoreAction"));
    quitAction->setObjectName(QStringLiteral("quitAction"));
    QFont bold = quitAction->font();
    bold.setBold(true);
    quitAction->setFont(bold);
    trayMenu->setDefaultAction(quitAction);

    connect(quitAction, &QAction::triggered, this, &TrayController::quitChosen);
    connect(quickMessageAction, &QAction::triggered, this, &TrayController::quickMessageChosen);
    connect(restoreAction, &QAction::triggered, this, &TrayController::restoreChosen);
    return *trayMenu;
}

void TrayController::setUnreadMessages(int count)
{
    m_unread = count;
    m_icon.setTip(tip());
}

QString TrayController::tip() const
{
    return m_unread > 0 ? unreadMessagesTip(m_unread) : kTrayTip;
}

bool TrayController::showReceivedBalloon(const QString &sender, const QString &text)
{
    if (!m_icon.showMessage(receivedMessageTitle(sender), startOf(text), TrayIcon::Balloon::Information))
        return false;
    // Set after the balloon is up: putting it up tells every balloon's
    // owner, this one included, that the one before is gone.
    m_receivedBalloonOnShow = true;
    return true;
}

} // namespace brisquel
