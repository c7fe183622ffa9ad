#pragma once

#include <atomic>
#include <cstddef>
#include <memory>

namespace audio {
class SoundPack;
}

namespace korvel::veldro {

// One sound on its way to the audio thread or in use there. The slot owns a
// reference to the sound; the audio thread only borrows it, so it never
// drops the last reference itself.
struct SoundSlot {
    enum State : int { FREE, FILLING, IN_USE, DONE, RECYCLING };

    std::shared_ptr<const audio::SoundPack> sound;
    std::atomic<int> state{FREE};
    // Threads copying `sound` right now; a slot is emptied only when none are.
    mutable std::atomic<int> readers{0};
    // Audio thread: active grains that read this sound.
    int grains = 0;
};

// Hands sounds from any thread to the audio thread without a lock on either
// side. A publisher fills a free slot and posts it; the audio thread takes up
// the newest post at a block boundary and marks a slot done once it no longer
// plays it and no grain reads it. Done slots are emptied by later publishers:
// off the audio thread every one, on it only those whose sound has another
// owner (the sound cache), so the audio thread never releases a sound.
//
// Sized so that it cannot run out: every grain may hold a sound of its own,
// besides the one playing and the one posted.
class SoundHandover {
public:
    // Slots beyond one per grain: the playing sound and the posted one.
    static constexpr std::size_t SLOTS_BESIDES_GRAINS = 2;

    explicit SoundHandover(std::size_t maxGrains);
    SoundHandover(const SoundHandover&) = delete;
    SoundHandover& operator=(const SoundHandover&) = delete;

    // --- any thread

    // Posts pack for the audio thread. False when no slot is free, which
    // more grains than the handover was made for would need.
    bool publish(std::shared_ptr<const audio::SoundPack> pack, bool onAudioThread);
    // The sound posted last, taken up or not; null before the first post.
    std::shared_ptr<const audio::SoundPack> latestSound() const;
    // Load state of that sound; -1 without one.
    int latestState() const;

    // --- audio thread

    // Takes up the newest post; true when the played sound changed.
    bool takeUp();
    // The sound being played; null before the first take-up.
    const audio::SoundPack* current() const;
    std::shared_ptr<const audio::SoundPack> currentShared() const;
    // A grain starts reading the current sound (which must exist) or stops
    // reading the sound of its slot.
    SoundSlot* addGrain();
    void removeGrain(SoundSlot* slot);

private:
    SoundSlot* claimFreeSlot();
    void recycle(bool onAudioThread);
    template <typename Read>
    auto readLatest(Read read) const;

    std::size_t slotCount;
    std::unique_ptr<SoundSlot[]> slots;
    std::atomic<SoundSlot*> pending{nullptr};
    std::atomic<SoundSlot*> playing{nullptr}; // written by the audio thread only
};

} // namespace korvel::veldro
