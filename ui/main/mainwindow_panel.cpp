// The sliding control panel, the about box and the two dialogs opened from
// the main window.
#include "mainwindow.h"

#include "core/programtitle.h"
#include "platform/commondialog.h"
#include "platform/messagebox.h"
#include "ui/appwindows.h"
#include "ui/kit/picturebutton.h"
#include "ui/kit/showmodal.h"
#include "ui/kit/exacttextbox.h"
#include "ui/main/texts.h"
#include "ui/recipient/recipientdialog.h"
#include "ui/sender/sendernamedialog.h"

namespace brisquel {

void MainWindow::openRecipientDialog()
{
    messageEdit->setFocus();
    RecipientDialog &dialog = m_windows.recipientDialog();
    connect(&dialog, &RecipientDialog::sendRequested, this, &MainWindow::sendToTypedRecipients,
            Qt::UniqueConnection);
    showModal(dialog, *this);
}

void MainWindow::showAbout()
{
    messageEdit->setFocus();
    const QString lineEnd = QStringLiteral("\n\r");
    const QString about = QStringLiteral("Brisquel por Velmarox") + lineEnd
        + QStringLiteral("versión BETA no finalizada ") + lineEnd + kMakerLine + lineEnd;
    m_services.messageBox.show(about, vbInformation, kVersionTitle);
}

void MainWindow::togglePanel()
{
    static constexpr int kPanelWidth = 1500;
    static constexpr int kStep = 10;
    const int start = qRound(widthTwips());
    const int direction = m_panelOpen ? -1 : 1;
    // Each step is painted at once, and no other event is handled until the
    // slide is over: nothing ever sees a half-open panel.
    for (int i = 0; i <= kPanelWidth; i += kStep) {
        setWidthTwips(start + direction * i);
        repaint();
    }
    if (direction > 0) {
        panelButton->setText(QStringLiteral("&Oculta config."));
        panelButton->setToolTip(QStringLiteral("Pulsa para cerrar el panel de control"));
    } else {
        panelButton->setText(QStringLiteral("&Configuración"));
        panelButton->setToolTip(QStringLiteral("Pulsa para abrir el panel de control"));
    }
    m_panelOpen = !m_panelOpen;
    messageEdit->setFocus();
}

// Cancel in any of the dialogs leaves the box as it was.
void MainWindow::chooseTextColor()
{
    CommonDialog &dialog = m_services.commonDialog;
    dialog.CancelError = true;
    if (dialog.ShowColor() && acceptsColor(dialog.Color))
        messageEdit->setTextColor(dialog.Color);
    messageEdit->setFocus();
}

void MainWindow::chooseBackgroundColor()
{
    CommonDialog &dialog = m_services.commonDialog;
    dialog.CancelError = true;
    if (dialog.ShowColor() && acceptsColor(dialog.Color))
        messageEdit->setBackgroundColor(dialog.Color);
    messageEdit->setFocus();
}

void MainWindow::chooseFont()
{
    CommonDialog &dialog = m_services.commonDialog;
    dialog.CancelError = true;
    dialog.Flags = 1;
    if (dialog.ShowFont()) {
        TextBoxLook chosen = look();
        chosen.fontName = dialog.FontName;
        chosen.bold = dialog.FontBold;
        chosen.italic = dialog.FontItalic;
        chosen.size = dialog.FontSize;
        chosen.strikethrough = dialog.FontStrikethru;
        chosen.underline = dialog.FontUnderline;
        applyLook(chosen);
    }
    messageEdit->setFocus();
}

void MainWindow::openSenderNameDialog()
{
    messageEdit->setFocus();
    showModal(m_windows.senderNameDialog(), *this);
}

} // namespace brisquel
