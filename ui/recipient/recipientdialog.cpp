#include "recipientdialog.h"

#include "ui/art/pictures.h"
#include "ui/appwindows.h"
#include "ui/kit/centeronscreen.h"
#include "ui/kit/picturebutton.h"
#include "ui/kit/focusablescrollbar.h"
#include "ui/kit/exacttextbox.h"
#include "ui/main/mainwindow.h"

namespace brisquel {

RecipientDialog::RecipientDialog(AppWindows &windows)
    : EntryStrip(windows.services().screen,
                 {QStringLiteral("Introduce el usuario/s al que le quieras mandar el mensaje"), 3195, 512,
                  {QStringLiteral("&Enviar"), 3360, 795}, {QStringLiteral("&Cancelar"), 4200, 795}, true,
                  art::smallStrip(false), QPixmap()})
    , m_windows(windows)
{
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
    const QString recipients = entryEdit->text();
    MainWindow &main = m_windows.mainWindow();
    const QString message = main.messageEdit->text();
    if (recipients.contains(QLatin1Char(',')))
        m_windows.dispatcher().sendToGroup(recipients, message);
    else
        m_windows.dispatcher().sendToUser(recipients, message);
    main.historyBar->setMaximumFromZero(m_windows.state().history.count());
    if (!main.historyBar->isEnabled())
        main.historyBar->setEnabled(true);
}

} // namespace brisquel
