#pragma once

#include "ui/dialogstrip.h"

namespace brisquel {

class Forms;
class PictureButton;
class VbComboBox;
class VbTextBox;

// The quick-message strip at the bottom-right corner of the screen: a
// message and a pick from the user list sends it at once.
class Form2 : public DialogStrip {
    Q_OBJECT

public:
    explicit Form2(Forms &forms);

    PictureButton *Command1 = nullptr;
    VbComboBox *Combo1 = nullptr;
    VbTextBox *Text1 = nullptr;

    void Form_Load();
    // Each showing starts a new message: the box is emptied and takes the
    // focus. A repaint while the user types (a resize request, another
    // window passing over) leaves the message alone.
    void startNewMessage();
    void Text1_Change();
    void Combo1_Click();
    void Command1_Click();

protected:
    void showEvent(QShowEvent *event) override;

private:
    void placeInCorner();

    Forms &m_forms;
};

} // namespace brisquel
