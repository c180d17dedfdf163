#include "pulse.h"

#include <cmath>

namespace brisquel {

qint32 pulseTick(Module1 &state)
{
    if (state.Brillo < 11 || state.Brillo > 241)
        state.PasoBrillo = Integer(-state.PasoBrillo);
    // Halves go to the even neighbour (65.5 gives 66, 66.5 gives 66).
    const auto c = qint32(std::nearbyint(128.0 - state.Brillo / 2.0));
    const qint32 colour = c + 256 * qint32(state.Brillo) + 65536 * c;
    state.Brillo = Integer(state.Brillo + state.PasoBrillo);
    return colour;
}

} // namespace brisquel
