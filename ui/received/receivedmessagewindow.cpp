#include "receivedmessagewindow.h"

#include "core/linebreaks.h"
#include "core/programtitle.h"
#include "core/receivedmessages.h"
#include "ui/art/pictures.h"
#include "ui/kit/accessibletext.h"
#include "ui/kit/centeronscreen.h"
#include "ui/kit/colorlabel.h"
#include "ui/kit/exacttextbox.h"
#include "ui/kit/focusablescrollbar.h"
#include "ui/kit/picturebutton.h"

#include <QLabel>
#include <QShortcut>
#include <QShowEvent>
#include <QSignalBlocker>

namespace brisquel {

namespace {
const QString kEmptyTitle = QStringLiteral("Mensajes recibidos");
// Day first, as a Spanish reader expects it, in the time of this machine.
const QString kReceivedFormat = QStringLiteral("dd/MM/yyyy HH:mm:ss");

// A screen reader hears a value with its caption ("De: pepe"), not alone.
void showValue(ColorLabel &value, const QLabel &caption, const QString &text)
{
    value.setText(text);
    value.setAccessibleName(caption.text() + u' ' + text);
}
} // namespace

ReceivedMessageWindow::ReceivedMessageWindow(const ScreenMetrics &metrics, const ReceivedMessages &messages)
    : TwipsWindow(metrics)
    , m_messages(messages)
{
    setWindowTitle(kEmptyTitle);
    setWindowIcon(art::windowIcon());
    setWindowFlags(kFixedTitledWindow);
    createControls();
    describeControls();
    finishTabChain();

    connect(messageBar, &QAbstractSlider::valueChanged, this, &ReceivedMessageWindow::onBarChanged);
    connect(replyButton, &QPushButton::clicked, this, [this] {
        if (const int index = shownIndex(); index >= 0)
            emit replyRequested(index);
    });
    connect(closeButton, &QPushButton::clicked, this, &QWidget::close);
    auto *escape = new QShortcut(QKeySequence(Qt::Key_Escape), this);
    connect(escape, &QShortcut::activated, this, &QWidget::close);
}

// The Tab stops go from the text to the buttons, then the pager.
void ReceivedMessageWindow::createControls()
{
    auto caption = [this](const QString &text, const char *name, int top) {
        auto *label = declare(new QLabel(text, this), name, {120, top, 900, 255});
        label->setTextFormat(Qt::PlainText);
        return label;
    };
    auto value = [this](const char *name, int top) {
        auto *label = declare(new ColorLabel(QString(), this), name, {1020, top, 2820, 255});
        label->setTextInteractionFlags(Qt::TextSelectableByMouse);
        return label;
    };
    fromCaption = caption(QStringLiteral("De:"), "fromCaption", 120);
    fromLabel = value("fromLabel", 120);
    addressCaption = caption(QStringLiteral("Dirección:"), "addressCaption", 420);
    addressLabel = value("addressLabel", 420);
    receivedCaption = caption(QStringLiteral("Recibido:"), "receivedCaption", 720);
    receivedLabel = value("receivedLabel", 720);

    messageBar = declare(new FocusableScrollBar(this), "messageBar", {3900, 60, 195, 375}, 3);
    pageLabel = declare(new ColorLabel(QString(), this), "pageLabel", {4140, 120, 1515, 255});

    messageText = declare(new ExactTextBox(true, this), "messageText", {60, 1080, 5595, 2295}, 0);
    messageText->setReadOnly(true);

    replyButton = declare(new PictureButton(QStringLiteral("&Responder"), this), "replyButton",
                          {2820, 3480, 1395, 315}, 1);
    closeButton = declare(new PictureButton(QStringLiteral("&Cerrar"), this), "closeButton",
                          {4260, 3480, 1395, 315}, 2);
    for (PictureButton *button : {replyButton, closeButton}) {
        button->setPicture(art::bankStrip(false));
        button->setDownPicture(art::bankStrip(true));
    }
}

// What a screen reader says for each control.
void ReceivedMessageWindow::describeControls()
{
    describeControl(*messageText, QStringLiteral("Mensaje recibido"),
                    QStringLiteral("El texto del mensaje, para leerlo y copiarlo"));
    // The values are heard with their captions, as showValue names them.
    fromLabel->setAccessibleDescription(QStringLiteral("Quién dice enviar el mensaje"));
    addressLabel->setAccessibleDescription(QStringLiteral("El equipo del que llegó el mensaje; la respuesta va allí"));
    receivedLabel->setAccessibleDescription(QStringLiteral("Fecha y hora de llegada"));
    for (QLabel *label : {fromCaption, addressCaption, receivedCaption})
        label->setAccessibleDescription(QStringLiteral("Rótulo"));
    describeControl(*messageBar, QStringLiteral("Mensajes recibidos"),
                    QStringLiteral("Pasa de un mensaje recibido en esta sesión a otro"));
    pageLabel->setAccessibleDescription(QStringLiteral("Qué mensaje recibido se muestra"));
    describeControl(*replyButton, spokenCaption(replyButton->text()),
                    QStringLiteral("Escribe una respuesta al equipo del que llegó el mensaje"));
    describeControl(*closeButton, spokenCaption(closeButton->text()), QStringLiteral("Oculta la ventana"));
}

void ReceivedMessageWindow::load()
{
    setWidthTwips(5805);
    setHeightTwips(4305);
    centerOnScreen(*this, metrics());
    replyButton->setToolTip(QStringLiteral("Pulsa el botón para responder al mensaje"));
    closeButton->setToolTip(QStringLiteral("Pulsa el botón para cerrar la ventana"));
    if (m_messages.count() > 0)
        showMessage(m_messages.indexToOpenOn());
    else
        followPager();
    // Where the keys go once the user brings the window forward.
    messageText->setFocus();
}

void ReceivedMessageWindow::setLook(const TextBoxLook &look)
{
    messageText->setTextFont(look);
    messageText->setTextColor(look.foreColor);
    messageText->setBackgroundColor(look.backColor);
}

int ReceivedMessageWindow::shownIndex() const
{
    return m_showingAny ? m_messages.indexOf(m_shownId) : -1;
}

void ReceivedMessageWindow::messagesChanged()
{
    if (shownIndex() >= 0 || m_messages.count() == 0) {
        followPager();
        return;
    }
    // The one on show was the oldest read message, dropped for room: its
    // successor is now first.
    openOn(m_showingAny ? 0 : m_messages.indexToOpenOn());
}

void ReceivedMessageWindow::openOn(int index)
{
    if (index < 0 || index >= m_messages.count())
        return;
    showMessage(index);
    tellShown();
}

void ReceivedMessageWindow::showWithoutTakingKeys()
{
    // Only for this showing: brought back later by the user, it is activated
    // as any window.
    setAttribute(Qt::WA_ShowWithoutActivating, true);
    if (isMinimized()) {
        // Restored in place, it would be activated as a minimised window
        // the user restores; withdrawn and shown anew, it is not.
        hide();
        setWindowState(windowState() & ~Qt::WindowMinimized);
    }
    show();
    raise();
    setAttribute(Qt::WA_ShowWithoutActivating, false);
}

void ReceivedMessageWindow::showEvent(QShowEvent *event)
{
    TwipsWindow::showEvent(event);
    // A spontaneous show is the window system mapping it again (a desktop
    // switch): what it shows was told already.
    if (!event->spontaneous())
        tellShown();
}

// Back from minimised, the message is on the screen again.
void ReceivedMessageWindow::onSizeOrStateChanged()
{
    const bool restored = m_minimized && !isMinimized();
    m_minimized = isMinimized();
    if (restored)
        tellShown();
}

void ReceivedMessageWindow::showMessage(int index)
{
    const ReceivedMessage &message = m_messages.at(index);
    m_shownId = message.id;
    m_showingAny = true;
    setWindowTitle(receivedMessageTitle(message.from));
    showValue(*fromLabel, *fromCaption, message.from);
    showValue(*addressLabel, *addressCaption, message.canBeAnswered() ? message.address : QStringLiteral("desconocida"));
    showValue(*receivedLabel, *receivedCaption, message.received.toLocalTime().toString(kReceivedFormat));
    messageText->setText(withCrLfLineBreaks(message.text));
    messageText->setSelectionStart(0);
    replyButton->setEnabled(message.canBeAnswered());
    followPager();
}

void ReceivedMessageWindow::followPager()
{
    const int count = m_messages.count();
    const int index = shownIndex();
    const QSignalBlocker quiet(messageBar);
    messageBar->setMaximumFromZero(count - 1);
    messageBar->setValue(std::max(index, 0));
    messageBar->setEnabled(count > 1);
    pageLabel->setText(index >= 0 ? QStringLiteral("Mensaje %1 de %2").arg(index + 1).arg(count) : QString());
}

void ReceivedMessageWindow::onBarChanged()
{
    openOn(messageBar->value());
}

void ReceivedMessageWindow::tellShown()
{
    if (!isVisible() || isMinimized())
        return;
    if (const int index = shownIndex(); index >= 0)
        emit messageShown(index);
}

} // namespace brisquel
