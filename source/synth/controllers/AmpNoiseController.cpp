#include "audio/LoadState.h"
#include "audio/SoundPack.h"
#include "synth/ISynthEngine.h"
#include "synth/ParamControl.h"
#include "synth/SynthParams.h"
#include "synth/controllers/ControllerOutput.h"
#include "synth/dsp/Shaping.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace korvel::veldro {

namespace {

// Offsets beyond this many frames either way are milliseconds.
constexpr double MAX_FRAME_OFFSET = 10.0;

// The track's value at frame position, interpolated between neighbours.
double trackValue(const audio::ValueTrack& track, double position)
{
    const double t = position * track.step;
    const auto i = std::int32_t(t);
    const double f = t - i;
    const double here = track.valueAt(i);
    return f != 0.0 ? (1.0 - f) * here + f * track.valueAt(i + 1) : here;
}

} // namespace

// The sound's own loudness and noisiness at the play head: x = offset (frames,
// or ms beyond +-10), y = mix (0 noisiness .. 1 amplitude).
double ampNoiseOutput(const ParamControl& slot, double&, const ControllerContext& context)
{
    const auto sound = context.params.getCurrentSound();
    if (!sound || sound->state() != audio::LoadState::READY)
        return 0.0;
    const auto& amplitude = sound->amplitude();
    const auto& noisiness = sound->noisiness();
    const auto frames = double(sound->frameCount());
    if (amplitude.values.size() < 2 || noisiness.values.size() < 2 || frames <= 0.0)
        return 0.0;

    double offset = slot.params[0].current;
    if (offset < -MAX_FRAME_OFFSET || offset > MAX_FRAME_OFFSET)
        offset = context.params.engine().getSampleRate() * offset * 0.001;
    const double position = wrapPosition(double(context.params.getPlayPosition()) + offset, frames);

    const double mix = std::clamp<double>(slot.params[1].current, 0.0, 1.0);
    const double v = (1.0 - mix) * trackValue(noisiness, position) + mix * trackValue(amplitude, position);
    return v != 0.0 ? std::sqrt(v) : 0.0;
}

} // namespace korvel::veldro
