#pragma once

#include "ui/dialogstrip.h"

namespace brisquel {

class MessageComposer;
class PictureButton;
class PickComboBox;
class ExactTextBox;

// The quick-message strip at the bottom-right corner of the screen: a
// message and a pick from the user list sends it at once, through the
// composer, which also keeps the message within its budget.
class QuickMessageStrip : public DialogStrip {
    Q_OBJECT

public:
    QuickMessageStrip(const ScreenMetrics &metrics, MessageComposer &composer);

    void load();
    // Entry i of the list stands for user slot i.
    void addUserCaptions(const QStringList &captions);

protected:
    void showEvent(QShowEvent *event) override;

private:
    // Each showing starts a new message: the box is emptied and takes the
    // focus. A repaint while the user types (a resize request, another
    // window passing over) leaves the message alone.
    void startNewMessage();
    void onMessageChanged();
    void onUserPicked();
    void onCancelClicked();
    void placeInCorner();

    PictureButton *cancelButton = nullptr;
    PickComboBox *userCombo = nullptr;
    ExactTextBox *messageEdit = nullptr;

    MessageComposer &m_composer;
};

} // namespace brisquel
