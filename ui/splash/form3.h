#pragma once

#include "core/vbtypes.h"
#include "ui/kit/vbform.h"

class QLabel;
class QTimer;

namespace brisquel {

class Forms;

// The splash: on screen for two ticks of its timer, then it opens the main
// window and unloads itself.
class Form3 : public VbForm {
    Q_OBJECT

public:
    explicit Form3(Forms &forms);

    QTimer *Timer1 = nullptr;
    QLabel *Picture1 = nullptr;
    QLabel *Image1 = nullptr;
    Integer Contador = 0;

    void Form_Load();
    void Form_Resize() override;
    void Timer1_Timer();

private:
    Forms &m_forms;
};

} // namespace brisquel
