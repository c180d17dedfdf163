#pragma once

#include "core/vbtypes.h"

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

    // Outer size and position. The outer size is the client area plus one
    // fixed nominal frame, the classic one the twips layouts were drawn
    // for, whatever frame the window manager really draws: every desktop
    // and scale factor then shows exactly the same controls. The user
    // cannot resize the window; only the code sizes it.
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

    // Places a control of this window (or of a frame in it), in twips from
    // the top-left corner of its container's client area.
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
    void resizeEvent(QResizeEvent *event) override;
    void changeEvent(QEvent *event) override;
    void paintEvent(QPaintEvent *event) override;
    void keyPressEvent(QKeyEvent *event) override;
    // Tab and Shift+Tab follow the tab order but never land on a control out
    // of sight (a closed panel, a frame below the client area).
    bool focusNextPrevChild(bool next) override;

private:
    struct Edges {
        int left, top, right, bottom; // twips
    };
    // A window with a title bar gets it from the window manager; one
    // without draws its own border inside its surface.
    bool hasTitleBar() const;
    Edges nominalFrame() const;
    // The part of the nominal frame this window draws itself, in pixels.
    QMargins ownBorder() const;
    // Where the client area stands inside the nominal frame, in pixels.
    QPoint clientOffset() const;
    void setClientTwips(double width, double height);

    const ScreenMetrics &m_metrics;
    int m_lastState = 0;
};

} // namespace brisquel
