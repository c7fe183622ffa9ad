#include "synth/ParamControl.h"
#include "synth/controllers/ControllerOutput.h"

#include <algorithm>

namespace korvel::veldro {

// Rises from -1 to +1, holds until the peak at 2 * phase = skew + 1, falls
// and holds -1 to the end of the cycle; clip shortens the ramps toward a
// square. x = skew, y = clip; the phase (state) advances with the glides.
double lfoOutput(const ParamControl& slot, double& state, const ControllerContext&)
{
    constexpr double MIN_RAMP = 0.05;
    const double s = std::clamp(slot.params[0].current + 1.0, 0.05, 1.95);
    const double c = 1.0 - slot.params[1].current;
    const double u = 2.0 * state;
    if (s > u) {
        const double d = std::max(c * s, MIN_RAMP);
        return d > u ? 2.0 * u / d - 1.0 : 1.0;
    }
    const double d = std::max((2.0 - s) * c, MIN_RAMP);
    const double q = u - s;
    return d > q ? 1.0 - 2.0 * q / d : -1.0;
}

} // namespace korvel::veldro
