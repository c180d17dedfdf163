#pragma once

#include "core/textboxlook.h"
#include "ui/kit/twipswindow.h"

class QLabel;

namespace brisquel {

class ColorLabel;
class ExactTextBox;
class FocusableScrollBar;
class PictureButton;
class ReceivedMessages;

// The messages received in this run, one at a time: who claims to have sent
// it, the address it came from, when, and its text to read and copy. A bar
// pages through them, oldest first. It can appear over whatever the user is
// doing without taking the keys; brought forward, it takes them as any
// window does. Closing it only hides it.
class ReceivedMessageWindow : public TwipsWindow {
    Q_OBJECT

public:
    ReceivedMessageWindow(const ScreenMetrics &metrics, const ReceivedMessages &messages);

    void load();
    // The main message box's font and colours, for the text.
    void setLook(const TextBoxLook &look);
    // A message was added (or an old read one dropped): the pager follows,
    // and the message on show stays on show.
    void messagesChanged();
    void openOn(int index);
    // On top of the other windows, not activated: a user typing elsewhere
    // goes on typing there.
    void showWithoutTakingKeys();
    // -1 while there is nothing to show.
    int shownIndex() const;

signals:
    // Message `index` is now on show in a visible window (each time).
    void messageShown(int index);
    void replyRequested(int index);

protected:
    void showEvent(QShowEvent *event) override;
    void onSizeOrStateChanged() override;

private:
    void createControls();
    void describeControls();
    // Fills the controls with message `index`, and the pager with where it
    // stands among them all.
    void showMessage(int index);
    void followPager();
    void onBarChanged();
    // Tells the message on show, when the window is on the screen: shown
    // and not minimised.
    void tellShown();

    FocusableScrollBar *messageBar = nullptr;
    ColorLabel *pageLabel = nullptr;
    QLabel *fromCaption = nullptr;
    ColorLabel *fromLabel = nullptr;
    QLabel *addressCaption = nullptr;
    ColorLabel *addressLabel = nullptr;
    QLabel *receivedCaption = nullptr;
    ColorLabel *receivedLabel = nullptr;
    ExactTextBox *messageText = nullptr;
    PictureButton *replyButton = nullptr;
    PictureButton *closeButton = nullptr;

    const ReceivedMessages &m_messages;
    // By the service's id: dropping an old message moves the indexes.
    qint64 m_shownId = 0;
    bool m_showingAny = false;
    bool m_minimized = false;
};

} // namespace brisquel
