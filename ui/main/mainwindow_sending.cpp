// The recipient bank, the mode switch and the history browser.
#include "mainwindow.h"

#include "core/numbertext.h"
#include "ui/art/pictures.h"
#include "ui/appwindows.h"
#include "ui/kit/picturebutton.h"
#include "ui/kit/colorlabel.h"
#include "ui/kit/focusablescrollbar.h"
#include "ui/kit/exacttextbox.h"
#include "ui/kit/keycodes.h"

#include <QLabel>

namespace brisquel {

namespace {
const QString kUserPrefix = QStringLiteral("Pulsa el botón para enviar el mensaje a ");
const QString kGroupPrefix = QStringLiteral("Pulsa el botón para enviar el mensaje al grupo  ");
} // namespace

void MainWindow::fillBank(const RecipientList &list, const QString &tooltipPrefix)
{
    for (int i = 0; i < kRecipientSlots; ++i) {
        recipientButtons[i]->setText(list[i].caption);
        recipientButtons[i]->setToolTip(tooltipPrefix + recipientButtons[i]->text());
    }
    for (int i = 0; i < kRecipientSlots; ++i)
        recipientButtons[i]->setEnabled(list[i].caption != kEmptySlotCaption);
}

void MainWindow::onModeClicked()
{
    if (m_state.recipientMode == RecipientMode::Users) {
        fillBank(m_state.groups, kGroupPrefix);
        modeButton->setText(QStringLiteral("&Usuarios"));
        modeButton->setToolTip(QStringLiteral("Pulsa para cambiar al modo USUARIOS"));
        modeButton->setPicture(userModePicture->pixmap());
    } else {
        fillBank(m_state.users, kUserPrefix);
        modeButton->setText(QStringLiteral("&Grupos"));
        modeButton->setToolTip(QStringLiteral("Pulsa para cambiar al modo GRUPOS"));
        modeButton->setPicture(groupModePicture->pixmap());
    }
    m_state.recipientMode =
        m_state.recipientMode == RecipientMode::Users ? RecipientMode::Groups : RecipientMode::Users;
    messageEdit->setFocus();
}

void MainWindow::onRecipientClicked(int slot)
{
    const QString message = messageEdit->text();
    if (m_state.recipientMode == RecipientMode::Groups)
        m_windows.dispatcher().sendToGroup(m_state.groups[slot].recipients, message);
    else
        m_windows.dispatcher().sendToUser(m_state.users[slot].recipients, message);
    showHistoryGrown();
    messageEdit->setFocus();
}

void MainWindow::sendToTypedRecipients(const QString &recipients)
{
    const QString message = messageEdit->text();
    // Typed by hand, a comma makes a list.
    if (recipients.contains(QLatin1Char(',')))
        m_windows.dispatcher().sendToGroup(recipients, message);
    else
        m_windows.dispatcher().sendToUser(recipients, message);
    showHistoryGrown();
}

void MainWindow::showHistoryGrown()
{
    historyBar->setMaximumFromZero(m_state.history.count());
    if (!historyBar->isEnabled())
        historyBar->setEnabled(true);
}

void MainWindow::onControlKey(int &key)
{
    if (key == KeyCode::Escape)
        escReset();
    messageEdit->setFocus();
}

void MainWindow::escReset()
{
    messageEdit->setText(QString());
    historyBar->setMaximumFromZero(m_state.history.count());
    historyBar->setValue(m_state.history.count());
}

void MainWindow::onHistoryBarChanged()
{
    const int v = historyBar->value();
    messageEdit->setText(m_state.history.message(v));
    historyLabel->setText(QStringLiteral("Mensaje nº") + numberText(qint32(v + 1)));
    m_state.history.browseTo(v);
}

} // namespace brisquel
