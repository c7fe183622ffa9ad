#include "PatchSamples.h"

#include "synth/ControllerKinds.h"
#include "synth/ParamTable.h"
#include "synth/SynthParamIds.h"

#include <string>

namespace korvel::patch_test {
namespace {

using namespace veldro;

constexpr std::uint32_t INNER = 6;
// Settings that each kind's slot form names (by type).
constexpr int NAMED_SETTINGS[] = {0, 2, 2, 3, 2, 1, 1};

double inside(double min, double max, double share)
{
    return min + share * (max - min);
}

ControlPatch controllerFor(int variant)
{
    const std::uint32_t type = static_cast<std::uint32_t>(variant % INNER) + 1;
    ControlPatch controller{type, 0.5 - 0.1 * (variant % 7), {}};
    if (type == INNER) {
        controller.params[0] = variant % 2 == 0 ? param_id::GRAIN_RATE : 56;
        return controller;
    }
    for (int i = 0; i < NAMED_SETTINGS[type]; ++i) {
        const ScaledRange& range = getControllerParamRange(static_cast<int>(type), FIELD_X + i);
        controller.params[i] = inside(range.min, range.max, 0.25 + 0.05 * (variant % 5));
    }
    return controller;
}

void setEnvelope(Patch& slot, int first, int variant)
{
    for (int id = first; id < first + 15; ++id)
        slot.params[id].value = getParamInfo(id).range.default_value;
    slot.params[first + 3].value = 20.0 + variant; // point 1 delta
    const double sustain = 0.6 - 0.01 * (variant % 10);
    slot.params[first + 7].value = sustain; // point 2 and 3 levels are one
    slot.params[first + 10].value = sustain;
}

} // namespace

Patch fullSlot(int variant)
{
    Patch slot;
    int controlled = variant;
    for (const auto& [id, info] : paramTable()) {
        if (id >= param_id::ADSR1_FIRST)
            break;
        if (info.flags != 0 && id != param_id::PLAY_POSITION)
            slot.params[id].value = inside(info.range.min, info.range.max, 0.3 + 0.01 * (variant % 20));
        for (int i = 0; i < info.nof_controls; ++i)
            slot.params[id].controls[i] = controllerFor(controlled++);
    }
    slot.params[param_id::SOUND_START].value = 44100.0 + variant;
    slot.params[param_id::SOUND_END].value = 441000.0 + variant;
    setEnvelope(slot, param_id::ADSR1_FIRST, variant);
    setEnvelope(slot, param_id::ADSR2_FIRST, variant + 3);
    slot.params[Patch::TIMESTAMP].value = 1700000000.0 + variant;
    slot.soundfile = L"/sounds/d\u00e9j\u00e0 \U0001F3B5 " + std::to_wstring(variant) + L".wav";
    return slot;
}

} // namespace korvel::patch_test
