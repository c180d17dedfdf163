#include "entrystrip.h"

#include "ui/kit/picturebutton.h"
#include "ui/kit/vbtextbox.h"

#include <QGroupBox>
#include <QShortcut>

namespace brisquel {

EntryStrip::EntryStrip(const ScreenMetrics &metrics, const Layout &layout)
    : DialogStrip(metrics, layout.frameCaption)
    , m_acceptIndex(layout.acceptIndex)
{
    Text1 = new VbTextBox(false, Frame1);
    Text1->setMaxLength(layout.maxLength);
    place(Text1, 120, 300, layout.textWidth, 315);
    for (int i = 0; i < 2; ++i) {
        auto *button = new PictureButton(layout.buttons[i].caption, Frame1);
        place(button, layout.buttons[i].left, 300, layout.buttons[i].width, 315);
        button->setPicture(layout.picture);
        if (!layout.downPicture.isNull())
            button->setDownPicture(layout.downPicture);
        Command1.add(i, button);
        connect(button, &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    }
    setTabOrder(Text1, Command1(0));
    setTabOrder(Command1(0), Command1(1));

    connect(Text1, &VbTextBox::KeyPress, this, &EntryStrip::Text1_KeyPress);
    connect(Text1, &VbTextBox::GotFocus, this, &EntryStrip::Text1_GotFocus);
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    const int cancelIndex = 1 - m_acceptIndex;
    connect(escape, &QShortcut::activated, this, [this, cancelIndex] { Command1_Click(cancelIndex); });
}

void EntryStrip::Text1_KeyPress(Integer &KeyAscii)
{
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Command1_Click(m_acceptIndex);
    }
}

void EntryStrip::Text1_GotFocus()
{
    Text1->setSelStart(0);
    Text1->setSelLength(Text1->MaxLength());
}

void EntryStrip::showEvent(QShowEvent *event)
{
    DialogStrip::showEvent(event);
    Text1->SetFocus();
}

} // namespace brisquel
