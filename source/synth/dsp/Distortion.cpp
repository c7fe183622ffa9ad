#include "synth/dsp/Distortion.h"

#include "synth/dsp/DistortionPair.h"
#include "synth/dsp/Lanes.h"
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

void Distortion::process(double& l, double& r)
{
    DistortionPair pair(*this);
    __m128d frame = lanes::pairOf(l, r);
    pair.shape(&frame, 1);
    lanes::split(pair.process(frame), l, r);
    pair.store();
}

} // namespace korvel::veldro
