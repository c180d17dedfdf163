#pragma once

#include "core/vbtypes.h"

#include <QScrollBar>

namespace brisquel {

// A vertical scroll bar from 0 to Max, one step per arrow click, that takes
// the keyboard focus like the other controls.
class VbScrollBar : public QScrollBar {
    Q_OBJECT

public:
    explicit VbScrollBar(QWidget *parent = nullptr);

    int Value() const { return value(); }
    // setValue(int) as QScrollBar has it; a value past Max is taken as Max.
    int Max() const { return maximum(); }
    // Lowering Max below the value moves the value down, which is a change.
    void setMax(int max);

signals:
    // The value changed, by the user or by code.
    void Change();
    // A character key typed while the bar has the focus; without a handler
    // the key goes on to the window.
    void KeyPress(brisquel::Integer &KeyAscii);

protected:
    void keyPressEvent(QKeyEvent *event) override;
};

} // namespace brisquel
