// The recipient bank, the mode switch and the history browser.
#include "mainwindow.h"

#include "core/numbertext.h"
#include "ui/art/pictures.h"
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

void MainWindow::showBank(RecipientMode mode)
{
    const bool groups = mode == RecipientMode::Groups;
    const RecipientList &list = m_composer.bank();
    const QString &tooltipPrefix = groups ? kGroupPrefix : kUserPrefix;
    for (int i = 0; i < kRecipientSlots; ++i) {
        PictureButton *button = recipientButtons[std::size_t(i)];
        button->setText(list[std::size_t(i)].caption);
        button->setToolTip(tooltipPrefix + button->text());
        button->setEnabled(list[std::size_t(i)].caption != kEmptySlotCaption);
    }
    describeRecipientButtons(mode);
    // The button offers the other list.
    if (groups) {
        modeButton->setText(QStringLiteral("&Usuarios"));
        modeButton->setToolTip(QStringLiteral("Pulsa para cambiar al modo USUARIOS"));
        modeButton->setPicture(userModePicture->pixmap());
    } else {
        modeButton->setText(QStringLiteral("&Grupos"));
        modeButton->setToolTip(QStringLiteral("Pulsa para cambiar al modo GRUPOS"));
        modeButton->setPicture(groupModePicture->pixmap());
    }
}

void MainWindow::onModeClicked()
{
    m_composer.switchMode();
    messageEdit->setFocus();
}

void MainWindow::onRecipientClicked(int slot)
{
    m_composer.sendToSlot(slot, messageEdit->text());
    messageEdit->setFocus();
}

void MainWindow::sendMessageTo(const QString &recipients)
{
    m_composer.sendToTyped(recipients, messageEdit->text());
}

void MainWindow::showHistoryEnd(int historyCount)
{
    historyBar->setMaximumFromZero(historyCount);
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
    historyBar->setMaximumFromZero(m_composer.historyCount());
    historyBar->setValue(m_composer.historyCount());
}

void MainWindow::onHistoryBarChanged()
{
    const int position = historyBar->value();
    messageEdit->setText(m_composer.browseTo(position));
    historyLabel->setText(QStringLiteral("Mensaje nº") + numberText(qint32(position + 1)));
}

} // namespace brisquel
