#pragma once

#include "core/vbtypes.h"
#include "ui/dialogstrip.h"
#include "ui/kit/controlarray.h"

namespace brisquel {

class Forms;
class PictureButton;
class VbTextBox;

// The sender name signed into every message.
class Form5 : public DialogStrip {
    Q_OBJECT

public:
    explicit Form5(Forms &forms);

    ControlArray<PictureButton> Command1;
    VbTextBox *Text1 = nullptr;

    void Form_Load();
    void Command1_Click(int Index);
    void Text1_KeyPress(Integer &KeyAscii);
    void Text1_GotFocus();

protected:
    void showEvent(QShowEvent *event) override;

private:
    Forms &m_forms;
};

} // namespace brisquel
