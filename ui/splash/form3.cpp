#include "form3.h"

#include "ui/art/pictures.h"
#include "ui/forms.h"
#include "ui/kit/centraform.h"
#include "ui/main/form1.h"

#include <QLabel>
#include <QTimer>

namespace brisquel {

Form3::Form3(Forms &forms)
    : VbForm(forms.services().screen)
    , m_forms(forms)
{
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    Timer1 = new QTimer(this);
    Timer1->setInterval(1000);
    Picture1 = new QLabel(this);
    Picture1->setPixmap(art::splashPicture());
    place(Picture1, 3600, 0, 1815, 2655);
    Image1 = new QLabel(this);
    Image1->setPixmap(art::splashBitmap());
    place(Image1, 0, 0, 3540, 2655);
    connect(Timer1, &QTimer::timeout, this, &Form3::Timer1_Timer);
    Timer1->start();
}

void Form3::Form_Load()
{
    setHeight(2790);
    setWidth(5550);
    CentraForm(*this, metrics());
}

void Form3::Form_Resize()
{
    setHeight(2790);
    setWidth(5550);
}

void Form3::Timer1_Timer()
{
    ++Contador;
    if (Contador != 2)
        return;
    Timer1->stop();
    // The greeting runs inside this, with the splash still on screen.
    Form1 &main = m_forms.form1();
    if (main.loadedOk()) {
        main.show();
        main.activateWindow();
    }
    m_forms.unloadForm3();
}

} // namespace brisquel
