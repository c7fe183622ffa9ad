#include "synth/patches/PatchRig.h"

#include "audio/SoundPack.h"
#include "synth/controllers/TestSound.h"

namespace korvel::test {

PatchRig::PatchRig() : sound(loadMonoSound(dir, std::vector<double>(SOUND_FRAMES, 0.25)))
{
    rig.params.setPatchCount(130);
    rig.params.setSoundLoader(&loader);
    rig.params.addListener(&listener);
}

void PatchRig::setNonDefaults()
{
    using namespace patch_ids;
    set(GRAIN_RATE, 80.0);
    set(FILTER_FREQ, 3000.0);
    set(ENVELOPE_LEVEL, 0.7);
    set(RATE_CONTROL_TYPE, LFO);
    set(RATE_CONTROL_AMOUNT, 0.5);
    set(CHANGE_TIME, 5.0);
}

const std::wstring& PatchRig::soundName() const { return sound->name(); }

} // namespace korvel::test
