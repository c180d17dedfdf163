#pragma once

#include "core/dispatch.h"
#include "core/appstate.h"
#include "ui/main/deliverynotice.h"
#include "ui/services.h"

#include <memory>

namespace brisquel {

class MainWindow;
class QuickMessageStrip;
class SplashWindow;
class RecipientDialog;
class SenderNameDialog;

// Each window exists at most once: it is created, and its load run, the
// first time any code asks for it, and it stays loaded (hidden or shown)
// until it is unloaded.
class AppWindows {
public:
    AppWindows(AppState &state, Services &services);
    ~AppWindows();
    AppWindows(const AppWindows &) = delete;
    AppWindows &operator=(const AppWindows &) = delete;

    // Starts the program's windows: the splash, which opens the main window
    // on its second tick. Every window and message box carries the
    // program's icon.
    SplashWindow &start();

    // MainWindow's load may end the program (No at the greeting): then
    // mainWindow() still returns the window, and its loadedOk() is false.
    MainWindow &mainWindow();
    QuickMessageStrip &quickMessageStrip();
    SplashWindow &splashWindow();
    RecipientDialog &recipientDialog();
    SenderNameDialog &senderNameDialog();

    bool hasMainWindow() const { return m_mainWindow != nullptr; }
    bool hasQuickMessageStrip() const { return m_quickMessageStrip != nullptr; }
    bool hasRecipientDialog() const { return m_recipientDialog != nullptr; }
    bool hasSenderNameDialog() const { return m_senderNameDialog != nullptr; }

    // Every window goes, the delivery notice's too; what is still being
    // sent goes on.
    void unloadAll();
    void unloadQuickMessageStrip();
    void unloadSplashWindow();
    void unloadRecipientDialog();
    void unloadSenderNameDialog();

    AppState &state() { return m_state; }
    Services &services() { return m_services; }
    Dispatcher &dispatcher() { return m_dispatcher; }
    DeliveryNotice &deliveryNotice() { return m_notice; }

private:
    AppState &m_state;
    Services &m_services;
    Dispatcher m_dispatcher;
    DeliveryNotice m_notice;
    std::unique_ptr<MainWindow> m_mainWindow;
    std::unique_ptr<QuickMessageStrip> m_quickMessageStrip;
    std::unique_ptr<SplashWindow> m_splashWindow;
    std::unique_ptr<RecipientDialog> m_recipientDialog;
    std::unique_ptr<SenderNameDialog> m_senderNameDialog;
};

} // namespace brisquel
