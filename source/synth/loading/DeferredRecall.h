#pragma once

#include <atomic>
#include <cstdint>

namespace korvel::veldro {

// A patch recall that the audio thread could not finish without waiting or
// allocating, with the request it serves; the next poll finishes it.
struct DeferredRecall {
    int slot = -1;
    double time = 0.0;
    std::uint32_t mask = 0;
    std::uint64_t request = 0;
};

// Hands the audio thread's latest deferred recall to the poll. Only the
// latest request can take effect, so a recall replaces one not taken yet:
// however many program changes come between two polls, none is refused.
// No lock, no allocation, and the writer never waits.
class DeferredRecallSlot {
public:
    // --- audio thread (one writer at a time)
    void put(const DeferredRecall& recall);

    // --- polling thread (one reader at a time)

    // The recall put last, once; false when none was put since the last take.
    bool take(DeferredRecall& out);

    // --- any thread

    // A recall waits to be taken.
    bool holdsRecall() const;

private:
    // Odd while put writes; the fields are read only between two equal even values.
    std::atomic<std::uint64_t> version{0};
    std::atomic<std::uint64_t> taken{0};
    std::atomic<int> slot{-1};
    std::atomic<double> time{0.0};
    std::atomic<std::uint32_t> mask{0};
    std::atomic<std::uint64_t> request{0};
};

} // namespace korvel::veldro
