#include "form4.h"

#include "ui/art/pictures.h"
#include "ui/forms.h"
#include "ui/kit/centraform.h"
#include "ui/kit/picturebutton.h"
#include "ui/kit/vbscrollbar.h"
#include "ui/kit/vbtextbox.h"
#include "ui/main/form1.h"

#include <QGroupBox>
#include <QShortcut>

namespace brisquel {

Form4::Form4(Forms &forms)
    : DialogStrip(forms.services().screen,
                  QStringLiteral("Introduce el usuario/s al que le quieras mandar el mensaje"))
    , m_forms(forms)
{
    Command1.add(1, new PictureButton(QStringLiteral("&Enviar"), Frame1));
    place(Command1(1), 3360, 300, 795, 315);
    Text1 = new VbTextBox(false, Frame1);
    Text1->setMaxLength(512);
    place(Text1, 120, 300, 3195, 315);
    Command1.add(0, new PictureButton(QStringLiteral("&Cancelar"), Frame1));
    place(Command1(0), 4200, 300, 795, 315);
    for (int i = 0; i < 2; ++i) {
        Command1(i)->setPicture(art::smallStrip(false));
        connect(Command1(i), &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
    }
    setTabOrder(Text1, Command1(0));
    setTabOrder(Command1(0), Command1(1));

    connect(Text1, &VbTextBox::KeyPress, this, &Form4::Text1_KeyPress);
    connect(Text1, &VbTextBox::GotFocus, this, &Form4::Text1_GotFocus);
    // "&Cancelar" is the cancel button: Esc anywhere presses it.
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, [this] { Command1_Click(0); });
}

void Form4::Form_Load()
{
    setStripSize();
    CentraForm(*this, metrics());
    Command1(1)->setToolTipText(QStringLiteral("Pulsa el botón para enviar el mensaje"));
    Command1(0)->setToolTipText(QStringLiteral("Pulsa el botón para cancelar el mensaje"));
    Text1->setText(QString());
}

void Form4::Command1_Click(int Index)
{
    if (Index == 1) {
        const QString recipients = Text1->Text();
        Form1 &main = m_forms.form1();
        const QString message = main.Text1->Text();
        if (recipients.contains(QLatin1Char(',')))
            m_forms.dispatcher().EnviaGrupo(recipients, message);
        else
            m_forms.dispatcher().EnviaUsuario(recipients, message);
        main.VScroll1->setMax(m_forms.state().NumMensajes);
        if (!main.VScroll1->isEnabled())
            main.VScroll1->setEnabled(true);
    }
    Text1->SetFocus();
    hide();
}

void Form4::Text1_KeyPress(Integer &KeyAscii)
{
    if (KeyAscii == 13) {
        KeyAscii = 0;
        Command1_Click(1);
    }
}

// The box is where the dialog always starts, as the buttons leave it there.
void Form4::showEvent(QShowEvent *event)
{
    DialogStrip::showEvent(event);
    Text1->SetFocus();
}

void Form4::Text1_GotFocus()
{
    Text1->setSelStart(0);
    Text1->setSelLength(Text1->MaxLength());
}

} // namespace brisquel
