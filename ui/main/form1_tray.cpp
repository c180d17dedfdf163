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
    // Without a notification area a hidden window could never come back:
    // it stays minimised on the taskbar, as with the option unticked.
    if (Check1->Value() == 1 && m_services.tray.isAvailable()) {
        m_services.tray.add(windowIcon(), kTrayTip);
        // Hidden, the window leaves the taskbar too.
        m_inTray = true;
        setVisible(false);
    } else {
        m_services.tray.remove();
    }
}

// A tray host that goes takes the way back with it: the window returns to
// the taskbar, still minimised. One that comes takes a window that would
// have gone to the tray.
void Form1::Tray_AvailabilityChanged()
{
    if (!m_services.tray.isAvailable()) {
        if (!m_inTray)
            return;
        m_inTray = false;
        m_services.tray.remove();
        setWindowState(1);
        setVisible(true);
    } else if (isVisible() && WindowState() == 1) {
        Form_Resize();
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
    m_inTray = false;
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
    if (isVisible())
        Text1->SetFocus();
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
