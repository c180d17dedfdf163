#include "focusablescrollbar.h"

#include "characterkey.h"

#include <QMetaMethod>

#include <algorithm>

namespace brisquel {

FocusableScrollBar::FocusableScrollBar(QWidget *parent)
    : QScrollBar(Qt::Vertical, parent)
{
    setRange(0, 0);
    setSingleStep(1);
    setPageStep(1);
    setFocusPolicy(Qt::StrongFocus);
}

void FocusableScrollBar::setMaximumFromZero(int max)
{
    // The minimum stays 0; a negative maximum would drag it along.
    setMaximum(std::max(0, max));
}

void FocusableScrollBar::keyPressEvent(QKeyEvent *event)
{
    offerCharacterKey(*this, event, isSignalConnected(QMetaMethod::fromSignal(&FocusableScrollBar::characterKey)),
                      [this](int &code) { emit characterKey(code); },
                      [this, event] { QScrollBar::keyPressEvent(event); }, AfterHandler::HandleIfFocused);
}

} // namespace brisquel
