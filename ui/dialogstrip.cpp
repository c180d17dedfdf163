#include "dialogstrip.h"

#include <QGroupBox>

namespace brisquel {

DialogStrip::DialogStrip(const ScreenMetrics &metrics, const QString &frameCaption)
    : TwipsWindow(metrics)
{
    // A dialog, so that the window manager knows it belongs to the window it
    // is shown over (WM_TRANSIENT_FOR): it keeps it above that window and lets
    // it take the focus from it.
    setWindowFlags(Qt::Dialog | Qt::FramelessWindowHint);
    frame = declare(new QGroupBox(frameCaption, this), "frame", {60, 0, 5115, 795});
    // Without a title bar the strip has no title: a screen reader names it
    // by its frame.
    setAccessibleName(frameCaption);
}

void DialogStrip::setStripSize()
{
    setHeightTwips(975);
    setWidthTwips(5370);
}

void DialogStrip::onSizeOrStateChanged()
{
    setStripSize();
}

} // namespace brisquel
