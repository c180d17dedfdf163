#include "centeronscreen.h"

#include "platform/screenmetrics.h"
#include "twipswindow.h"

namespace brisquel {

void centerOnScreen(TwipsWindow &window, const ScreenMetrics &metrics)
{
    const float left = (float(metrics.screenWidthTwips()) - float(window.widthTwips())) / 2.0f;
    window.setLeftTwips(left);
    const float top = (float(metrics.screenHeightTwips()) - float(window.heightTwips())) / 2.0f;
    window.setTopTwips(top);
}

} // namespace brisquel
