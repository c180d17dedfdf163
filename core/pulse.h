#pragma once

#include <QtGlobal>

namespace brisquel {

// The colour pulse of the main window's glyph: a green level that climbs and
// falls between about 10 and 245, five steps a tick, red and blue dimming as
// green grows.
class GlyphPulse {
public:
    // One tick: turns at the ends of the range, returns the colour for the
    // current level (green the level, red and blue 128 minus half of it) as
    // red + 256 x green + 65536 x blue, then steps.
    qint32 tick();

private:
    int m_level = 120;
    int m_step = 5;
};

} // namespace brisquel
