#pragma once

#include "platform/screenmetrics.h"

namespace brisquel {

// A 96-dpi screen (15 twips to a pixel) of a fixed size, 1024 by 768 pixels
// unless told otherwise.
class FakeScreenMetrics final : public ScreenMetrics
{
public:
    FakeScreenMetrics() = default;
    FakeScreenMetrics(int widthPixels, int heightPixels)
        : widthTwips(widthPixels * 15)
        , heightTwips(heightPixels * 15)
    {
    }

    double twipsPerPixelX() const override { return 15.0; }
    double twipsPerPixelY() const override { return 15.0; }
    int screenWidthTwips() const override { return widthTwips; }
    int screenHeightTwips() const override { return heightTwips; }
    // The whole screen unless a panel is set to take part of it.
    QRect availableTwips() const override { return available.isNull() ? QRect(0, 0, widthTwips, heightTwips) : available; }

    int widthTwips = 1024 * 15;
    int heightTwips = 768 * 15;
    QRect available;
};

} // namespace brisquel
