#include "sendernamedialog.h"

#include "cp1252validator.h"
#include "ui/art/pictures.h"
#include "ui/kit/accessibletext.h"
#include "ui/kit/centeronscreen.h"
#include "ui/kit/picturebutton.h"
#include "ui/kit/exacttextbox.h"

#include <QLineEdit>

namespace brisquel {

SenderNameDialog::SenderNameDialog(const ScreenMetrics &metrics)
    : EntryStrip(metrics,
                 {QStringLiteral("Introduce tu nombre, aparecerá en los mensajes que envies"), 2235, 30,
                  {QStringLiteral("&Aceptar"), 2400, 1275}, {QStringLiteral("&Cancelar"), 3720, 1275}, false,
                  art::panelStrip(false), art::panelStrip(true)})
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
}

void SenderNameDialog::showName(const QString &name)
{
    entryEdit->setText(name);
}

void SenderNameDialog::onAccepted()
{
    emit nameChosen(entryEdit->text());
}

} // namespace brisquel
