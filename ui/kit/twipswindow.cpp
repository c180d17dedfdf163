#include "twipswindow.h"

#include "characterkey.h"
#include "taborder.h"
#include "twips.h"

#include "platform/screenmetrics.h"

#include <QKeyEvent>
#include <QPainter>
#include <qdrawutil.h>
#include <QPaintEvent>
#include <QResizeEvent>
#include <QWindow>

#include <algorithm>

namespace brisquel {

namespace {
// The classic fixed single frame at 96 dpi: 3-pixel borders and a 19-pixel
// caption above the client area.
constexpr int kBorderTwips = 45;
constexpr int kCaptionTwips = 285;
// A window without a title bar: a 4-pixel raised border all round.
constexpr int kPlainBorderTwips = 60;
} // namespace

TwipsWindow::TwipsWindow(const ScreenMetrics &metrics, QWidget *parent)
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

TwipsWindow::~TwipsWindow() = default;

bool TwipsWindow::hasTitleBar() const
{
    if (!isWindow() || windowFlags().testFlag(Qt::FramelessWindowHint))
        return false;
    const Qt::WindowType type = windowType();
    return type != Qt::Popup && type != Qt::ToolTip && type != Qt::SplashScreen;
}

TwipsWindow::Edges TwipsWindow::nominalFrame() const
{
    if (hasTitleBar())
        return {kBorderTwips, kBorderTwips + kCaptionTwips, kBorderTwips, kBorderTwips};
    if (isWindow())
        return {kPlainBorderTwips, kPlainBorderTwips, kPlainBorderTwips, kPlainBorderTwips};
    return {0, 0, 0, 0};
}

QMargins TwipsWindow::ownBorder() const
{
    if (hasTitleBar())
        return {};
    const Edges e = nominalFrame();
    const double tx = m_metrics.twipsPerPixelX();
    const double ty = m_metrics.twipsPerPixelY();
    return {twipsToPixels(e.left, tx), twipsToPixels(e.top, ty), twipsToPixels(e.right, tx),
            twipsToPixels(e.bottom, ty)};
}

// ---- size ------------------------------------------------------------------

double TwipsWindow::widthTwips() const
{
    const Edges e = nominalFrame();
    const QMargins own = ownBorder();
    const int clientPixels = width() - own.left() - own.right();
    return pixelsToTwips(clientPixels, m_metrics.twipsPerPixelX()) + e.left + e.right;
}

double TwipsWindow::heightTwips() const
{
    const Edges e = nominalFrame();
    const QMargins own = ownBorder();
    const int clientPixels = height() - own.top() - own.bottom();
    return pixelsToTwips(clientPixels, m_metrics.twipsPerPixelY()) + e.top + e.bottom;
}

void TwipsWindow::setWidthTwips(double twips)
{
    const Edges e = nominalFrame();
    setClientTwips(std::max(0.0, twips - e.left - e.right), -1);
}

void TwipsWindow::setHeightTwips(double twips)
{
    const Edges e = nominalFrame();
    setClientTwips(-1, std::max(0.0, twips - e.top - e.bottom));
}

// A negative length leaves that one as it is.
void TwipsWindow::setClientTwips(double width, double height)
{
    const QMargins own = ownBorder();
    QSize surface = size();
    if (width >= 0)
        surface.setWidth(twipsToPixels(width, m_metrics.twipsPerPixelX()) + own.left() + own.right());
    if (height >= 0)
        surface.setHeight(twipsToPixels(height, m_metrics.twipsPerPixelY()) + own.top() + own.bottom());
    // Fixed: the window manager offers no resize handles and no maximise.
    // The same size again is no resize, so a window that re-imposes its
    // size from onSizeOrStateChanged does not go round in circles.
    if (surface != minimumSize() || surface != maximumSize() || surface != size())
        setFixedSize(surface);
}

// ---- position --------------------------------------------------------------

// Left and Top are those of the nominal frame: the client area stands
// at the same place under every window manager, whatever frame it draws.
QPoint TwipsWindow::clientOffset() const
{
    if (!hasTitleBar())
        return {};
    const Edges e = nominalFrame();
    return {twipsToPixels(e.left, m_metrics.twipsPerPixelX()), twipsToPixels(e.top, m_metrics.twipsPerPixelY())};
}

double TwipsWindow::leftTwips() const
{
    return pixelsToTwips(geometry().x() - clientOffset().x(), m_metrics.twipsPerPixelX());
}

double TwipsWindow::topTwips() const
{
    return pixelsToTwips(geometry().y() - clientOffset().y(), m_metrics.twipsPerPixelY());
}

void TwipsWindow::setLeftTwips(double twips)
{
    const int x = twipsToPixels(twips, m_metrics.twipsPerPixelX()) + clientOffset().x();
    setGeometry(QRect(QPoint(x, geometry().y()), size()));
}

void TwipsWindow::setTopTwips(double twips)
{
    const int y = twipsToPixels(twips, m_metrics.twipsPerPixelY()) + clientOffset().y();
    setGeometry(QRect(QPoint(geometry().x(), y), size()));
}

// ---- state -------------------------------------------------------------------

void TwipsWindow::minimize()
{
    setWindowState((windowState() & Qt::WindowActive) | Qt::WindowMinimized);
}

void TwipsWindow::restore()
{
    setWindowState(windowState() & Qt::WindowActive);
}

void TwipsWindow::bringToFront()
{
    raise();
    activateWindow();
}

void TwipsWindow::place(QWidget *control, int left, int top, int width, int height) const
{
    placeTwips(control, left, top, width, height, m_metrics);
    if (control->parentWidget() == this) {
        const QMargins own = ownBorder();
        control->move(control->pos() + QPoint(own.left(), own.top()));
    }
}

void TwipsWindow::declareControl(QWidget &control, QAnyStringView name, Twips where, int tabStop)
{
    control.setObjectName(name);
    place(&control, where.left, where.top, where.width, where.height);
    if (tabStop != kNoTabStop)
        m_tabStops.emplace_back(tabStop, &control);
}

void TwipsWindow::finishTabChain()
{
    // The whole chain again: controls declared later take their places
    // among the others.
    applyTabOrder(m_tabStops);
}

// ---- events ------------------------------------------------------------------

void TwipsWindow::resizeEvent(QResizeEvent *event)
{
    QWidget::resizeEvent(event);
    if (event->size() != event->oldSize())
        onSizeOrStateChanged();
}

void TwipsWindow::changeEvent(QEvent *event)
{
    QWidget::changeEvent(event);
    if (event->type() == QEvent::WindowStateChange) {
        // Only the code sizes a window: a maximise asked from outside (a
        // window manager's menu, a double click on the title) is undone.
        if (windowState() & (Qt::WindowMaximized | Qt::WindowFullScreen)) {
            QWidget::setWindowState(windowState() & ~(Qt::WindowMaximized | Qt::WindowFullScreen));
            return;
        }
        // Maximised never lasts (above), so the state that counts is
        // minimised or not.
        if (isMinimized() != m_wasMinimized) {
            m_wasMinimized = isMinimized();
            onSizeOrStateChanged();
        }
    }
}

void TwipsWindow::paintEvent(QPaintEvent *event)
{
    QWidget::paintEvent(event);
    if (!ownBorder().isNull()) {
        // The raised edge a window manager would otherwise draw.
        QPainter painter(this);
        qDrawWinPanel(&painter, rect(), palette(), false);
    }
}

namespace {
bool takesTab(const QWidget *control, const QWidget *window)
{
    return control->window() == window && control != window && control->focusProxy() == nullptr
        && (control->focusPolicy() & Qt::TabFocus) != 0 && control->isEnabled() && control->isVisible()
        && !control->visibleRegion().isEmpty();
}
} // namespace

bool TwipsWindow::focusNextPrevChild(bool next)
{
    QWidget *start = focusWidget();
    if (start == nullptr)
        start = this;
    QWidget *candidate = start;
    do {
        candidate = next ? candidate->nextInFocusChain() : candidate->previousInFocusChain();
        if (takesTab(candidate, this)) {
            candidate->setFocus(next ? Qt::TabFocusReason : Qt::BacktabFocusReason);
            return true;
        }
    } while (candidate != start && candidate != nullptr);
    return false;
}

void TwipsWindow::keyPressEvent(QKeyEvent *event)
{
    offerCharacterKey(*this, event, true, [this](int &code) { onUnclaimedKey(code); },
                      [this, event] { QWidget::keyPressEvent(event); }, AfterHandler::KeepKey);
}

} // namespace brisquel
