#pragma once

#include <QAnyStringView>
#include <QWidget>

#include <utility>
#include <vector>

namespace brisquel {

class ScreenMetrics;

// A window with a title bar that the user can minimise and close, but never
// resize nor maximise.
inline constexpr Qt::WindowFlags kFixedTitledWindow = Qt::Window | Qt::CustomizeWindowHint | Qt::WindowTitleHint
    | Qt::WindowSystemMenuHint | Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint;

// Base of every window: geometry in twips (1/1440 inch, the unit the layouts
// are drawn in), and the two events the windows handle: a change of size or
// state, and a character key no control took.
class TwipsWindow : public QWidget {
    Q_OBJECT

public:
    explicit TwipsWindow(const ScreenMetrics &metrics, QWidget *parent = nullptr);
    ~TwipsWindow() override;

    const ScreenMetrics &metrics() const { return m_metrics; }

    // Outer size and position. The outer size is the client area plus one
    // fixed nominal frame, the classic one the twips layouts were drawn
    // for, whatever frame the window manager really draws: every desktop
    // and scale factor then shows exactly the same controls. The user
    // cannot resize the window; only the code sizes it.
    double widthTwips() const;
    void setWidthTwips(double twips);
    double heightTwips() const;
    void setHeightTwips(double twips);
    double leftTwips() const;
    void setLeftTwips(double twips);
    double topTwips() const;
    void setTopTwips(double twips);

    // Minimise and restore, keeping whether the window is active.
    void minimize();
    void restore();


    // Brings the window to the front.
    void bringToFront();

    // Places a control of this window (or of a frame in it), in twips from
    // the top-left corner of its container's client area.
    void place(QWidget *control, int left, int top, int width, int height) const;

    // Where a control stands, as place() takes it.
    struct Twips {
        int left;
        int top;
        int width;
        int height;
    };
    // For a control Tab passes by: a frame or a label in the chain would
    // drag its whole block of children along with it.
    static constexpr int kNoTabStop = -1;

    // Each control of a window is declared once, as it is made with its
    // parent: this names it (tests and screen readers' tools find it by
    // that name), places it, and gives it its stop in the window's Tab
    // chain, lowest first; equal stops keep the order declared.
    template <class Control>
    Control *declare(Control *control, QAnyStringView name, Twips where, int tabStop = kNoTabStop)
    {
        declareControl(*control, name, where, tabStop);
        return control;
    }

protected:
    // Links the Tab chain of the controls declared; run once they all are,
    // and again after any made later.
    void finishTabChain();

    // Runs on every change of size and of window state (minimise, restore).
    // Setting the size it already has from here runs nothing more.
    virtual void onSizeOrStateChanged() {}
    // A character key that no control took (see keycodes.h).
    virtual void onUnclaimedKey(int &key) { (void)key; }

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

    void declareControl(QWidget &control, QAnyStringView name, Twips where, int tabStop);

    const ScreenMetrics &m_metrics;
    bool m_wasMinimized = false;
    // Every control declared with a stop; all are the window's children, so
    // they last as long as it does.
    std::vector<std::pair<int, QWidget *>> m_tabStops;
};

} // namespace brisquel
