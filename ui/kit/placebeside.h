#pragma once

class QWidget;

namespace brisquel {

class ScreenMetrics;
class TwipsWindow;

// Places `window` beside `other`, a window on screen, within what the
// desktop's panels leave free: to its right, else to its left, below it,
// above it; against the screen's edge on the roomier side when no side has
// room. A window that appears by itself so leaves in sight the one the user
// is working in.
void placeBeside(TwipsWindow &window, const QWidget &other, const ScreenMetrics &metrics);

} // namespace brisquel
