#include "synth/engine/SoundHandover.h"

#include "audio/SoundPack.h"

namespace korvel::veldro {

SoundHandover::SoundHandover(std::size_t maxGrains)
    : slotCount(maxGrains + SLOTS_BESIDES_GRAINS), slots(std::make_unique<SoundSlot[]>(slotCount))
{
}

bool SoundHandover::publish(std::shared_ptr<const audio::SoundPack> pack, bool onAudioThread)
{
    recycle(onAudioThread);
    SoundSlot* slot = claimFreeSlot();
    if (!slot)
        return false;
    slot->sound = std::move(pack);
    slot->grains = 0;
    slot->state.store(SoundSlot::IN_USE);
    // A post the audio thread has not taken up yet is passed over.
    if (SoundSlot* skipped = pending.exchange(slot))
        skipped->state.store(SoundSlot::DONE);
    return true;
}

SoundSlot* SoundHandover::claimFreeSlot()
{
    for (std::size_t i = 0; i < slotCount; ++i) {
        SoundSlot& slot = slots[i];
        int expected = SoundSlot::FREE;
        if (slot.state.compare_exchange_strong(expected, SoundSlot::FILLING))
            return &slot;
    }
    return nullptr;
}

void SoundHandover::recycle(bool onAudioThread)
{
    for (std::size_t i = 0; i < slotCount; ++i) {
        SoundSlot& slot = slots[i];
        if (slot.state.load(std::memory_order_relaxed) != SoundSlot::DONE)
            continue;
        // Publishers on two threads (the editor's poll and a program change
        // on the audio thread) recycle at once: only the one that claims the
        // slot may empty it.
        int expected = SoundSlot::DONE;
        if (!slot.state.compare_exchange_strong(expected, SoundSlot::RECYCLING))
            continue;
        const bool keep = slot.readers.load() != 0 || (onAudioThread && slot.sound.use_count() < 2);
        if (!keep)
            slot.sound.reset();
        slot.state.store(keep ? SoundSlot::DONE : SoundSlot::FREE);
    }
}

template <typename Read>
auto SoundHandover::readLatest(Read read) const
{
    for (;;) {
        SoundSlot* slot = pending.load();
        if (!slot)
            slot = playing.load();
        if (!slot)
            return read(nullptr);
        // Announce the read, then check that the slot is still in use: a
        // recycler that empties it afterwards sees the announcement first.
        slot->readers.fetch_add(1);
        if (slot->state.load() == SoundSlot::IN_USE) {
            auto result = read(slot->sound.get() ? &slot->sound : nullptr);
            slot->readers.fetch_sub(1);
            return result;
        }
        slot->readers.fetch_sub(1);
    }
}

std::shared_ptr<const audio::SoundPack> SoundHandover::latestSound() const
{
    return readLatest([](const std::shared_ptr<const audio::SoundPack>* sound) {
        return sound ? *sound : std::shared_ptr<const audio::SoundPack>();
    });
}

int SoundHandover::latestState() const
{
    return readLatest([](const std::shared_ptr<const audio::SoundPack>* sound) {
        return sound ? (*sound)->state() : -1;
    });
}

bool SoundHandover::takeUp()
{
    SoundSlot* next = pending.exchange(nullptr);
    if (!next)
        return false;
    SoundSlot* previous = playing.exchange(next);
    if (previous && previous->grains == 0)
        previous->state.store(SoundSlot::DONE);
    return true;
}

const audio::SoundPack* SoundHandover::current() const
{
    const SoundSlot* slot = playing.load(std::memory_order_relaxed);
    return slot ? slot->sound.get() : nullptr;
}

std::shared_ptr<const audio::SoundPack> SoundHandover::currentShared() const
{
    const SoundSlot* slot = playing.load(std::memory_order_relaxed);
    return slot ? slot->sound : nullptr;
}

SoundSlot* SoundHandover::addGrain()
{
    SoundSlot* slot = playing.load(std::memory_order_relaxed);
    ++slot->grains;
    return slot;
}

void SoundHandover::removeGrain(SoundSlot* slot)
{
    if (--slot->grains == 0 && slot != playing.load(std::memory_order_relaxed))
        slot->state.store(SoundSlot::DONE);
}

} // namespace korvel::veldro
