#pragma once

#include "synth/ISynthParamListener.h"

#include <array>
#include <atomic>
#include <cstdint>
#include <thread>
#include <utility>
#include <vector>

namespace korvel::veldro {

// The listeners of one SynthParams by id, safe to notify from any thread
// while the editor thread changes them. Deliveries walk an immutable snapshot
// and never lock or allocate; a change publishes a new snapshot, and clear()
// waits until no other thread is still inside a listener, so the editor may
// destroy its views once it returns.
class SynthParamListeners {
public:
    SynthParamListeners();
    ~SynthParamListeners();
    SynthParamListeners(const SynthParamListeners&) = delete;
    SynthParamListeners& operator=(const SynthParamListeners&) = delete;

    // --- editor thread

    // Files the listener under its getId(), replacing one filed there before.
    void add(ISynthParamListener* listener);
    void clear();

    // --- any thread

    // Every listener whose mask shares a bit with flags, in id order.
    void notifyAll(std::uint32_t flags) const;
    // The listener filed at id or, failing that, the nearest one below it
    // (for id > 0), whatever its mask.
    void notifyOne(int id, std::uint32_t flags) const;

private:
    using Snapshot = std::vector<std::pair<int, ISynthParamListener*>>;
    class Delivery;

    // Deliveries tracked by thread, so that a listener that changes the
    // listeners of the registry notifying it does not wait for itself;
    // deliveries beyond these are counted but not tracked.
    static constexpr int TRACKED_DELIVERIES = 16;

    void publish(Snapshot* next);
    void freeRetired();
    int deliveriesOnThisThread() const;

    std::atomic<const Snapshot*> current;
    mutable std::atomic<int> readers{0};
    mutable std::array<std::atomic<std::thread::id>, TRACKED_DELIVERIES> delivering{};
    std::vector<const Snapshot*> retired;
};

} // namespace korvel::veldro
