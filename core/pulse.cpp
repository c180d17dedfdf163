#include "pulse.h"

#include "storedcolor.h"

#include <cmath>

namespace brisquel {

qint32 GlyphPulse::tick()
{
    if (m_level < 11 || m_level > 241)
        m_step = -m_step;
    // Halves go to the even neighbour (65.5 gives 66, 66.5 gives 66).
    const auto c = int(std::nearbyint(128.0 - m_level / 2.0));
    const qint32 colour = storedRgb(c, m_level, c);
    m_level += m_step;
    return colour;
}

} // namespace brisquel
