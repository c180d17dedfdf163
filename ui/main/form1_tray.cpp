// Minimising to the tray, the tray menu and the glyph's colour pulse.
#include "form1.h"

#include "core/pulse.h"
#include "ui/art/pictures.h"
#include "ui/forms.h"
#include "ui/kit/showmodal.h"
#include "ui/kit/vbcheckbox.h"
#include "ui/kit/vblabel.h"
#include "ui/kit/vbtextbox.h"
#include "ui/quick/form2.h"

#include <QCoreApplication>
#include <QCursor>
#include <QMenu>

namespace brisquel {

namespace {
// Not the caption: the tray tip has no final "b".
const QString kTrayTip = QStringLiteral("Brisquel v2.4");
} // namespace

void Form1::Form_Resize()
{
    if (WindowState() != 1)
        return;
    if (Check1->Value() == 1) {
        m_services.tray.add(windowIcon(), kTrayTip);
        // Hidden, the window leaves the taskbar too.
        setVisible(false);
    } else {
        m_services.tray.remove();
    }
}

void Form1::Form_Terminate()
{
    m_services.tray.remove();
}

void Form1::Tray_Event(TrayIcon::Event event)
{
    switch (event) {
    case TrayIcon::Event::LeftDoubleClick:
        if (m_forms.isLoaded2() && m_forms.form2().isVisible()) {
            m_forms.form2().ZOrder();
            return;
        }
        restoreWindow();
        break;
    case TrayIcon::Event::RightButtonDown:
        mnuPopUp->setDefaultAction(mnuSalir);
        mnuPopUp->popup(QCursor::pos());
        break;
    case TrayIcon::Event::LeftButtonDown:
        break;
    }
}

void Form1::restoreWindow()
{
    setWindowState(0);
    setVisible(true);
    activateWindow();
    Text1->SetFocus();
}

void Form1::Check1_Click()
{
    Text1->SetFocus();
}

void Form1::mnuMensajeRapido_Click()
{
    showModalBeside(m_forms.form2(), *this);
}

void Form1::mnuRestaurar_Click()
{
    restoreWindow();
}

void Form1::Timer1_Timer()
{
    Label2->setForeColor(pulseTick(m_state));
    // Lets whatever is pending run before the next tick.
    QCoreApplication::processEvents();
}

} // namespace brisquel
