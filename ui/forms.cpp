#include "forms.h"

#include "ui/art/pictures.h"
#include "ui/main/form1.h"
#include "ui/quick/form2.h"
#include "ui/recipient/form4.h"
#include "ui/sender/form5.h"
#include "ui/splash/form3.h"

#include <QApplication>

namespace brisquel {

Forms::Forms(Module1 &state, Services &services)
    : m_state(state)
    , m_services(services)
    , m_dispatcher(state, services.starter)
    , m_notice(services.tray)
{
    m_dispatcher.onFailures = [this](const DeliveryReport &report) { m_notice.show(report); };
}

Forms::~Forms()
{
    // Dialogs first: the main window's teardown may still refer to them.
    m_form2.reset();
    m_form4.reset();
    m_form5.reset();
    m_form3.reset();
    m_form1.reset();
}

Form3 &Forms::start()
{
    QApplication::setWindowIcon(art::windowIcon());
    Form3 &splash = form3();
    splash.show();
    return splash;
}

Form1 &Forms::form1()
{
    if (!m_form1) {
        m_form1 = std::make_unique<Form1>(*this);
        m_form1->Form_Load();
    }
    return *m_form1;
}

Form2 &Forms::form2()
{
    if (!m_form2) {
        m_form2 = std::make_unique<Form2>(*this);
        m_form2->Form_Load();
    }
    return *m_form2;
}

Form3 &Forms::form3()
{
    if (!m_form3) {
        m_form3 = std::make_unique<Form3>(*this);
        m_form3->Form_Load();
    }
    return *m_form3;
}

Form4 &Forms::form4()
{
    if (!m_form4) {
        m_form4 = std::make_unique<Form4>(*this);
        m_form4->Form_Load();
    }
    return *m_form4;
}

Form5 &Forms::form5()
{
    if (!m_form5) {
        m_form5 = std::make_unique<Form5>(*this);
        m_form5->Form_Load();
    }
    return *m_form5;
}

void Forms::unloadForm2() { m_form2.reset(); }
// The splash unloads itself from inside its own timer handler: let the
// handler return before the window goes.
void Forms::unloadForm3()
{
    if (m_form3)
        m_form3.release()->deleteLater();
}
void Forms::unloadForm4() { m_form4.reset(); }
void Forms::unloadForm5() { m_form5.reset(); }

} // namespace brisquel
