#include "sendernamedialog.h"

#include "cp1252validator.h"
#include "ui/art/pictures.h"
#include "ui/appwindows.h"
#include "ui/kit/accessibletext.h"
#include "ui/kit/centeronscreen.h"
#include "ui/kit/picturebutton.h"
#include "ui/kit/exacttextbox.h"

#include <QLineEdit>

namespace brisquel {

SenderNameDialog::SenderNameDialog(AppWindows &windows)
    : EntryStrip(windows.services().screen,
                 {QStringLiteral("Introduce tu nombre, aparecerá en los mensajes que envies"), 2235, 30,
                  {QStringLiteral("&Aceptar"), 2400, 1275}, {QStringLiteral("&Cancelar"), 3720, 1275}, false,
                  art::panelStrip(false), art::panelStrip(true)})
    , m_windows(windows)
{
    describeControl(*entryEdit, QStringLiteral("Tu nombre"),
                    QStringLiteral("Aparecerá en los mensajes que envíes; vacío, firma tu usuario"));
    // The name is kept in a Windows-1252 file: what it cannot hold is not taken.
    if (auto *line = qobject_cast<QLineEdit *>(entryEdit->editor()))
        line->setValidator(new Cp1252Validator(line));
}

void SenderNameDialog::load()
{
    setStripSize();
    centerOnScreen(*this, metrics());
    acceptButton->setToolTip(QStringLiteral("Pulsa el botón para grabar el nombre"));
    cancelButton->setToolTip(QStringLiteral("Pulsa el botón para cancelar el nombre"));
    entryEdit->setText(m_windows.state().senderName);
}

void SenderNameDialog::onAccepted()
{
    AppState &state = m_windows.state();
    const QString name = entryEdit->text();
    if (!name.isEmpty()) {
        state.senderName = name;
        state.signWithSenderName = true;
    } else {
        state.senderName = state.loginName;
        state.signWithSenderName = false;
    }
}

} // namespace brisquel
