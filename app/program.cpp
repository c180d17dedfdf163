#include "program.h"

#include "platform/receiverlink.h"
#include "ui/art/pictures.h"
#include "ui/kit/placebeside.h"
#include "ui/kit/showmodal.h"
#include "ui/main/mainwindow.h"
#include "ui/quick/quickmessagestrip.h"
#include "ui/received/receivedmessagewindow.h"
#include "ui/received/replystrip.h"
#include "ui/recipient/recipientdialog.h"
#include "ui/sender/sendernamedialog.h"
#include "ui/splash/splashwindow.h"

#include <QApplication>
#include <QTimer>

#include <utility>

namespace brisquel {

namespace {
constexpr int kReceiveAtTheLatestMs = 1000;

// The first time a window is asked for, it is created, `wire` connects it,
// and its load runs.
template <class Window, class Wire, class... Arguments>
Window &loaded(std::unique_ptr<Window> &window, Wire wire, Arguments &&...arguments)
{
    if (!window) {
        window = std::make_unique<Window>(std::forward<Arguments>(arguments)...);
        wire(*window);
        window->load();
    }
    return *window;
}
} // namespace

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
    stopReceiving();
    // Dialogs first: the main window's teardown may still refer to them.
    unloadDialogs();
    m_splashWindow.reset();
    m_mainWindow.reset();
    m_notice.close();
}

void Program::unloadDialogs()
{
    m_replyStrip.reset();
    m_receivedMessageWindow.reset();
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
    return loaded(
        m_splashWindow,
        [this](SplashWindow &splash) {
            QObject::connect(&splash, &SplashWindow::finished, &splash, [this] { onSplashFinished(); });
        },
        m_services.screen);
}

void Program::onSplashFinished()
{
    // The greeting runs inside this, with the splash still on screen.
    openMainWindow();
    // The splash signalled from inside its own timer handler: let the
    // handler return before the window goes.
    if (m_splashWindow)
        m_splashWindow.release()->deleteLater();
}

MainWindow &Program::openMainWindow()
{
    MainWindow &main = mainWindow();
    if (main.loadedOk()) {
        main.show();
        main.activateWindow();
        // Connecting is no part of the start-up: it follows the first
        // paint, or a moment, should a window manager keep the window
        // from being painted.
        QTimer::singleShot(kReceiveAtTheLatestMs, &main, [this] { startReceiving(); });
    }
    return main;
}

MainWindow &Program::mainWindow()
{
    return loaded(
        m_mainWindow, [this](MainWindow &main) { connectMainWindow(main); }, m_services, m_state, m_composer);
}

void Program::connectMainWindow(MainWindow &main)
{
    QObject::connect(&main, &MainWindow::quickListRead, &main,
                     [this](const QStringList &captions) {
                         m_quickListCaptions += captions;
                         if (m_quickMessageStrip)
                             m_quickMessageStrip->addUserCaptions(captions);
                     });
    QObject::connect(&main, &MainWindow::recipientDialogRequested, &main,
                     [this, &main] { showModal(recipientDialog(), main); });
    QObject::connect(&main, &MainWindow::senderNameRequested, &main,
                     [this, &main] { showModal(senderNameDialog(), main); });
    QObject::connect(&main, &MainWindow::quickMessageRequested, &main,
                     [this, &main] { showModal(quickMessageStrip(), main); });
    QObject::connect(&main, &MainWindow::trayIconDoubleClicked, &main, [this] { onTrayIconDoubleClicked(); });
    QObject::connect(&main, &MainWindow::receivedMessagesRequested, &main, [this] { showReceivedMessages(true); });
    QObject::connect(&main, &MainWindow::firstPainted, &main, [this] { startReceiving(); });
    QObject::connect(&main, &MainWindow::unloading, &main, [this] {
        stopReceiving();
        unloadDialogs();
    });
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
    return loaded(
        m_quickMessageStrip, [this](QuickMessageStrip &strip) { strip.addUserCaptions(m_quickListCaptions); },
        m_services.screen, m_composer);
}

RecipientDialog &Program::recipientDialog()
{
    return loaded(
        m_recipientDialog,
        [this](RecipientDialog &dialog) {
            QObject::connect(&dialog, &RecipientDialog::sendRequested, &dialog,
                             [this](const QString &recipients) { mainWindow().sendMessageTo(recipients); });
        },
        m_services.screen);
}

SenderNameDialog &Program::senderNameDialog()
{
    return loaded(
        m_senderNameDialog,
        [this](SenderNameDialog &dialog) {
            QObject::connect(&dialog, &SenderNameDialog::nameChosen, &dialog,
                             [this](const QString &name) { m_composer.setSenderName(name); });
            dialog.showName(m_composer.senderName());
        },
        m_services.screen);
}

void Program::startReceiving()
{
    if (m_receiverLink || m_receivingStopped)
        return;
    m_receiverLink = std::make_unique<ReceiverLink>(m_services.receiverSocketPath);
    QObject::connect(m_receiverLink.get(), &ReceiverLink::messageArrived, m_receiverLink.get(),
                     [this](const ReceivedMessage &message) { onMessageArrived(message); });
    m_receiverLink->start();
}

// Nothing arrives for windows that are going; what was not shown stays
// with the service for the next start.
void Program::stopReceiving()
{
    m_receivingStopped = true;
    m_receiverLink.reset();
}

void Program::onMessageArrived(const ReceivedMessage &message)
{
    switch (m_receivedMessages.add(message)) {
    case ReceivedMessages::Added::Refused:
        return;
    case ReceivedMessages::Added::AlreadyHeld:
        // Sent again on a new connection: an acknowledgement lost with the
        // old one is given again; an unread one waits to be shown.
        if (m_receivedMessages.isRead(m_receivedMessages.indexOf(message.id)))
            m_receiverLink->acknowledge(message.id);
        return;
    case ReceivedMessages::Added::New:
        break;
    }
    if (m_receivedMessageWindow)
        m_receivedMessageWindow->messagesChanged();
    updateUnreadCount();

    // Behind the tray icon the program only tells, until the user asks:
    // a window popping up would defeat keeping it out of the way. Without a
    // balloon to tell it with, the window comes up after all.
    const bool windowOpen = m_receivedMessageWindow && m_receivedMessageWindow->isVisible();
    if (!windowOpen && m_mainWindow && m_mainWindow->isInTray()
        && m_mainWindow->showReceivedBalloon(message.from, message.text))
        return;
    showReceivedMessages(false);
}

void Program::showReceivedMessages(bool takeKeys)
{
    ReceivedMessageWindow &window = receivedMessageWindow();
    if (m_mainWindow)
        window.setLook(m_mainWindow->look());
    if (!window.isVisible()) {
        window.openOn(m_receivedMessages.indexToOpenOn());
        // The message box the user may be typing in stays in sight.
        if (m_mainWindow && m_mainWindow->isVisible() && !m_mainWindow->isMinimized())
            placeBeside(window, *m_mainWindow, m_services.screen);
    }
    if (takeKeys) {
        // Minimised by the user earlier, it comes back when asked for.
        window.setWindowState(window.windowState() & ~Qt::WindowMinimized);
        window.show();
        window.raise();
        window.activateWindow();
    } else {
        window.showWithoutTakingKeys();
    }
}

void Program::onReceivedMessageShown(int index)
{
    if (m_receivedMessages.markShown(index)) {
        if (m_receiverLink)
            m_receiverLink->acknowledge(m_receivedMessages.at(index).id);
        updateUnreadCount();
    }
}

void Program::onReplyRequested(int index)
{
    ReplyStrip &strip = replyStrip();
    strip.startReply(m_receivedMessages.at(index));
    showModal(strip, receivedMessageWindow());
}

void Program::updateUnreadCount()
{
    if (m_mainWindow)
        m_mainWindow->setUnreadMessages(m_receivedMessages.unreadCount());
}

ReceivedMessageWindow &Program::receivedMessageWindow()
{
    return loaded(
        m_receivedMessageWindow,
        [this](ReceivedMessageWindow &window) {
            QObject::connect(&window, &ReceivedMessageWindow::messageShown, &window,
                             [this](int index) { onReceivedMessageShown(index); });
            QObject::connect(&window, &ReceivedMessageWindow::replyRequested, &window,
                             [this](int index) { onReplyRequested(index); });
        },
        m_services.screen, m_receivedMessages);
}

ReplyStrip &Program::replyStrip()
{
    return loaded(
        m_replyStrip, [](ReplyStrip &) {}, m_services.screen, m_composer);
}

} // namespace brisquel
