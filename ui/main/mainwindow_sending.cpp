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
        recipientButtons[i]->setText(list[i][0]);
        recipientButtons[i]->setToolTip(tooltipPrefix + recipientButtons[i]->text());
    }
    for (int i = 0; i < kRecipientSlots; ++i)
        recipientButtons[i]->setEnabled(list[i][0] != kEmptySlotCaption);
}

void MainWindow::onModeClicked()
{
    if (m_state.recipientMode > 0) {
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
    m_state.recipientMode = Integer(-m_state.recipientMode);
    messageEdit->setFocus();
}

void MainWindow::onRecipientClicked(int slot)
{
    const QString message = messageEdit->text();
    if (m_state.recipientMode < 0)
        m_windows.dispatcher().sendToGroup(m_state.groups[slot][1], message);
    else
        m_windows.dispatcher().sendToUser(m_state.users[slot][1], message);
    historyBar->setMaximumFromZero(m_state.historyCount);
    if (!historyBar->isEnabled())
        historyBar->setEnabled(true);
    messageEdit->setFocus();
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
    historyBar->setMaximumFromZero(m_state.historyCount);
    historyBar->setValue(m_state.historyCount);
}

void MainWindow::onHistoryBarChanged()
{
    const int v = historyBar->value();
    messageEdit->setText(m_state.historyMessages[v]);
    historyLabel->setText(QStringLiteral("Mensaje nº") + numberText(qint32(v + 1)));
    m_state.historyPosition = Integer(v);
}

} // namespace brisquel
