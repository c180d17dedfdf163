#include "quickmessagestrip.h"

#include "core/messagecomposer.h"
#include "platform/screenmetrics.h"
#include "ui/kit/accessibletext.h"
#include "ui/kit/picturebutton.h"
#include "ui/kit/pickcombobox.h"
#include "ui/kit/exacttextbox.h"

#include <QGroupBox>
#include <QShowEvent>

namespace brisquel {

QuickMessageStrip::QuickMessageStrip(const ScreenMetrics &metrics, MessageComposer &composer)
    : DialogStrip(metrics, QStringLiteral("Mensaje Rápido"))
    , m_composer(composer)
{
    cancelButton = declare(new PictureButton(QStringLiteral("&Cancelar"), frame), "cancelButton", {4200, 300, 795, 315}, 2);
    userCombo = declare(new PickComboBox(false, frame), "userCombo", {2880, 300, 1275, 315}, 1);
    messageEdit = declare(new ExactTextBox(false, frame), "messageEdit", {120, 300, 2715, 315}, 0);
    messageEdit->setMaxLength(800);
    finishTabChain();
    describeControl(*messageEdit, QStringLiteral("Mensaje rápido"),
                    QStringLiteral("Escribe el mensaje; al elegir un usuario se envía"));
    describeControl(*userCombo, QStringLiteral("Usuario"));

    connect(messageEdit, &ExactTextBox::changed, this, &QuickMessageStrip::onMessageChanged);
    connect(userCombo, &QComboBox::activated, this, &QuickMessageStrip::onUserPicked);
    connect(cancelButton, &QPushButton::clicked, this, &QuickMessageStrip::onCancelClicked);
}

void QuickMessageStrip::addUserCaptions(const QStringList &captions)
{
    for (const QString &caption : captions)
        userCombo->addEntry(caption);
}

void QuickMessageStrip::load()
{
    setStripSize();
    placeInCorner();
    userCombo->setToolTip(QStringLiteral("Selecciona el usuario"));
    cancelButton->setToolTip(QStringLiteral("Pulsa el botón para cancelar el mensaje"));
}

// The corner of the area the desktop's panels leave free, not of the whole
// screen, where a panel would cover the strip. Panels come and go: the
// corner is found again at each showing.
void QuickMessageStrip::placeInCorner()
{
    const QRect area = metrics().availableTwips();
    setTopTwips(area.y() + area.height() - heightTwips() - 200);
    setLeftTwips(area.x() + area.width() - widthTwips() - 100);
}

void QuickMessageStrip::showEvent(QShowEvent *event)
{
    // A spontaneous show is the window system mapping the strip again (a
    // desktop switch, the main window restored): the user is still typing.
    if (event->spontaneous()) {
        DialogStrip::showEvent(event);
        return;
    }
    placeInCorner();
    DialogStrip::showEvent(event);
    startNewMessage();
}

void QuickMessageStrip::startNewMessage()
{
    messageEdit->setText(QString());
    messageEdit->setFocus();
}

void QuickMessageStrip::onMessageChanged()
{
    m_composer.quickMessageChanged(*messageEdit);
}

void QuickMessageStrip::onUserPicked()
{
    m_composer.sendQuick(userCombo->pickedIndex(), messageEdit->text());
    hide();
}

void QuickMessageStrip::onCancelClicked()
{
    hide();
}

} // namespace brisquel
