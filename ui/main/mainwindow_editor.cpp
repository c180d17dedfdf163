// The message box: its character budget, the caption countdown and the
// keyboard rules of the main window.
#include "mainwindow.h"

#include "core/budget.h"
#include "ui/kit/keycodes.h"
#include "ui/kit/exacttextbox.h"

namespace brisquel {

void MainWindow::onMessageChanged()
{
    m_composer.messageChanged(*messageEdit);
}

void MainWindow::onMessageKey(int &key)
{
    onControlKey(key);
    if (!m_composer.hasRoom() && key != KeyCode::Escape && key != KeyCode::Backspace)
        key = KeyCode::None;
}

void MainWindow::onUnclaimedKey(int &key)
{
    onControlKey(key);
}

void MainWindow::onMinimizeCheckKey(int &key)
{
    onControlKey(key);
    // A key typed on the check box is not lost: it joins the message.
    if (key != KeyCode::Escape)
        messageEdit->setText(messageEdit->text() + characterFromCode(key));
}

} // namespace brisquel
