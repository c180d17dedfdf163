// The sliding control panel, the about box and the two dialogs opened from
// the main window.
#include "mainwindow.h"

#include "core/programtitle.h"
#include "platform/fontandcolordialogs.h"
#include "platform/messagebox.h"
#include "ui/kit/picturebutton.h"
#include "ui/kit/exacttextbox.h"
#include "ui/kit/storedcolor.h"
#include "ui/services.h"

namespace brisquel {

namespace {
// Opens the colour dialog on the box's colour got by `colorOf` and sets the
// choice with `setColor`. A system colour opens the dialog on what it is
// drawn with here, the palette entry `drawnAs` of the box.
void chooseBoxColor(FontAndColorDialogs &dialogs, ExactTextBox &box, qint32 (ExactTextBox::*colorOf)() const,
                    void (ExactTextBox::*setColor)(qint32), QPalette::ColorRole drawnAs)
{
    qint32 current = (box.*colorOf)();
    if (isSystemColor(current))
        current = toStoredColor(box.editor()->palette().color(QPalette::Active, drawnAs));
    const std::optional<qint32> chosen = dialogs.chooseColor(current);
    if (chosen && acceptsColor(*chosen))
        (box.*setColor)(*chosen);
    box.setFocus();
}

FontChoice fontOf(const TextBoxLook &look)
{
    return {look.fontName, look.bold, look.italic, look.size, look.strikethrough, look.underline};
}

TextBoxLook withFont(TextBoxLook look, const FontChoice &font)
{
    look.fontName = font.name;
    look.bold = font.bold;
    look.italic = font.italic;
    look.size = font.size;
    look.strikethrough = font.strikeOut;
    look.underline = font.underline;
    return look;
}
} // namespace

void MainWindow::openRecipientDialog()
{
    messageEdit->setFocus();
    emit recipientDialogRequested();
}

void MainWindow::showAbout()
{
    messageEdit->setFocus();
    const QString lineEnd = QStringLiteral("\n\r");
    const QString about = QStringLiteral("Brisquel por Velmarox") + lineEnd
        + QStringLiteral("versión BETA no finalizada ") + lineEnd + kMakerLine + lineEnd;
    m_services.messageBox.show(about, {MessageBox::Buttons::Ok, MessageBox::Icon::Information}, kVersionTitle);
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
    chooseBoxColor(m_services.fontAndColorDialogs, *messageEdit, &ExactTextBox::textColor, &ExactTextBox::setTextColor,
                   QPalette::Text);
}

void MainWindow::chooseBackgroundColor()
{
    chooseBoxColor(m_services.fontAndColorDialogs, *messageEdit, &ExactTextBox::backgroundColor,
                   &ExactTextBox::setBackgroundColor, QPalette::Base);
}

// The dialog opens on the font in use.
void MainWindow::chooseFont()
{
    const TextBoxLook current = look();
    if (const std::optional<FontChoice> chosen = m_services.fontAndColorDialogs.chooseFont(fontOf(current)))
        applyLook(withFont(current, *chosen));
    messageEdit->setFocus();
}

void MainWindow::openSenderNameDialog()
{
    messageEdit->setFocus();
    emit senderNameRequested();
}

} // namespace brisquel
