#include "program.h"

#include "ui/art/pictures.h"
#include "ui/kit/showmodal.h"
#include "ui/main/mainwindow.h"
#include "ui/quick/quickmessagestrip.h"
#include "ui/recipient/recipientdialog.h"
#include "ui/sender/sendernamedialog.h"
#include "ui/splash/splashwindow.h"

#include <QApplication>

namespace brisquel {

Program::Program(Services &services)
    : m_services(services)
    , m_dispatcher(m_state, services.starter)
    , m_composer(m_state, m_dispatcher)
    , m_notice(services.tray)
{
    m_dispatcher.onFailures = [this](const DeliveryReport &report) { m_notice.show(report); };
}

Program::~Program()
{
    unloadAll();
}

void Program::unloadAll()
{
    // Dialogs first: the main window's teardown may still refer to them.
    unloadDialogs();
    m_splashWindow.reset();
    m_mainWindow.reset();
    m_notice.close();
}

void Program::unloadDialogs()
{
    m_quickMessageStrip.reset();
    m_recipientDialog.reset();
    m_senderNameDialog.reset();
}

SplashWindow &Program::start()
{
    QApplication::setWindowIcon(art::windowIcon());
    SplashWindow &splash = splashWindow();
    splash.show();
    return splash;
}

SplashWindow &Program::splashWindow()
{
    if (!m_splashWindow) {
        m_splashWindow = std::make_unique<SplashWindow>(m_services.screen);
        QObject::connect(m_splashWindow.get(), &SplashWindow::finished, m_splashWindow.get(),
                         [this] { onSplashFinished(); });
        m_splashWindow->load();
    }
    return *m_splashWindow;
}

void Program::onSplashFinished()
{
    // The greeting runs inside this, with the splash still on screen.
    MainWindow &main = mainWindow();
    if (main.loadedOk()) {
        main.show();
        main.activateWindow();
    }
    // The splash signalled from inside its own timer handler: let the
    // handler return before the window goes.
    if (m_splashWindow)
        m_splashWindow.release()->deleteLater();
}

MainWindow &Program::mainWindow()
{
    if (!m_mainWindow) {
        m_mainWindow = std::make_unique<MainWindow>(m_services, m_state, m_composer);
        connectMainWindow(*m_mainWindow);
        m_mainWindow->load();
    }
    return *m_mainWindow;
}

void Program::connectMainWindow(MainWindow &main)
{
    QObject::connect(&main, &MainWindow::quickListRead, &main,
                     [this](const QStringList &captions) { quickMessageStrip().addUserCaptions(captions); });
    QObject::connect(&main, &MainWindow::recipientDialogRequested, &main,
                     [this, &main] { showModal(recipientDialog(), main); });
    QObject::connect(&main, &MainWindow::senderNameRequested, &main,
                     [this, &main] { showModal(senderNameDialog(), main); });
    QObject::connect(&main, &MainWindow::quickMessageRequested, &main,
                     [this, &main] { showModal(quickMessageStrip(), main); });
    QObject::connect(&main, &MainWindow::trayIconDoubleClicked, &main, [this] { onTrayIconDoubleClicked(); });
    QObject::connect(&main, &MainWindow::unloading, &main, [this] { unloadDialogs(); });
}

// An open quick-message strip is what the user comes back to.
void Program::onTrayIconDoubleClicked()
{
    if (m_quickMessageStrip && m_quickMessageStrip->isVisible())
        m_quickMessageStrip->bringToFront();
    else
        mainWindow().restoreWindow();
}

QuickMessageStrip &Program::quickMessageStrip()
{
    if (!m_quickMessageStrip) {
        m_quickMessageStrip = std::make_unique<QuickMessageStrip>(m_services.screen, m_composer);
        m_quickMessageStrip->load();
    }
    return *m_quickMessageStrip;
}

RecipientDialog &Program::recipientDialog()
{
    if (!m_recipientDialog) {
        m_recipientDialog = std::make_unique<RecipientDialog>(m_services.screen);
        QObject::connect(m_recipientDialog.get(), &RecipientDialog::sendRequested, m_recipientDialog.get(),
                         [this](const QString &recipients) { mainWindow().sendMessageTo(recipients); });
        m_recipientDialog->load();
    }
    return *m_recipientDialog;
}

SenderNameDialog &Program::senderNameDialog()
{
    if (!m_senderNameDialog) {
        m_senderNameDialog = std::make_unique<SenderNameDialog>(m_services.screen);
        QObject::connect(m_senderNameDialog.get(), &SenderNameDialog::nameChosen, m_senderNameDialog.get(),
                         [this](const QString &name) { m_composer.setSenderName(name); });
        m_senderNameDialog->load(m_state.senderName);
    }
    return *m_senderNameDialog;
}

} // namespace brisquel
