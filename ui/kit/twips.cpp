#include "twips.h"

#include "platform/screenmetrics.h"

#include <QWidget>

#include <algorithm>
#include <cmath>

namespace brisquel {

namespace {
// A screen that reports nothing sensible is taken as the classic 96 dpi one.
constexpr double kFallbackTwipsPerPixel = 15.0;

double usable(double twipsPerPixel)
{
    return (twipsPerPixel > 0.0 && std::isfinite(twipsPerPixel)) ? twipsPerPixel
                                                                  : kFallbackTwipsPerPixel;
}
} // namespace

int twipsToPixels(double twips, double twipsPerPixel)
{
    const double pixels = std::round(twips / usable(twipsPerPixel));
    if (!std::isfinite(pixels))
        return 0;
    return int(std::clamp(pixels, -1.0e9, 1.0e9));
}

double pixelsToTwips(int pixels, double twipsPerPixel)
{
    return double(pixels) * usable(twipsPerPixel);
}

void placeTwips(QWidget *widget, int left, int top, int width, int height,
                const ScreenMetrics &metrics)
{
    const double tx = metrics.twipsPerPixelX();
    const double ty = metrics.twipsPerPixelY();
    widget->setGeometry(twipsToPixels(left, tx), twipsToPixels(top, ty),
                        twipsToPixels(width, tx), twipsToPixels(height, ty));
}

} // namespace brisquel
