#pragma once

#include "ui/dialogstrip.h"

#include <QPixmap>

namespace brisquel {

class PictureButton;
class ExactTextBox;

// The shape the recipient and sender-name dialogs share: a text box and two
// buttons, one that accepts (Enter presses it) and one that cancels (Esc
// presses it). Either way the strip then hides. The box has the focus
// whenever the strip is shown, with all its text selected, ready to be
// reused or typed over.
class EntryStrip : public DialogStrip {
    Q_OBJECT

public:
    struct Button {
        QString caption;
        int left;
        int width;
    };
    struct Layout {
        QString frameCaption;
        int textWidth;
        int maxLength;
        Button accept;
        Button cancel;
        // Tab goes from the box to the cancel button first.
        bool cancelFirst;
        QPixmap picture;
        QPixmap downPicture;
    };

    EntryStrip(const ScreenMetrics &metrics, const Layout &layout);

protected:
    // What accepting does, before the strip hides.
    virtual void onAccepted() = 0;
    void showEvent(QShowEvent *event) override;

    ExactTextBox *entryEdit = nullptr;
    PictureButton *acceptButton = nullptr;
    PictureButton *cancelButton = nullptr;

private:
    // Accepts (true) or cancels, then hides the strip.
    void finish(bool accepted);
    void onEntryKey(int &key);
    void selectAllOnFocus();
};

} // namespace brisquel
