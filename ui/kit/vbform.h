#pragma once

#include "core/vbtypes.h"

#include <QDeadlineTimer>
#include <QWidget>

namespace brisquel {

class ScreenMetrics;

// Base of every window: geometry in twips, the window state as a number, and
// the three events the windows handle (Form_Resize, Form_KeyPress,
// Form_Paint).
class VbForm : public QWidget {
    Q_OBJECT

public:
    explicit VbForm(const ScreenMetrics &metrics, QWidget *parent = nullptr);
    ~VbForm() override;

    const ScreenMetrics &metrics() const { return m_metrics; }

    // Outer size and position, frame included where the window system draws
    // one. A size set before the window is first shown is kept and applied
    // to the outer size once the frame is known.
    double Width() const;
    void setWidth(double twips);
    double Height() const;
    void setHeight(double twips);
    double Left() const;
    void setLeft(double twips);
    double Top() const;
    void setTop(double twips);

    // 0 normal, 1 minimised, 2 maximised.
    int WindowState() const;
    void setWindowState(int state);
    using QWidget::setWindowState;

    bool Visible() const { return isVisible(); }
    QString Caption() const { return windowTitle(); }
    void setCaption(const QString &caption) { setWindowTitle(caption); }

    // Brings the window to the front.
    void ZOrder();

    // Places a control of this window (or of a frame in it), in twips.
    void place(QWidget *control, int left, int top, int width, int height) const;

    // Runs on every change of size and of window state (minimise, restore).
    // Setting the size it already has from here runs nothing more.
    virtual void Form_Resize() {}
    // A character key that no control took (see keycodes.h).
    virtual void Form_KeyPress(Integer &KeyAscii) { (void)KeyAscii; }
    // Runs whenever the window's own surface is drawn (first when it is
    // shown), not when only its controls redraw themselves.
    virtual void Form_Paint() {}

protected:
    bool event(QEvent *event) override;
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;

private:
    QSize frameExtra() const;
    bool hasFrame() const;
    // Lengths in pixels; -1 leaves that length as it is.
    void applyOuterSize(int outerWidth, int outerHeight);
    QSize clientFor(const QSize &frameExtra) const;
    void settleOuterSize();

    const ScreenMetrics &m_metrics;
    // Outer size in pixels asked for while the frame was not yet known
    // (-1: not asked).
    int m_wantedWidth = -1;
    int m_wantedHeight = -1;
    bool m_watchFrame = false;
    QDeadlineTimer m_watchDeadline;
    int m_lastState = 0;
};

} // namespace brisquel
