#pragma once

class QWidget;

namespace brisquel {

// Shows a window modally and returns once it has been hidden (or closed or
// destroyed), like a modal Show of the old forms: other windows take no
// input meanwhile, timers and the tray go on.
void showModal(QWidget &window);

} // namespace brisquel
