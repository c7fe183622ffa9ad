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

const std::wstring& PatchRig::soundName() const { return sound->name(); }

} // namespace korvel::test
