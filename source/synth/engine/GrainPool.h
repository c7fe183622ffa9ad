#pragma once

#include "synth/Grain.h"

#include <cstddef>
#include <deque>

namespace korvel::veldro {

// The engine's grain records with two intrusive singly linked lists: the
// playing grains (newest first) and the idle ones. Every record is on exactly
// one list. resize: set-up thread while the audio thread is stopped; the
// rest: audio thread, without allocation.
class GrainPool {
public:
    GrainPool() = default;
    GrainPool(const GrainPool&) = delete;
    GrainPool& operator=(const GrainPool&) = delete;

    // Grows to n records (never shrinks) and relinks the idle ones in pool order.
    void resize(std::size_t n);
    std::size_t size() const { return records.size(); }
    int activeCount() const { return active; }
    const Grain* newest() const { return activeHead; }

    // An idle record taken off the free list, or null when none is left.
    Grain* takeFree();
    // Puts a record taken by takeFree at the head of the playing list.
    void activate(Grain* grain);

    // Calls play(grain) for every playing grain from the head; a grain that
    // is idle afterwards goes back to the free list after finished(grain).
    template <typename Play, typename Finished>
    void forEachActive(Play play, Finished finished)
    {
        Grain** link = &activeHead;
        while (Grain* grain = *link) {
            play(*grain);
            if (!grain->isIdle()) {
                link = &grain->next;
                continue;
            }
            *link = grain->next;
            finished(*grain);
            grain->next = freeHead;
            freeHead = grain;
            --active;
        }
    }

private:
    std::deque<Grain> records; // stable addresses
    Grain* activeHead = nullptr;
    Grain* freeHead = nullptr;
    int active = 0;
};

} // namespace korvel::veldro
