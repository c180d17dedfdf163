#include "pulse.h"

#include <cmath>

namespace brisquel {

qint32 pulseTick(AppState &state)
{
    if (state.glyphLevel < 11 || state.glyphLevel > 241)
        state.glyphStep = Integer(-state.glyphStep);
    // Halves go to the even neighbour (65.5 gives 66, 66.5 gives 66).
    const auto c = qint32(std::nearbyint(128.0 - state.glyphLevel / 2.0));
    const qint32 colour = c + 256 * qint32(state.glyphLevel) + 65536 * c;
    state.glyphLevel = Integer(state.glyphLevel + state.glyphStep);
    return colour;
}

} // namespace brisquel
