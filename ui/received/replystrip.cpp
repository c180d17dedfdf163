#include "replystrip.h"

#include "core/messagecomposer.h"
#include "platform/screenmetrics.h"
#include "ui/art/pictures.h"
#include "ui/kit/accessibletext.h"
#include "ui/kit/centeronscreen.h"
#include "ui/kit/exacttextbox.h"
#include "ui/kit/picturebutton.h"

#include <QGroupBox>
#include <QShowEvent>
#include <QWindow>

#include <algorithm>

namespace brisquel {

namespace {
const QString kCaptionPrefix = QStringLiteral("Respuesta a ");
} // namespace

ReplyStrip::ReplyStrip(const ScreenMetrics &metrics, MessageComposer &composer)
    : EntryStrip(metrics,
                 {kCaptionPrefix, 3195, 800, {QStringLiteral("&Enviar"), 3360, 795},
                  {QStringLiteral("&Cancelar"), 4200, 795}, false, art::smallStrip(false), art::smallStrip(true)})
    , m_composer(composer)
{
    describeControl(*entryEdit, QStringLiteral("Respuesta"), QStringLiteral("Escribe la respuesta; Intro la envía"));
    connect(entryEdit, &ExactTextBox::changed, this, [this] { m_composer.quickMessageChanged(*entryEdit); });
}

void ReplyStrip::load()
{
    setStripSize();
    centerOnScreen(*this, metrics());
    acceptButton->setToolTip(QStringLiteral("Pulsa el botón para enviar la respuesta"));
    cancelButton->setToolTip(QStringLiteral("Pulsa el botón para cancelar la respuesta"));
}

void ReplyStrip::startReply(const ReceivedMessage &message)
{
    m_message = message;
    const QString caption = kCaptionPrefix + message.from;
    frame->setTitle(caption);
    setWindowTitle(caption);
    setAccessibleName(caption);
    entryEdit->setText(QString());
}

void ReplyStrip::onAccepted()
{
    const QString text = entryEdit->text();
    if (!text.isEmpty() && m_message.canBeAnswered())
        m_composer.sendReply(m_message.address, text);
    entryEdit->setText(QString());
}

void ReplyStrip::showEvent(QShowEvent *event)
{
    if (!event->spontaneous())
        placeBelowOwner();
    EntryStrip::showEvent(event);
}

void ReplyStrip::placeBelowOwner()
{
    const QWindow *owner = windowHandle() != nullptr ? windowHandle()->transientParent() : nullptr;
    if (owner == nullptr) {
        centerOnScreen(*this, metrics());
        return;
    }
    const QRect ownerFrame = owner->frameGeometry();
    const QRect area = metrics().availableTwips();
    const double left = ownerFrame.left() * metrics().twipsPerPixelX();
    const double below = (ownerFrame.bottom() + 1) * metrics().twipsPerPixelY();
    // Kept inside what the panels leave free: over the owner's foot when
    // there is no room below it.
    setLeftTwips(std::clamp(left, double(area.left()), std::max(double(area.left()), area.x() + area.width() - widthTwips())));
    setTopTwips(std::clamp(below, double(area.top()), std::max(double(area.top()), area.y() + area.height() - heightTwips())));
}

} // namespace brisquel
