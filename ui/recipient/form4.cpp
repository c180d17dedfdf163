#include "form4.h"

#include "ui/art/pictures.h"
#include "ui/forms.h"
#include "ui/kit/centraform.h"
#include "ui/kit/picturebutton.h"
#include "ui/kit/vbscrollbar.h"
#include "ui/kit/vbtextbox.h"
#include "ui/main/form1.h"

namespace brisquel {

Form4::Form4(Forms &forms)
    : EntryStrip(forms.services().screen,
                 {QStringLiteral("Introduce el usuario/s al que le quieras mandar el mensaje"), 3195, 512,
                  {{QStringLiteral("&Cancelar"), 4200, 795}, {QStringLiteral("&Enviar"), 3360, 795}}, 1,
                  art::smallStrip(false), QPixmap()})
    , m_forms(forms)
{
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

} // namespace brisquel
