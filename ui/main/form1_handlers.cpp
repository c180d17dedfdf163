// Wiring of the main window's controls to their handlers.
#include "form1.h"

#include "ui/kit/picturebutton.h"
#include "ui/kit/vbcheckbox.h"
#include "ui/kit/vbscrollbar.h"
#include "ui/kit/vbtextbox.h"

#include <QAction>

namespace brisquel {

void Form1::connectHandlers()
{
    for (auto [index, button] : Command1) {
        const int i = index;
        connect(button, &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        connect(button, &PictureButton::KeyPress, this, [this, i](Integer &key) { Command1_KeyPress(i, key); });
    }
    connect(Command9(0), &QPushButton::clicked, this, [this] { Command9_Click(0); });
    connect(VScroll1, &VbScrollBar::Change, this, &Form1::VScroll1_Change);
    connect(VScroll1, &VbScrollBar::KeyPress, this, &Form1::VScroll1_KeyPress);
    connect(Text1, &VbTextBox::Change, this, &Form1::Text1_Change);
    connect(Text1, &VbTextBox::KeyPress, this, &Form1::Text1_KeyPress);
    connect(Check1, &VbCheckBox::KeyPress, this, &Form1::Check1_KeyPress);
    connect(mnuSalir, &QAction::triggered, this, &Form1::mnuSalir_Click);
}

} // namespace brisquel
