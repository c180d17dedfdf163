#include "vbform.h"

#include "keycodes.h"
#include "twips.h"

#include "platform/screenmetrics.h"

#include <QKeyEvent>
#include <QPaintEvent>
#include <QResizeEvent>
#include <QWindow>

#include <algorithm>

namespace brisquel {

namespace {
constexpr int kFrameWatchMs = 2000;
} // namespace

VbForm::VbForm(const ScreenMetrics &metrics, QWidget *parent)
    : QWidget(parent)
    , m_metrics(metrics)
{
    // The windows are laid out in twips for a small 8-point dialog font;
    // larger desktop defaults would clip captions.
    QFont dialogFont(QStringLiteral("Arial"));
    dialogFont.setStyleHint(QFont::SansSerif);
    dialogFont.setPointSizeF(8.25);
    setFont(dialogFont);
}

VbForm::~VbForm() = default;

bool VbForm::hasFrame() const
{
    if (!isWindow() || windowFlags().testFlag(Qt::FramelessWindowHint))
        return false;
    const Qt::WindowType type = windowType();
    return type != Qt::Popup && type != Qt::ToolTip && type != Qt::SplashScreen;
}

QSize VbForm::frameExtra() const
{
    const QRect outer = frameGeometry();
    const QRect inner = geometry();
    return {std::max(0, outer.width() - inner.width()), std::max(0, outer.height() - inner.height())};
}

// ---- size ------------------------------------------------------------------

double VbForm::Width() const
{
    const int pixels = m_wantedWidth >= 0 ? m_wantedWidth : frameGeometry().width();
    return pixelsToTwips(pixels, m_metrics.twipsPerPixelX());
}

double VbForm::Height() const
{
    const int pixels = m_wantedHeight >= 0 ? m_wantedHeight : frameGeometry().height();
    return pixelsToTwips(pixels, m_metrics.twipsPerPixelY());
}

void VbForm::setWidth(double twips)
{
    applyOuterSize(std::max(0, twipsToPixels(twips, m_metrics.twipsPerPixelX())), -1);
}

void VbForm::setHeight(double twips)
{
    applyOuterSize(-1, std::max(0, twipsToPixels(twips, m_metrics.twipsPerPixelY())));
}

QSize VbForm::clientFor(const QSize &extra) const
{
    QSize client = size();
    if (m_wantedWidth >= 0)
        client.setWidth(std::max(0, m_wantedWidth - extra.width()));
    if (m_wantedHeight >= 0)
        client.setHeight(std::max(0, m_wantedHeight - extra.height()));
    return client;
}

void VbForm::applyOuterSize(int outerWidth, int outerHeight)
{
    if (outerWidth >= 0)
        m_wantedWidth = outerWidth;
    if (outerHeight >= 0)
        m_wantedHeight = outerHeight;
    const QSize extra = frameExtra();
    const QSize client = clientFor(extra);
    // Before the window is first shown its frame is unknown: remember the
    // outer size asked for until it is.
    const bool watching = m_watchFrame && !m_watchDeadline.hasExpired();
    const bool frameUnknown = hasFrame() && extra.isNull() && (!isVisible() || watching);
    if (!frameUnknown) {
        m_wantedWidth = -1;
        m_wantedHeight = -1;
        m_watchFrame = false;
    }
    // The same size again is no resize, so a window that re-imposes its
    // size from Form_Resize does not go round in circles.
    if (client != size())
        resize(client);
}

void VbForm::settleOuterSize()
{
    const QSize extra = frameExtra();
    const QSize client = clientFor(extra);
    // Some window systems tell the frame only a moment after showing;
    // keep watching for a while (some never tell).
    if (extra.isNull() && !m_watchFrame) {
        m_watchFrame = true;
        m_watchDeadline.setRemainingTime(kFrameWatchMs);
    }
    if (!extra.isNull() || m_watchDeadline.hasExpired()) {
        m_wantedWidth = -1;
        m_wantedHeight = -1;
        m_watchFrame = false;
    }
    if (client != size())
        resize(client);
}

// ---- position --------------------------------------------------------------

double VbForm::Left() const
{
    return pixelsToTwips(frameGeometry().x(), m_metrics.twipsPerPixelX());
}

double VbForm::Top() const
{
    return pixelsToTwips(frameGeometry().y(), m_metrics.twipsPerPixelY());
}

// A window's pos() is that of its frame.
void VbForm::setLeft(double twips)
{
    move(twipsToPixels(twips, m_metrics.twipsPerPixelX()), pos().y());
}

void VbForm::setTop(double twips)
{
    move(pos().x(), twipsToPixels(twips, m_metrics.twipsPerPixelY()));
}

// ---- state -------------------------------------------------------------------

namespace {
int vbState(Qt::WindowStates states)
{
    if (states.testFlag(Qt::WindowMinimized))
        return 1;
    if (states.testFlag(Qt::WindowMaximized) || states.testFlag(Qt::WindowFullScreen))
        return 2;
    return 0;
}
} // namespace

int VbForm::WindowState() const
{
    return vbState(windowState());
}

void VbForm::setWindowState(int state)
{
    const Qt::WindowStates active = windowState() & Qt::WindowActive;
    switch (state) {
    case 1:
        QWidget::setWindowState(active | Qt::WindowMinimized);
        break;
    case 2:
        QWidget::setWindowState(active | Qt::WindowMaximized);
        break;
    default:
        QWidget::setWindowState(active);
        break;
    }
}

void VbForm::ZOrder()
{
    raise();
    activateWindow();
}

void VbForm::place(QWidget *control, int left, int top, int width, int height) const
{
    placeTwips(control, left, top, width, height, m_metrics);
}

// ---- events ------------------------------------------------------------------

bool VbForm::event(QEvent *event)
{
    const bool result = QWidget::event(event);
    switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
    case QEvent::Resize:
        if (isVisible() && (m_wantedWidth >= 0 || m_wantedHeight >= 0))
            settleOuterSize();
        break;
    default:
        break;
    }
    return result;
}

void VbForm::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (event->size() != event->oldSize())
        Form_Resize();
}

void VbForm::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        const int state = WindowState();
        if (state != m_lastState) {
            m_lastState = state;
            Form_Resize();
        }
    }
}

void VbForm::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    // Controls draw themselves; when one of them repaints (a blinking
    // caret), Qt repaints the window beneath it too, but that is not the
    // window's own surface being drawn.
    QRegion own = event->region();
    for (QObject *child : children()) {
        const auto *control = qobject_cast<QWidget *>(child);
        if (control != nullptr && !control->isWindow() && control->isVisible())
            own -= control->geometry();
    }
    if (!own.isEmpty())
        Form_Paint();
}

void VbForm::keyPressEvent(QKeyEvent *event)
{
    Integer code = vbKeyAscii(event);
    if (code == 0) {
        QWidget::keyPressEvent(event);
        return;
    }
    Form_KeyPress(code);
    event->accept();
}

} // namespace brisquel
