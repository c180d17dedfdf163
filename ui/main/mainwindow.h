#pragma once

#include "core/appstate.h"
#include "core/messagecomposer.h"
#include "core/pulse.h"
#include "core/settingsfile.h"
#include "core/textboxlook.h"
#include "ui/kit/twipswindow.h"
#include "ui/main/traycontroller.h"

#include <array>

class QGroupBox;
class QLabel;
class QTimer;

namespace brisquel {

struct Services;
class ControlPanel;
class PictureButton;
class PickComboBox;
class ColorLabel;
class FocusableScrollBar;
class ExactTextBox;

// The main window: the message box, the recipient bank, the history browser,
// the sliding control panel and the tray menu. The dialogs it needs are
// opened by whoever owns it, when it asks by its signals.
class MainWindow : public TwipsWindow {
    Q_OBJECT

public:
    MainWindow(Services &services, AppState &state, MessageComposer &composer);
    ~MainWindow() override;

    // Start-up; false when the user declined at the greeting and the program
    // has been ended.
    bool load();
    bool loadedOk() const { return m_loadedOk; }
    void unload();

    // The session manager wants the data kept before the session ends: the
    // save of a close, unless the program is already on its way out.
    void saveAtSessionEnd();

    // The message in the box goes to recipients typed by hand.
    void sendMessageTo(const QString &recipients);
    // Back from the tray or the taskbar, active, ready to type.
    void restoreWindow();
    // The message box's font and colours as the settings file keeps them;
    // received messages are shown in them too.
    TextBoxLook look() const;

    // The tray's part in received messages (TrayController says how).
    bool isInTray() const { return m_tray.isInTray(); }
    void setUnreadMessages(int count) { m_tray.setUnreadMessages(count); }
    bool showReceivedBalloon(const QString &sender, const QString &text)
    {
        return m_tray.showReceivedBalloon(sender, text);
    }

signals:
    void recipientDialogRequested();
    void senderNameRequested();
    // Runs the quick-message strip modally over this window.
    void quickMessageRequested();
    void trayIconDoubleClicked();
    // The user asked from the tray for the messages received.
    void receivedMessagesRequested();
    // The settings file gave the quick-message strip's user list.
    void quickListRead(const QStringList &captions);
    // The window is going: its dialogs go first, before the save.
    void unloading();
    // The window has been painted once: what it leaves out of the start-up
    // may follow.
    void firstPainted();

protected:
    void closeEvent(QCloseEvent *event) override;
    void onSizeOrStateChanged() override;
    void onUnclaimedKey(int &key) override;
    void paintEvent(QPaintEvent *event) override;

private:
    void createControls();
    void describeControls();
    void describeRecipientButtons(RecipientMode mode);
    void connectHandlers();

    void loadSettingsFile();
    void saveSettingsFile();
    void showLoadProblem(const QString &message);
    // False when the box refuses one of the values; those before it stay.
    bool applyLook(const TextBoxLook &look);

    // The bank shows the list of `mode`; the mode button offers the other.
    void showBank(RecipientMode mode);
    void onRecipientClicked(int slot);
    void onModeClicked();
    // The history bar reaches the end of a history of `historyCount`.
    void showHistoryEnd(int historyCount);
    void onHistoryBarChanged();
    void onMessageChanged();
    void onMessageKey(int &key);
    // Esc on any control but the message box starts a fresh message; every
    // key there sends the focus back to the message box.
    void onControlKey(int &key);
    void onMinimizeCheckKey(int &key);
    void escReset();

    void openRecipientDialog();
    void openSenderNameDialog();
    void openQuickMessage();
    void showAbout();
    void togglePanel();
    void chooseTextColor();
    void chooseBackgroundColor();
    void chooseFont();
    void onQuitChosen();
    void onPulseTick();
    void createOutOfSightControls();

    // The controls, top to bottom as the user sees them.
    ExactTextBox *messageEdit = nullptr;
    FocusableScrollBar *historyBar = nullptr;
    ColorLabel *historyLabel = nullptr;
    PictureButton *modeButton = nullptr;
    PictureButton *panelButton = nullptr;
    std::array<PictureButton *, kRecipientSlots> recipientButtons{};
    PictureButton *aboutButton = nullptr;
    PictureButton *otherRecipientButton = nullptr;
    QLabel *bannerPicture = nullptr;
    ColorLabel *bannerGlyph = nullptr;
    // Out of sight: the control panel right of the client area until it
    // slides in, the saved messages and the two mode pictures below it. The
    // panel and the saved messages are made just after the first paint.
    ControlPanel *controlPanel = nullptr;
    QGroupBox *savedMessagesFrame = nullptr;
    PickComboBox *savedMessagesCombo = nullptr;
    PictureButton *saveMessageButton = nullptr;
    PictureButton *deleteMessageButton = nullptr;
    QLabel *userModePicture = nullptr;
    QLabel *groupModePicture = nullptr;
    QTimer *pulseTimer = nullptr;

    Services &m_services;
    AppState &m_state;
    // What the window does with the message; the window keeps its controls
    // in step with it.
    MessageComposer &m_composer;
    TrayController m_tray;
    bool m_loadedOk = false;
    bool m_firstPaintDone = false;
    bool m_unloaded = false;
    // What the settings file held when the run started or was last saved.
    SettingsBaseline m_settingsBaseline;
    // The control panel has slid into view.
    bool m_panelOpen = false;
    GlyphPulse m_glyphPulse;
};

} // namespace brisquel
