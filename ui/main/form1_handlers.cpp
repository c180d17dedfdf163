// Wiring of the main window's controls to their handlers.
#include "form1.h"

#include "ui/kit/picturebutton.h"
#include "ui/kit/vbcheckbox.h"
#include "ui/kit/vbscrollbar.h"
#include "ui/kit/vbtextbox.h"
#include "platform/trayicon.h"
#include "ui/services.h"

#include <QAction>
#include <QTimer>

namespace brisquel {

void Form1::connectHandlers()
{
    for (auto [index, button] : Command1) {
        const int i = index;
        connect(button, &QPushButton::clicked, this, [this, i] { Command1_Click(i); });
        connect(button, &PictureButton::KeyPress, this, [this, i](Integer &key) { Command1_KeyPress(i, key); });
    }
    connect(Command9(0), &QPushButton::clicked, this, [this] { Command9_Click(0); });
    connect(VScroll1, &VbScrollBar::Change, this, &Form1::VScroll1_Change);
    connect(VScroll1, &VbScrollBar::KeyPress, this, &Form1::VScroll1_KeyPress);
    connect(Text1, &VbTextBox::Change, this, &Form1::Text1_Change);
    connect(Text1, &VbTextBox::KeyPress, this, &Form1::Text1_KeyPress);
    connect(Check1, &VbCheckBox::KeyPress, this, &Form1::Check1_KeyPress);
    connect(mnuSalir, &QAction::triggered, this, &Form1::mnuSalir_Click);
    connect(mnuMensajeRapido, &QAction::triggered, this, &Form1::mnuMensajeRapido_Click);
    connect(mnuRestaurar, &QAction::triggered, this, &Form1::mnuRestaurar_Click);

    Command2.connectIndexed(&QPushButton::clicked, this, [this](int i) { Command2_Click(i); });
    connect(Command3, &QPushButton::clicked, this, &Form1::Command3_Click);
    Command4.connectIndexed(&QPushButton::clicked, this, [this](int i) { Command4_Click(i); });
    connect(Command8, &QPushButton::clicked, this, &Form1::Command8_Click);
    connect(Check1, &VbCheckBox::Click, this, &Form1::Check1_Click);

    connect(Timer1, &QTimer::timeout, this, &Form1::Timer1_Timer);
    Timer1->start();
    m_services.tray.onEvent = [this](TrayIcon::Event event) { Tray_Event(event); };
    m_services.tray.onAvailabilityChanged = [this] { Tray_AvailabilityChanged(); };
}

} // namespace brisquel
