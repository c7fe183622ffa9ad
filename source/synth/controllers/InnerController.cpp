#include "audio/LoadState.h"
#include "audio/SoundPack.h"
#include "synth/ParamControl.h"
#include "synth/ParamTable.h"
#include "synth/SynthParamIds.h"
#include "synth/SynthParams.h"
#include "synth/controllers/ControllerOutput.h"

#include <algorithm>
#include <cmath>

namespace korvel::veldro {

namespace {

// Sources below this id (the sound range) give nothing.
constexpr int FIRST_SOURCE = param_id::PLAY_RATE;
constexpr int CUBIC_KIND = 3;

double playFraction(const SynthParams& params)
{
    const auto sound = params.getCurrentSound();
    if (!sound || sound->state() != audio::LoadState::READY || sound->frameCount() == 0)
        return 0.0;
    return double(params.getPlayPosition()) / double(sound->frameCount());
}

} // namespace

// Follows another parameter, x = its id: the play position as a fraction of
// the sound, the grain density, or any parameter 2..62 relative to its range.
double innerOutput(const ParamControl& slot, double&, const ControllerContext& context)
{
    const double source = slot.params[0].target;
    if (!(source >= FIRST_SOURCE && source < NOF_SYNTH_PARAMS))
        return 0.0;
    const int id = int(source);
    if (id == param_id::PLAY_POSITION)
        return playFraction(context.params);
    if (id == param_id::GRAIN_DENSITY)
        return std::clamp(0.5 * std::pow(context.params.getDensity(), 0.3), 0.0, 4.0);

    const ParamRange& range = getParamInfo(id).range;
    if (range.max == 0.0)
        return 0.0;
    double r = context.params.getParam(id).first / range.max;
    if (range.kind == CUBIC_KIND) {
        r = std::cbrt(r);
        if (range.max > 1000.0)
            r = std::cbrt(r);
    }
    return r;
}

} // namespace korvel::veldro
