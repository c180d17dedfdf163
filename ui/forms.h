#pragma once

#include "core/dispatch.h"
#include "core/module1.h"
#include "ui/main/deliverynotice.h"
#include "ui/services.h"

#include <memory>

namespace brisquel {

class Form1;
class Form2;
class Form3;
class Form4;
class Form5;

// Each window exists at most once: it is created, and its Form_Load run, the
// first time any code asks for it, and it stays loaded (hidden or shown)
// until it is unloaded.
class Forms {
public:
    Forms(Module1 &state, Services &services);
    ~Forms();
    Forms(const Forms &) = delete;
    Forms &operator=(const Forms &) = delete;

    // Starts the program's windows: the splash, which opens the main window
    // on its second tick. Every window and message box carries the
    // program's icon.
    Form3 &start();

    // Form1's Form_Load may end the program (No at the greeting): then
    // form1() still returns the window, and form1Ended() tells.
    Form1 &form1();
    Form2 &form2();
    Form3 &form3();
    Form4 &form4();
    Form5 &form5();

    bool isLoaded1() const { return m_form1 != nullptr; }
    bool isLoaded2() const { return m_form2 != nullptr; }
    bool isLoaded4() const { return m_form4 != nullptr; }
    bool isLoaded5() const { return m_form5 != nullptr; }

    void unloadForm2();
    void unloadForm3();
    void unloadForm4();
    void unloadForm5();

    Module1 &state() { return m_state; }
    Services &services() { return m_services; }
    Dispatcher &dispatcher() { return m_dispatcher; }
    DeliveryNotice &deliveryNotice() { return m_notice; }

private:
    Module1 &m_state;
    Services &m_services;
    Dispatcher m_dispatcher;
    DeliveryNotice m_notice;
    std::unique_ptr<Form1> m_form1;
    std::unique_ptr<Form2> m_form2;
    std::unique_ptr<Form3> m_form3;
    std::unique_ptr<Form4> m_form4;
    std::unique_ptr<Form5> m_form5;
};

} // namespace brisquel
