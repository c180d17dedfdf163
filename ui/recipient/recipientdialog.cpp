#include "recipientdialog.h"

#include "ui/art/pictures.h"
#include "ui/kit/accessibletext.h"
#include "ui/kit/centeronscreen.h"
#include "ui/kit/picturebutton.h"
#include "ui/kit/exacttextbox.h"

namespace brisquel {

RecipientDialog::RecipientDialog(const ScreenMetrics &metrics)
    : EntryStrip(metrics,
                 {QStringLiteral("Introduce el usuario/s al que le quieras mandar el mensaje"), 3195, 512,
                  {QStringLiteral("&Enviar"), 3360, 795}, {QStringLiteral("&Cancelar"), 4200, 795}, true,
                  art::smallStrip(false), QPixmap()})
{
    describeControl(*entryEdit, QStringLiteral("Destinatarios"),
                    QStringLiteral("Uno o varios usuarios, separados por una coma y un espacio"));
}

void RecipientDialog::load()
{
    setStripSize();
    centerOnScreen(*this, metrics());
    acceptButton->setToolTip(QStringLiteral("Pulsa el botón para enviar el mensaje"));
    cancelButton->setToolTip(QStringLiteral("Pulsa el botón para cancelar el mensaje"));
    entryEdit->setText(QString());
}

void RecipientDialog::onAccepted()
{
    emit sendRequested(entryEdit->text());
}

} // namespace brisquel
