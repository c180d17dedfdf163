#pragma once

namespace brisquel {

class ScreenMetrics;
class TwipsWindow;

// Centres a window on the screen; a window larger than the screen gets a
// negative position.
void centerOnScreen(TwipsWindow &window, const ScreenMetrics &metrics);

} // namespace brisquel
