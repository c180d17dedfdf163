// The message box: its character budget, the caption countdown and the
// keyboard rules of the main window.
#include "mainwindow.h"

#include "core/budget.h"
#include "ui/kit/keycodes.h"
#include "ui/kit/exacttextbox.h"

namespace brisquel {

void MainWindow::onMessageChanged()
{
    applyBudget(m_state, *messageEdit);
    setWindowTitle(budgetCaption(m_state.lettersLeft, messageEdit->length() == 0));
}

void MainWindow::onMessageKey(int &key)
{
    if (key == KeyCode::Escape)
        escReset();
    messageEdit->setFocus();
    if (m_state.lettersLeft <= 0 && key != KeyCode::Escape && key != KeyCode::Backspace)
        key = KeyCode::None;
}

void MainWindow::onUnclaimedKey(int &key)
{
    onControlKey(key);
}

void MainWindow::onMinimizeCheckKey(int &key)
{
    if (key == KeyCode::Escape)
        escReset();
    messageEdit->setFocus();
    // A key typed on the check box is not lost: it joins the message.
    if (key != KeyCode::Escape)
        messageEdit->setText(messageEdit->text() + characterFromCode(key));
}

} // namespace brisquel
