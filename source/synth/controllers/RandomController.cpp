#include "synth/ParamControl.h"
#include "synth/controllers/ControllerOutput.h"
#include "synth/controllers/RandomSource.h"

#include <algorithm>
#include <cmath>

namespace korvel::veldro {

// x = walk (0 fresh noise each time, 1 a slow walk), y = spread (0.5 uniform,
// 1 mostly normal, 0 pushed toward -1 and +1).
double randomOutput(const ParamControl& slot, double& state, const ControllerContext& context)
{
    const double walk = std::clamp<double>(slot.params[0].current, 0.0, 1.0);
    const double spread = std::clamp<double>(slot.params[1].current, 0.0, 1.0);
    const double s = std::clamp(2.0 * spread - 1.0, -1.0, 1.0);
    const double a = std::abs(s);

    double u = context.random.uniform();
    double v = u;
    if (a >= 0.02) {
        double g = std::clamp(context.random.normal(), -1.0, 1.0);
        if ((g < 0.0) != (u < 0.0)) {
            if (a > 0.5)
                g = -g;
            else
                u = -u;
        }
        v = (1.0 - a) * u + a * g;
        if (s < 0.0)
            v = (v > 0.0 ? 1.0 : -1.0) - v;
    }
    const double memory = std::isfinite(state) ? std::clamp(walk * state, -1.0, 1.0) : 0.0;
    const double out = (1.0 - 0.97 * walk) * v + memory;
    state = out;
    return out;
}

} // namespace korvel::veldro
