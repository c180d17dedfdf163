#pragma once

#include "platform/screenmetrics.h"

namespace brisquel {

// A 96-dpi screen (15 twips to a pixel) of a fixed size, 1024 by 768 pixels
// unless told otherwise; or one of that size and another density.
class FakeScreenMetrics final : public ScreenMetrics
{
public:
    FakeScreenMetrics() = default;
    FakeScreenMetrics(int widthPixels, int heightPixels)
        : widthTwips(widthPixels * 15)
        , heightTwips(heightPixels * 15)
    {
    }
    explicit FakeScreenMetrics(double density)
        : twipsPerPixel(density)
        , widthTwips(int(1024 * density))
        , heightTwips(int(768 * density))
    {
    }

    double twipsPerPixelX() const override { return twipsPerPixel; }
    double twipsPerPixelY() const override { return twipsPerPixel; }
    int screenWidthTwips() const override { return widthTwips; }
    int screenHeightTwips() const override { return heightTwips; }
    // The whole screen unless a panel is set to take part of it.
    QRect availableTwips() const override { return available.isNull() ? QRect(0, 0, widthTwips, heightTwips) : available; }

    double twipsPerPixel = 15.0;
    int widthTwips = 1024 * 15;
    int heightTwips = 768 * 15;
    QRect available;
};

} // namespace brisquel
