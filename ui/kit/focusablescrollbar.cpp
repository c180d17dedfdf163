#include "focusablescrollbar.h"

#include "keycodes.h"

#include <QKeyEvent>
#include <QMetaMethod>
#include <QPointer>

#include <algorithm>

namespace brisquel {

FocusableScrollBar::FocusableScrollBar(QWidget *parent)
    : QScrollBar(Qt::Vertical, parent)
{
    setRange(0, 0);
    setSingleStep(1);
    setPageStep(1);
    setFocusPolicy(Qt::StrongFocus);
    connect(this, &QAbstractSlider::valueChanged, this, &FocusableScrollBar::changed);
}

void FocusableScrollBar::setMaximumFromZero(int max)
{
    // The minimum stays 0; a negative maximum would drag it along.
    setMaximum(std::max(0, max));
}

void FocusableScrollBar::keyPressEvent(QKeyEvent *event)
{
    Integer code = characterCode(event);
    if (code == 0 || !isSignalConnected(QMetaMethod::fromSignal(&FocusableScrollBar::characterKey))) {
        QScrollBar::keyPressEvent(event);
        return;
    }
    const QPointer<FocusableScrollBar> alive(this);
    emit characterKey(code);
    if (!alive)
        return;
    if (code != 0 && hasFocus())
        QScrollBar::keyPressEvent(event);
    event->accept();
}

} // namespace brisquel
