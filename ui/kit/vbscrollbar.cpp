#include "vbscrollbar.h"

#include "keycodes.h"

#include <QKeyEvent>
#include <QMetaMethod>
#include <QPointer>

#include <algorithm>

namespace brisquel {

VbScrollBar::VbScrollBar(QWidget *parent)
    : QScrollBar(Qt::Vertical, parent)
{
    setRange(0, 0);
    setSingleStep(1);
    setPageStep(1);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QAbstractSlider::valueChanged, this, &VbScrollBar::Change);
}

void VbScrollBar::setMax(int max)
{
    // The minimum stays 0; a negative maximum would drag it along.
    setMaximum(std::max(0, max));
}

void VbScrollBar::keyPressEvent(QKeyEvent *event)
{
    Integer code = vbKeyAscii(event);
    if (code == 0 || !isSignalConnected(QMetaMethod::fromSignal(&VbScrollBar::KeyPress))) {
        QScrollBar::keyPressEvent(event);
        return;
    }
    const QPointer<VbScrollBar> alive(this);
    emit KeyPress(code);
    if (!alive)
        return;
    if (code != 0 && hasFocus())
        QScrollBar::keyPressEvent(event);
    event->accept();
}

} // namespace brisquel
