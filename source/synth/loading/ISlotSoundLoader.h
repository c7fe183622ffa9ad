#pragma once

#include <cstdint>
#include <string>

namespace korvel::veldro {

// The sound loader as a patch recall sees it: a recall of a slot whose sound
// is not the current one hands the rest of the recall over.
class ISlotSoundLoader {
public:
    virtual ~ISlotSoundLoader() = default;

    // Makes path the current sound and then recalls slot with time and mask
    // (already resolved: no 128, no negative time): at once when the sound is
    // cached and ready, after a load when it is not cached yet, never when it
    // is cached but still loading or failed. Called on the editor thread, or
    // on the audio thread for a MIDI program change: there it never blocks.
    virtual void loadSlotSound(const std::wstring& path, int slot, double time, std::uint32_t mask) = 0;
};

} // namespace korvel::veldro
