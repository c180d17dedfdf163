#include "form5.h"

#include "cp1252validator.h"
#include "ui/art/pictures.h"
#include "ui/forms.h"
#include "ui/kit/centraform.h"
#include "ui/kit/picturebutton.h"
#include "ui/kit/vbtextbox.h"

#include <QLineEdit>

namespace brisquel {

Form5::Form5(Forms &forms)
    : EntryStrip(forms.services().screen,
                 {QStringLiteral("Introduce tu nombre, aparecerá en los mensajes que envies"), 2235, 30,
                  {{QStringLiteral("&Aceptar"), 2400, 1275}, {QStringLiteral("&Cancelar"), 3720, 1275}}, 0,
                  art::panelStrip(false), art::panelStrip(true)})
    , m_forms(forms)
{
    // The name is kept in a Windows-1252 file: what it cannot hold is not taken.
    if (auto *line = qobject_cast<QLineEdit *>(Text1->editor()))
        line->setValidator(new Cp1252Validator(line));
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

} // namespace brisquel
