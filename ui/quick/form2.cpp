#include "form2.h"

#include "core/budget.h"
#include "platform/screenmetrics.h"
#include "ui/forms.h"
#include "ui/kit/picturebutton.h"
#include "ui/kit/vbcombobox.h"
#include "ui/kit/vbtextbox.h"

#include <QGroupBox>
#include <QShowEvent>

namespace brisquel {

Form2::Form2(Forms &forms)
    : DialogStrip(forms.services().screen, QStringLiteral("Mensaje Rápido"))
    , m_forms(forms)
{
    Command1 = new PictureButton(QStringLiteral("&Cancelar"), Frame1);
    place(Command1, 4200, 300, 795, 315);
    Combo1 = new VbComboBox(false, Frame1);
    place(Combo1, 2880, 300, 1275, 315);
    Text1 = new VbTextBox(false, Frame1);
    Text1->setMaxLength(800);
    place(Text1, 120, 300, 2715, 315);
    setTabOrder(Text1, Combo1);
    setTabOrder(Combo1, Command1);

    connect(Text1, &VbTextBox::Change, this, &Form2::Text1_Change);
    connect(Combo1, &VbComboBox::Click, this, &Form2::Combo1_Click);
    connect(Command1, &QPushButton::clicked, this, &Form2::Command1_Click);
}

void Form2::Form_Load()
{
    setStripSize();
    placeInCorner();
    Combo1->setToolTipText(QStringLiteral("Selecciona el usuario"));
    Command1->setToolTipText(QStringLiteral("Pulsa el botón para cancelar el mensaje"));
}

// The corner of the area the desktop's panels leave free, not of the whole
// screen, where a panel would cover the strip. Panels come and go: the
// corner is found again at each showing.
void Form2::placeInCorner()
{
    const QRect area = metrics().availableTwips();
    setTop(area.y() + area.height() - Height() - 200);
    setLeft(area.x() + area.width() - Width() - 100);
}

void Form2::showEvent(QShowEvent *event)
{
    // A spontaneous show is the window system mapping the strip again (a
    // desktop switch, the main window restored): the user is still typing.
    if (event->spontaneous()) {
        DialogStrip::showEvent(event);
        return;
    }
    placeInCorner();
    DialogStrip::showEvent(event);
    startNewMessage();
}

void Form2::startNewMessage()
{
    Text1->setText(QString());
    Text1->SetFocus();
}

void Form2::Text1_Change()
{
    Module1 &state = m_forms.state();
    const int limit = messageBudget(state);
    if (Text1->Len() >= limit)
        Text1->setText(Text1->Text().left(limit));
    state.LetrasQuedan = Integer(limit - Text1->Len());
}

void Form2::Combo1_Click()
{
    const int i = Combo1->ListIndex();
    // Entries past the twelfth (a settings file listing its users twice)
    // have no user slot behind them.
    if (i >= 0 && i < kRecipientSlots)
        m_forms.dispatcher().EnviaUsuario(m_forms.state().Usuarios[i][1], Text1->Text());
    hide();
}

void Form2::Command1_Click()
{
    hide();
}

} // namespace brisquel
