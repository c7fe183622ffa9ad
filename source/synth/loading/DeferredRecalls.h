#pragma once

#include <array>
#include <atomic>
#include <cstddef>
#include <cstdint>

namespace korvel::veldro {

// A patch recall that the audio thread could not finish without waiting or
// allocating; the next poll on the editor thread runs it again.
struct DeferredRecall {
    int slot = -1;
    double time = 0.0;
    std::uint32_t mask = 0;
};

// A fixed ring with one producer (the audio thread) and one consumer (the
// editor thread's poll); no lock, no allocation.
class DeferredRecalls {
public:
    static constexpr std::size_t CAPACITY = 16;

    // --- audio thread
    // False when the ring is full: the recall is dropped.
    bool push(const DeferredRecall& recall);

    // --- editor thread
    bool pop(DeferredRecall& out);

private:
    std::array<DeferredRecall, CAPACITY> items{};
    std::atomic<std::size_t> written{0};
    std::atomic<std::size_t> read{0};
};

} // namespace korvel::veldro
