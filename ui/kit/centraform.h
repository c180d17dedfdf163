#pragma once

namespace brisquel {

class ScreenMetrics;
class VbForm;

// Centres a window on the screen; a window larger than the screen gets a
// negative position.
void CentraForm(VbForm &form, const ScreenMetrics &metrics);

} // namespace brisquel
