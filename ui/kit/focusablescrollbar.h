#pragma once

#include <QScrollBar>

namespace brisquel {

// A vertical scroll bar from 0 to Max, one step per arrow click, that takes
// the keyboard focus like the other controls.
class FocusableScrollBar : public QScrollBar {
    Q_OBJECT

public:
    explicit FocusableScrollBar(QWidget *parent = nullptr);

    // setValue(int) as QScrollBar has it; a value past Max is taken as Max.
    // Lowering Max below the value moves the value down, which is a change.
    void setMaximumFromZero(int max);

signals:
    // A character key typed while the bar has the focus; without a handler
    // the key goes on to the window.
    void characterKey(int &key);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace brisquel
