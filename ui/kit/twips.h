#pragma once

class QWidget;

namespace brisquel {

class ScreenMetrics;

// Window lengths are kept in twips (1/1440 inch); the screen says how many
// of them make one pixel (15 at 96 dots per inch, fewer on denser screens).
int twipsToPixels(double twips, double twipsPerPixel);
double pixelsToTwips(int pixels, double twipsPerPixel);

// Places a control inside its container (a window's client area or a frame),
// all four lengths in twips.
void placeTwips(QWidget *widget, int left, int top, int width, int height,
                const ScreenMetrics &metrics);

} // namespace brisquel
