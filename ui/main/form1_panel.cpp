// The sliding control panel, the about box and the two dialogs opened from
// the main window.
#include "form1.h"

#include "platform/commondialog.h"
#include "platform/messagebox.h"
#include "ui/forms.h"
#include "ui/kit/picturebutton.h"
#include "ui/kit/showmodal.h"
#include "ui/kit/vbtextbox.h"
#include "ui/main/texts.h"
#include "ui/recipient/form4.h"
#include "ui/sender/form5.h"

namespace brisquel {

void Form1::Command2_Click(int Index)
{
    Text1->SetFocus();
    if (Index == 0) {
        showModal(m_forms.form4(), *this);
        return;
    }
    const QString lineEnd = QStringLiteral("\n\r");
    const QString about = QStringLiteral("Brisquel por Velmarox") + lineEnd
        + QStringLiteral("versión BETA no finalizada ") + lineEnd + kMakerLine + lineEnd;
    m_services.messageBox.show(about, vbInformation, kVersionTitle);
}

void Form1::Command3_Click()
{
    static constexpr int kPanelWidth = 1500;
    static constexpr int kStep = 10;
    const int start = qRound(Width());
    const int direction = m_state.EstadoPanel > 0 ? 1 : -1;
    // Each step is painted at once, and no other event is handled until the
    // slide is over: nothing ever sees a half-open panel.
    for (int i = 0; i <= kPanelWidth; i += kStep) {
        setWidth(start + direction * i);
        repaint();
    }
    if (direction > 0) {
        Command3->setCaption(QStringLiteral("&Oculta config."));
        Command3->setToolTipText(QStringLiteral("Pulsa para cerrar el panel de control"));
    } else {
        Command3->setCaption(QStringLiteral("&Configuración"));
        Command3->setToolTipText(QStringLiteral("Pulsa para abrir el panel de control"));
    }
    m_state.EstadoPanel = Integer(-m_state.EstadoPanel);
    Text1->SetFocus();
}

void Form1::Command4_Click(int Index)
{
    CommonDialog &dialog = m_services.commonDialog;
    dialog.CancelError = true;
    // Cancel skips to the end: the box keeps what it had.
    switch (Index) {
    case 0:
        if (dialog.ShowColor() && acceptsColor(dialog.Color))
            Text1->setForeColor(dialog.Color);
        break;
    case 1:
        if (dialog.ShowColor() && acceptsColor(dialog.Color))
            Text1->setBackColor(dialog.Color);
        break;
    case 2:
        dialog.Flags = 1;
        if (!dialog.ShowFont() || !acceptsFontName(dialog.FontName))
            break;
        Text1->setFontName(dialog.FontName);
        Text1->setFontBold(dialog.FontBold);
        Text1->setFontItalic(dialog.FontItalic);
        if (!acceptsFontSize(dialog.FontSize))
            break;
        Text1->setFontSize(dialog.FontSize);
        Text1->setFontStrikethru(dialog.FontStrikethru);
        Text1->setFontUnderline(dialog.FontUnderline);
        break;
    default:
        break;
    }
    Text1->SetFocus();
}

void Form1::Command8_Click()
{
    Text1->SetFocus();
    showModal(m_forms.form5(), *this);
}

} // namespace brisquel
