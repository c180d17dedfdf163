#pragma once

#include "appstate.h"

namespace brisquel {

// One tick of the glyph's colour pulse: turns at the ends of the range,
// returns the colour for the current level (green the level, red and blue
// 128 minus half of it) as red + 256 x green + 65536 x blue, then steps.
qint32 pulseTick(AppState &state);

} // namespace brisquel
