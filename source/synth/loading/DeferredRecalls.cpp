#include "synth/loading/DeferredRecalls.h"

namespace korvel::veldro {

bool DeferredRecalls::push(const DeferredRecall& recall)
{
    const std::size_t w = written.load(std::memory_order_relaxed);
    if (w - read.load(std::memory_order_acquire) == CAPACITY)
        return false;
    items[w % CAPACITY] = recall;
    written.store(w + 1, std::memory_order_release);
    return true;
}

bool DeferredRecalls::pop(DeferredRecall& out)
{
    const std::size_t r = read.load(std::memory_order_relaxed);
    if (r == written.load(std::memory_order_acquire))
        return false;
    out = items[r % CAPACITY];
    read.store(r + 1, std::memory_order_release);
    return true;
}

} // namespace korvel::veldro
