// The message box: its character budget, the caption countdown and the
// keyboard rules of the main window.
#include "form1.h"

#include "core/budget.h"
#include "ui/kit/keycodes.h"
#include "ui/kit/vbtextbox.h"

namespace brisquel {

void Form1::Text1_Change()
{
    const int budget = messageBudget(m_state);
    const QString text = Text1->Text();
    // Also at exactly the budget, where it changes nothing and so runs
    // nothing; a real cut runs this handler once more, nested.
    if (text.size() >= budget)
        Text1->setText(text.left(budget));
    m_state.LetrasQuedan = Integer(budget - Text1->Len());
    setCaption(budgetCaption(m_state.LetrasQuedan, Text1->Len() == 0));
}

void Form1::Text1_KeyPress(Integer &KeyAscii)
{
    if (KeyAscii == 27)
        escReset();
    Text1->SetFocus();
    if (m_state.LetrasQuedan <= 0 && KeyAscii != 27 && KeyAscii != 8)
        KeyAscii = 0;
}

void Form1::Form_KeyPress(Integer &KeyAscii)
{
    if (KeyAscii == 27)
        escReset();
    Text1->SetFocus();
}

void Form1::Check1_KeyPress(Integer &KeyAscii)
{
    if (KeyAscii == 27)
        escReset();
    Text1->SetFocus();
    // A key typed on the check box is not lost: it joins the message.
    if (KeyAscii != 27)
        Text1->setText(Text1->Text() + vbCharFromKeyAscii(KeyAscii));
}

} // namespace brisquel
