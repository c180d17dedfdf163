#pragma once

#include <QRect>

namespace brisquel {

// The screen in twips (1/1440 inch), the unit every window length is
// given in.
class ScreenMetrics
{
public:
    virtual ~ScreenMetrics() = default;
    virtual double twipsPerPixelX() const = 0;
    virtual double twipsPerPixelY() const = 0;
    virtual int screenWidthTwips() const = 0;
    virtual int screenHeightTwips() const = 0;
    // The part of the screen the desktop's panels leave to windows.
    virtual QRect availableTwips() const = 0;
};

} // namespace brisquel
