#include "appwindows.h"

#include "ui/art/pictures.h"
#include "ui/main/mainwindow.h"
#include "ui/quick/quickmessagestrip.h"
#include "ui/recipient/recipientdialog.h"
#include "ui/sender/sendernamedialog.h"
#include "ui/splash/splashwindow.h"

#include <QApplication>

namespace brisquel {

AppWindows::AppWindows(AppState &state, Services &services)
    : m_state(state)
    , m_services(services)
    , m_dispatcher(state, services.starter)
    , m_notice(services.tray)
{
    m_dispatcher.onFailures = [this](const DeliveryReport &report) { m_notice.show(report); };
}

AppWindows::~AppWindows()
{
    // Dialogs first: the main window's teardown may still refer to them.
    m_quickMessageStrip.reset();
    m_recipientDialog.reset();
    m_senderNameDialog.reset();
    m_splashWindow.reset();
    m_mainWindow.reset();
}

SplashWindow &AppWindows::start()
{
    QApplication::setWindowIcon(art::windowIcon());
    SplashWindow &splash = splashWindow();
    splash.show();
    return splash;
}

MainWindow &AppWindows::mainWindow()
{
    if (!m_mainWindow) {
        m_mainWindow = std::make_unique<MainWindow>(*this);
        m_mainWindow->load();
    }
    return *m_mainWindow;
}

QuickMessageStrip &AppWindows::quickMessageStrip()
{
    if (!m_quickMessageStrip) {
        m_quickMessageStrip = std::make_unique<QuickMessageStrip>(*this);
        m_quickMessageStrip->load();
    }
    return *m_quickMessageStrip;
}

SplashWindow &AppWindows::splashWindow()
{
    if (!m_splashWindow) {
        m_splashWindow = std::make_unique<SplashWindow>(*this);
        m_splashWindow->load();
    }
    return *m_splashWindow;
}

RecipientDialog &AppWindows::recipientDialog()
{
    if (!m_recipientDialog) {
        m_recipientDialog = std::make_unique<RecipientDialog>(*this);
        m_recipientDialog->load();
    }
    return *m_recipientDialog;
}

SenderNameDialog &AppWindows::senderNameDialog()
{
    if (!m_senderNameDialog) {
        m_senderNameDialog = std::make_unique<SenderNameDialog>(*this);
        m_senderNameDialog->load();
    }
    return *m_senderNameDialog;
}

void AppWindows::unloadQuickMessageStrip() { m_quickMessageStrip.reset(); }
// The splash unloads itself from inside its own timer handler: let the
// handler return before the window goes.
void AppWindows::unloadSplashWindow()
{
    if (m_splashWindow)
        m_splashWindow.release()->deleteLater();
}
void AppWindows::unloadRecipientDialog() { m_recipientDialog.reset(); }
void AppWindows::unloadSenderNameDialog() { m_senderNameDialog.reset(); }

} // namespace brisquel
