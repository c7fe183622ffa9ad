#include "StateBuilder.h"

#include "patch/StateText.h"
#include "synth/Synth.h"
#include "utility/Utf8.h"

#include <stdexcept>

namespace korvel::host {

std::string makeState(const std::vector<StoredSlot>& slots) {
    veldro::Synth synth;
    veldro::SynthParams& params = synth.getParams();
    params.setPatchCount(PATCH_SLOTS);
    for (const StoredSlot& stored : slots) {
        if (stored.slot < 0 || static_cast<std::size_t>(stored.slot) >= PATCH_SLOTS)
            throw std::invalid_argument("no patch slot " + std::to_string(stored.slot));
        params.resetToDefaults(0.0, veldro::MASK_ALL_BUT_GLOBALS);
        for (const auto& [name, value] : stored.values) {
            const veldro::ParamInfo& info = veldro::getParamInfoByName(std::wstring(name.begin(), name.end()));
            if (info.id < 0) throw std::invalid_argument("no parameter named " + name);
            params.setParamImmediate(info.id, value);
        }
        // Without a current sound, storing keeps the name already in the slot. The loader reads
        // the name as UTF-8 whatever the process locale, so it is widened the same way.
        params.editPatch(stored.slot).soundfile = utf8::widen(stored.sound.string());
        params.storePatch(stored.slot, false, veldro::MASK_ALL);
    }
    return veldro::serialize(params);
}

}  // namespace korvel::host
