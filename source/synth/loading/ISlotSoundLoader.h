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
    // (already resolved: no 128, no negative time), as request (the recall's
    // number, SynthParams::newRequest), and only while that request is the
    // latest: at once when the sound is cached and ready, after its load when
    // it is not cached yet or still loading, never when it failed. Called
    // holding the parameters' write lock, on the editor thread, or on the
    // audio thread for a MIDI program change: there it never blocks.
    virtual void loadSlotSound(const std::wstring& path, int slot, double time, std::uint32_t mask,
                               std::uint64_t request) = 0;
};

} // namespace korvel::veldro
