// The recipient bank, the mode switch and the history browser.
#include "form1.h"

#include "core/numbertext.h"
#include "ui/art/pictures.h"
#include "ui/forms.h"
#include "ui/kit/picturebutton.h"
#include "ui/kit/vblabel.h"
#include "ui/kit/vbscrollbar.h"
#include "ui/kit/vbtextbox.h"

#include <QLabel>

namespace brisquel {

namespace {
const QString kUserPrefix = QStringLiteral("Pulsa el botón para enviar el mensaje a ");
const QString kGroupPrefix = QStringLiteral("Pulsa el botón para enviar el mensaje al grupo  ");
} // namespace

void Form1::fillBank(const RecipientList &list, const QString &tooltipPrefix)
{
    for (int i = 0; i < kRecipientSlots; ++i) {
        Command1(i)->setCaption(list[i][0]);
        Command1(i)->setToolTipText(tooltipPrefix + Command1(i)->Caption());
    }
    for (int i = 0; i < kRecipientSlots; ++i)
        Command1(i)->setEnabled(list[i][0] != kEmptySlotCaption);
}

void Form1::Command9_Click(int Index)
{
    Q_UNUSED(Index);
    if (m_state.Modo > 0) {
        fillBank(m_state.Grupos, kGroupPrefix);
        Command9(0)->setCaption(QStringLiteral("&Usuarios"));
        Command9(0)->setToolTipText(QStringLiteral("Pulsa para cambiar al modo USUARIOS"));
        Command9(0)->setPicture(Picture1(0)->pixmap());
    } else {
        fillBank(m_state.Usuarios, kUserPrefix);
        Command9(0)->setCaption(QStringLiteral("&Grupos"));
        Command9(0)->setToolTipText(QStringLiteral("Pulsa para cambiar al modo GRUPOS"));
        Command9(0)->setPicture(Picture1(1)->pixmap());
    }
    m_state.Modo = Integer(-m_state.Modo);
    Text1->SetFocus();
}

void Form1::Command1_Click(int Index)
{
    const QString message = Text1->Text();
    if (m_state.Modo < 0)
        m_forms.dispatcher().EnviaGrupo(m_state.Grupos[Index][1], message);
    else
        m_forms.dispatcher().EnviaUsuario(m_state.Usuarios[Index][1], message);
    VScroll1->setMax(m_state.NumMensajes);
    if (!VScroll1->isEnabled())
        VScroll1->setEnabled(true);
    Text1->SetFocus();
}

void Form1::Command1_KeyPress(int Index, Integer &KeyAscii)
{
    Q_UNUSED(Index);
    if (KeyAscii == 27)
        escReset();
    Text1->SetFocus();
}

void Form1::escReset()
{
    Text1->setText(QString());
    VScroll1->setMax(m_state.NumMensajes);
    VScroll1->setValue(m_state.NumMensajes);
}

void Form1::VScroll1_Change()
{
    const int v = VScroll1->Value();
    Text1->setText(m_state.Historial[v]);
    Label1->setCaption(QStringLiteral("Mensaje nº") + numberText(qint32(v + 1)));
    m_state.PosHistorial = Integer(v);
}

void Form1::VScroll1_KeyPress(Integer &KeyAscii)
{
    if (KeyAscii == 27)
        escReset();
    Text1->SetFocus();
}

} // namespace brisquel
