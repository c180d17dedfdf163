#pragma once

#include "platform/screenmetrics.h"

namespace brisquel {

// The primary screen, read afresh on every call (screens come and go).
// Without any screen: 15 twips to a pixel and a size of zero.
class QtScreenMetrics final : public ScreenMetrics
{
public:
    double twipsPerPixelX() const override;
    double twipsPerPixelY() const override;
    int screenWidthTwips() const override;
    int screenHeightTwips() const override;
    QRect availableTwips() const override;
};

} // namespace brisquel
