#include "synth/loading/DeferredRecall.h"

#include <thread>

namespace korvel::veldro {

void DeferredRecallSlot::put(const DeferredRecall& recall)
{
    const std::uint64_t v = version.load(std::memory_order_relaxed);
    version.store(v + 1, std::memory_order_relaxed);
    std::atomic_thread_fence(std::memory_order_release);
    slot.store(recall.slot, std::memory_order_relaxed);
    time.store(recall.time, std::memory_order_relaxed);
    mask.store(recall.mask, std::memory_order_relaxed);
    request.store(recall.request, std::memory_order_relaxed);
    version.store(v + 2, std::memory_order_release);
}

bool DeferredRecallSlot::take(DeferredRecall& out)
{
    for (;;) {
        const std::uint64_t v = version.load(std::memory_order_acquire);
        if (v == taken.load(std::memory_order_relaxed))
            return false;
        if (v % 2 != 0) {
            // The audio thread is between two stores: a moment.
            std::this_thread::yield();
            continue;
        }
        const DeferredRecall read{slot.load(std::memory_order_relaxed), time.load(std::memory_order_relaxed),
                                  mask.load(std::memory_order_relaxed), request.load(std::memory_order_relaxed)};
        std::atomic_thread_fence(std::memory_order_acquire);
        if (version.load(std::memory_order_relaxed) != v)
            continue;
        taken.store(v, std::memory_order_release);
        out = read;
        return true;
    }
}

bool DeferredRecallSlot::holdsRecall() const
{
    return version.load(std::memory_order_acquire) != taken.load(std::memory_order_acquire);
}

} // namespace korvel::veldro
