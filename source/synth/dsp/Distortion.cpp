#include "synth/dsp/Distortion.h"

#include "synth/dsp/Shaping.h"

#include <algorithm>
#include <cmath>
#include <numbers>

namespace korvel::veldro {

double Waveshaper::shape(double x) const
{
    const double y = drive * x;
    if (drive < 0.0)
        return std::sin(0.5 * std::numbers::pi * y);
    const double a = std::fabs(y);
    if (a <= 0.9)
        return y;
    const double bent = a < 1.0 ? smoothstep(a, 0.8, 1.0) : 1.0;
    return x < 0.0 ? -bent : bent;
}

void Distortion::setTone(double t)
{
    tone = std::clamp(t + 0.5, 0.5, 1.0);
    toneStateL = 0.0;
    toneStateR = 0.0;
}

void Distortion::processBlock(double* l, double* r, int count)
{
    if (shaper.drive != 0.0) {
        for (int i = 0; i < count; ++i) {
            const double shapedL = shaper.shape(l[i]);
            r[i] = r[i] == l[i] ? shapedL : shaper.shape(r[i]);
            l[i] = shapedL;
        }
    }
    if (left.isOn())
        Crusher::tickStereo(left, right, l, r, count);
    if (tone < 1.0) {
        for (int i = 0; i < count; ++i) {
            toneStateL = tone * l[i] + (1.0 - tone) * toneStateL;
            toneStateR = tone * r[i] + (1.0 - tone) * toneStateR;
            l[i] = toneStateL;
            r[i] = toneStateR;
        }
    }
}

} // namespace korvel::veldro
