#pragma once

#include "core/vbtypes.h"
#include "ui/dialogstrip.h"
#include "ui/kit/controlarray.h"

#include <QPixmap>

namespace brisquel {

class PictureButton;
class VbTextBox;

// The shape the recipient and sender-name dialogs share: a text box and two
// buttons, one that accepts (Enter presses it) and one that cancels (Esc
// presses it). The box has the focus whenever the strip is shown, with all
// its text selected, ready to be reused or typed over.
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
        Button buttons[2]; // by index
        int acceptIndex;
        QPixmap picture;
        QPixmap downPicture;
    };

    EntryStrip(const ScreenMetrics &metrics, const Layout &layout);

    ControlArray<PictureButton> Command1;
    VbTextBox *Text1 = nullptr;

    virtual void Command1_Click(int Index) = 0;
    void Text1_KeyPress(Integer &KeyAscii);
    void Text1_GotFocus();

protected:
    void showEvent(QShowEvent *event) override;

private:
    int m_acceptIndex;
};

} // namespace brisquel
