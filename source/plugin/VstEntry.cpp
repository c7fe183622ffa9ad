#include "plugin/VstEntry.h"

namespace korvel {

AEffect* enterPlugin(audioMasterCallback audioMaster, EffectFactory create) noexcept {
    if (audioMaster == nullptr || audioMaster(nullptr, audioMasterVersion, 0, 0, nullptr, 0) == 0) return nullptr;
    try {
        AudioEffect* effect = create(audioMaster);
        return effect ? effect->getAeffect() : nullptr;
    } catch (...) {
        return nullptr;  // the host sees a failed load, never an exception
    }
}

}  // namespace korvel
