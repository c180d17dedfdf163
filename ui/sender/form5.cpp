#include "form5.h"

#include "ui/art/pictures.h"
#include "ui/forms.h"
#include "ui/kit/centraform.h"
#include "ui/kit/picturebutton.h"
#include "ui/kit/vbtextbox.h"

#include <QGroupBox>
#include <QShortcut>

namespace brisquel {

Form5::Form5(Forms &forms)
    : DialogStrip(forms.services().screen,
                  QStringLiteral("Introduce tu nombre, aparecerá en los mensajes que envies"))
    , m_forms(forms)
{
    Command1.add(1, new PictureButton(QStringLiteral("&Cancelar"), Frame1));
    place(Command1(1), 3720, 300, 1275, 315);
    Command1.add(0, new PictureButton(QStringLiteral("&Aceptar"), Frame1));
    place(Command1(0), 2400, 300, 1275, 315);
    Text1 = new VbTextBox(false, Frame1);
    Text1->setMaxLength(30);
    place(Text1, 120, 300, 2235, 315);
    for (int i = 0; i < 2; ++i) {
        Command1(i)->setPicture(art::panelStrip(false));
        Command1(i)->setDownPicture(art::panelStrip(true));
        connect(Command1(i), &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    }
    setTabOrder(Text1, Command1(0));
    setTabOrder(Command1(0), Command1(1));

    connect(Text1, &VbTextBox::KeyPress, this, &Form5::Text1_KeyPress);
    connect(Text1, &VbTextBox::GotFocus, this, &Form5::Text1_GotFocus);
    // "&Cancelar" is the cancel button: Esc anywhere presses it.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] { Command1_Click(1); });
}

void Form5::Form_Load()
{
    setStripSize();
    CentraForm(*this, metrics());
    Command1(0)->setToolTipText(QStringLiteral("Pulsa el botón para grabar el nombre"));
    Command1(1)->setToolTipText(QStringLiteral("Pulsa el botón para cancelar el nombre"));
    Text1->setText(m_forms.state().Remitente);
}

void Form5::Command1_Click(int Index)
{
    Module1 &state = m_forms.state();
    if (Index == 0) {
        const QString name = Text1->Text();
        if (!name.isEmpty()) {
            state.Remitente = name;
            state.NombrePropio = True;
        } else {
            state.Remitente = state.UsuarioWindows;
            state.NombrePropio = False;
        }
    }
    Text1->SetFocus();
    hide();
}

void Form5::Text1_KeyPress(Integer &KeyAscii)
{
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Command1_Click(0);
    }
}

// The box is where the dialog always starts, as the buttons leave it there.
void Form5::showEvent(QShowEvent *event)
{
    DialogStrip::showEvent(event);
    Text1->SetFocus();
}

void Form5::Text1_GotFocus()
{
    Text1->setSelStart(0);
    Text1->setSelLength(Text1->MaxLength());
}

} // namespace brisquel
