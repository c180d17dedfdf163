#include "qtscreenmetrics.h"

#include <QGuiApplication>
#include <QScreen>

#include <cmath>

namespace brisquel {

namespace {

constexpr double kTwipsPerInch = 1440.0;
constexpr double kFallbackTwipsPerPixel = 15.0; // 96 dots per inch

double twipsPerPixel(qreal logicalDpi)
{
    return logicalDpi > 0 ? kTwipsPerInch / logicalDpi : kFallbackTwipsPerPixel;
}

const QScreen *primary()
{
    return qGuiApp != nullptr ? QGuiApplication::primaryScreen() : nullptr;
}

} // namespace

double QtScreenMetrics::twipsPerPixelX() const
{
    const QScreen *screen = primary();
    return screen ? twipsPerPixel(screen->logicalDotsPerInchX()) : kFallbackTwipsPerPixel;
}

double QtScreenMetrics::twipsPerPixelY() const
{
    const QScreen *screen = primary();
    return screen ? twipsPerPixel(screen->logicalDotsPerInchY()) : kFallbackTwipsPerPixel;
}

int QtScreenMetrics::screenWidthTwips() const
{
    const QScreen *screen = primary();
    return screen ? static_cast<int>(std::lround(screen->size().width() * twipsPerPixelX())) : 0;
}

int QtScreenMetrics::screenHeightTwips() const
{
    const QScreen *screen = primary();
    return screen ? static_cast<int>(std::lround(screen->size().height() * twipsPerPixelY())) : 0;
}

QRect QtScreenMetrics::availableTwips() const
{
    const QScreen *screen = primary();
    if (screen == nullptr)
        return {};
    const QRect area = screen->availableGeometry();
    const double tx = twipsPerPixelX();
    const double ty = twipsPerPixelY();
    return {int(std::lround(area.x() * tx)), int(std::lround(area.y() * ty)), int(std::lround(area.width() * tx)),
            int(std::lround(area.height() * ty))};
}

} // namespace brisquel
