#include "synth/dsp/Distortion.h"

#include "synth/dsp/DistortionPair.h"
#include "synth/dsp/Lanes.h"

#include <algorithm>

namespace korvel::veldro {

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
