#include "dialogstrip.h"

#include <QGroupBox>

namespace brisquel {

DialogStrip::DialogStrip(const ScreenMetrics &metrics, const QString &frameCaption)
    : VbForm(metrics)
{
    setWindowFlags(Qt::Window | Qt::FramelessWindowHint);
    Frame1 = new QGroupBox(frameCaption, this);
    place(Frame1, 60, 0, 5115, 795);
}

void DialogStrip::setStripSize()
{
    setHeight(975);
    setWidth(5370);
}

void DialogStrip::Form_Resize()
{
    setStripSize();
}

} // namespace brisquel
