// Wiring of the main window's controls to their handlers.
#include "mainwindow.h"

#include "ui/kit/picturebutton.h"
#include "ui/kit/wrappingcheckbox.h"
#include "ui/kit/focusablescrollbar.h"
#include "ui/kit/exacttextbox.h"
#include "platform/trayicon.h"
#include "ui/services.h"

#include <QAction>
#include <QTimer>

namespace brisquel {

void MainWindow::connectHandlers()
{
    for (int slot = 0; slot < kRecipientSlots; ++slot) {
        PictureButton *button = recipientButtons[std::size_t(slot)];
        connect(button, &QPushButton::clicked, this, [this, slot] { onRecipientClicked(slot); });
        connect(button, &PictureButton::characterKey, this, &MainWindow::onControlKey);
    }
    connect(modeButton, &QPushButton::clicked, this, &MainWindow::onModeClicked);
    connect(historyBar, &FocusableScrollBar::changed, this, &MainWindow::onHistoryBarChanged);
    connect(historyBar, &FocusableScrollBar::characterKey, this, &MainWindow::onControlKey);
    connect(messageEdit, &ExactTextBox::changed, this, &MainWindow::onMessageChanged);
    connect(messageEdit, &ExactTextBox::characterKey, this, &MainWindow::onMessageKey);
    connect(minimizeToTrayCheck, &WrappingCheckBox::characterKey, this, &MainWindow::onMinimizeCheckKey);
    connect(quitAction, &QAction::triggered, this, &MainWindow::onQuitChosen);
    connect(quickMessageAction, &QAction::triggered, this, &MainWindow::openQuickMessage);
    connect(restoreAction, &QAction::triggered, this, &MainWindow::restoreWindow);

    connect(otherRecipientButton, &QPushButton::clicked, this, &MainWindow::openRecipientDialog);
    connect(aboutButton, &QPushButton::clicked, this, &MainWindow::showAbout);
    connect(panelButton, &QPushButton::clicked, this, &MainWindow::togglePanel);
    connect(textColorButton, &QPushButton::clicked, this, &MainWindow::chooseTextColor);
    connect(backgroundColorButton, &QPushButton::clicked, this, &MainWindow::chooseBackgroundColor);
    connect(fontButton, &QPushButton::clicked, this, &MainWindow::chooseFont);
    connect(senderNameButton, &QPushButton::clicked, this, &MainWindow::openSenderNameDialog);
    connect(minimizeToTrayCheck, &WrappingCheckBox::clickedByUser, this, &MainWindow::onMinimizeCheckClicked);

    connect(&m_composer, &MessageComposer::captionChanged, this, &QWidget::setWindowTitle);
    connect(&m_composer, &MessageComposer::modeChanged, this, &MainWindow::showBank);
    connect(&m_composer, &MessageComposer::sent, this, &MainWindow::showHistoryEnd);

    connect(pulseTimer, &QTimer::timeout, this, &MainWindow::onPulseTick);
    pulseTimer->start();
    m_services.tray.onEvent = [this](TrayIcon::Event event) { onTrayEvent(event); };
    m_services.tray.onAvailabilityChanged = [this] { onTrayAvailabilityChanged(); };
}

} // namespace brisquel
