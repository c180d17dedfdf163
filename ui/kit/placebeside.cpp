#include "placebeside.h"

#include "platform/screenmetrics.h"
#include "twipswindow.h"

#include <QRectF>
#include <QWidget>

#include <algorithm>

namespace brisquel {

namespace {
double clamped(double value, double low, double high)
{
    return std::clamp(value, low, std::max(low, high));
}
} // namespace

void placeBeside(TwipsWindow &window, const QWidget &other, const ScreenMetrics &metrics)
{
    const double perPixelX = metrics.twipsPerPixelX();
    const double perPixelY = metrics.twipsPerPixelY();
    const QRect frame = other.frameGeometry();
    const QRectF avoid(frame.x() * perPixelX, frame.y() * perPixelY, frame.width() * perPixelX,
                       frame.height() * perPixelY);
    // Outer lengths, frame included, as setLeftTwips and setTopTwips place.
    const double width = window.widthTwips();
    const double height = window.heightTwips();
    const QRectF area = metrics.availableTwips();

    const double besideTop = clamped(avoid.top(), area.top(), area.top() + area.height() - height);
    const double aboveOrBelowLeft = clamped(avoid.left(), area.left(), area.left() + area.width() - width);
    double left = 0;
    double top = 0;
    if (avoid.left() + avoid.width() + width <= area.left() + area.width()) {
        left = avoid.left() + avoid.width();
        top = besideTop;
    } else if (avoid.left() - width >= area.left()) {
        left = avoid.left() - width;
        top = besideTop;
    } else if (avoid.top() + avoid.height() + height <= area.top() + area.height()) {
        left = aboveOrBelowLeft;
        top = avoid.top() + avoid.height();
    } else if (avoid.top() - height >= area.top()) {
        left = aboveOrBelowLeft;
        top = avoid.top() - height;
    } else {
        // Against the edge of the roomier side: covering as little as may be.
        const double roomRight = area.left() + area.width() - (avoid.left() + avoid.width());
        const double roomLeft = avoid.left() - area.left();
        left = roomRight >= roomLeft ? area.left() + area.width() - width : area.left();
        top = besideTop;
    }
    window.setLeftTwips(left);
    window.setTopTwips(top);
}

} // namespace brisquel
