#pragma once

#include "core/appstate.h"
#include "core/dispatch.h"
#include "core/messagecomposer.h"
#include "core/receivedmessages.h"
#include "ui/main/deliverynotice.h"
#include "ui/services.h"

#include <QStringList>

#include <memory>

namespace brisquel {

class MainWindow;
class ReceivedMessageWindow;
class ReceiverLink;
class ReplyStrip;
class QuickMessageStrip;
class SplashWindow;
class RecipientDialog;
class SenderNameDialog;

// The whole program: it owns the state, the sends, the composer, the
// delivery notice and the windows, and wires them. Each window exists at
// most once: it is created, connected and loaded the first time it is asked
// for, and stays (hidden or shown) until it is unloaded. Windows never reach
// each other: they signal, and the program opens what they ask for.
class Program {
public:
    explicit Program(Services &services);
    ~Program();
    Program(const Program &) = delete;
    Program &operator=(const Program &) = delete;

    // Shows the splash, which opens the main window on its second tick.
    // Every window and message box carries the program's icon.
    SplashWindow &start();

    // What the splash does on its second tick: the main window is made and
    // loaded (the greeting), shown, and the program starts taking the
    // messages the receiving service has for its user.
    MainWindow &openMainWindow();

    // MainWindow's load may end the program (No at the greeting): then
    // mainWindow() still returns the window, and its loadedOk() is false.
    MainWindow &mainWindow();
    QuickMessageStrip &quickMessageStrip();
    SplashWindow &splashWindow();
    RecipientDialog &recipientDialog();
    SenderNameDialog &senderNameDialog();
    ReceivedMessageWindow &receivedMessageWindow();
    ReplyStrip &replyStrip();

    bool hasMainWindow() const { return m_mainWindow != nullptr; }
    bool hasQuickMessageStrip() const { return m_quickMessageStrip != nullptr; }
    bool hasReceivedMessageWindow() const { return m_receivedMessageWindow != nullptr; }

    // Every window goes, the delivery notice's too; what is still being
    // sent goes on.
    void unloadAll();

    AppState &state() { return m_state; }
    Dispatcher &dispatcher() { return m_dispatcher; }
    DeliveryNotice &deliveryNotice() { return m_notice; }

private:
    void connectMainWindow(MainWindow &main);
    void onSplashFinished();
    void onTrayIconDoubleClicked();
    void unloadDialogs();

    // Received messages: from the service, to the window or the tray.
    void startReceiving();
    void stopReceiving();
    void onMessageArrived(const ReceivedMessage &message);
    // Opens the window on the oldest unread message; `takeKeys` when the
    // user asked for it, not when a message just came in.
    void showReceivedMessages(bool takeKeys);
    void onReceivedMessageShown(int index);
    void onReplyRequested(int index);
    void updateUnreadCount();

    Services &m_services;
    AppState m_state;
    Dispatcher m_dispatcher;
    MessageComposer m_composer;
    DeliveryNotice m_notice;
    std::unique_ptr<MainWindow> m_mainWindow;
    std::unique_ptr<QuickMessageStrip> m_quickMessageStrip;
    std::unique_ptr<SplashWindow> m_splashWindow;
    std::unique_ptr<RecipientDialog> m_recipientDialog;
    std::unique_ptr<SenderNameDialog> m_senderNameDialog;
    ReceivedMessages m_receivedMessages;
    // Made once the main window is on show: connecting is no part of the
    // start-up.
    std::unique_ptr<ReceiverLink> m_receiverLink;
    bool m_receivingStopped = false;
    std::unique_ptr<ReceivedMessageWindow> m_receivedMessageWindow;
    std::unique_ptr<ReplyStrip> m_replyStrip;
    // The quick strip's user list, kept until the strip is first shown:
    // making it is left out of the start-up.
    QStringList m_quickListCaptions;
};

} // namespace brisquel
