#include "appwindows.h"

#include "ui/art/pictures.h"
#include "ui/main/mainwindow.h"
#include "ui/quick/quickmessagestrip.h"
#include "ui/recipient/recipientdialog.h"
#include "ui/sender/sendernamedialog.h"
#include "ui/splash/splashwindow.h"

#include <QApplication>

#include <utility>

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
    unloadAll();
}

void AppWindows::unloadAll()
{
    // Dialogs first: the main window's teardown may still refer to them.
    m_quickMessageStrip.reset();
    m_recipientDialog.reset();
    m_senderNameDialog.reset();
    m_splashWindow.reset();
    m_mainWindow.reset();
    m_notice.close();
}

SplashWindow &AppWindows::start()
{
    QApplication::setWindowIcon(art::windowIcon());
    SplashWindow &splash = splashWindow();
    splash.show();
    return splash;
}

namespace {
// The first time a window is asked for, it is created and its load runs.
template <class Window, class... Arguments>
Window &loaded(std::unique_ptr<Window> &window, Arguments &&...arguments)
{
    if (!window) {
        window = std::make_unique<Window>(std::forward<Arguments>(arguments)...);
        window->load();
    }
    return *window;
}
} // namespace

MainWindow &AppWindows::mainWindow() { return loaded(m_mainWindow, *this); }
QuickMessageStrip &AppWindows::quickMessageStrip() { return loaded(m_quickMessageStrip, *this); }
SplashWindow &AppWindows::splashWindow() { return loaded(m_splashWindow, *this); }
RecipientDialog &AppWindows::recipientDialog() { return loaded(m_recipientDialog, m_services.screen); }
SenderNameDialog &AppWindows::senderNameDialog() { return loaded(m_senderNameDialog, *this); }

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
