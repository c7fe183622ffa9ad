#include "utility/WriterLock.h"

namespace korvel {

namespace {

// Spins this often before each yield: writers hold the lock for microseconds.
constexpr int SPINS_BEFORE_YIELD = 64;

} // namespace

void WriterLock::lock()
{
    for (int spins = 0; !try_lock(); ++spins)
        if (spins % SPINS_BEFORE_YIELD == SPINS_BEFORE_YIELD - 1)
            std::this_thread::yield();
}

bool WriterLock::try_lock()
{
    const std::thread::id self = std::this_thread::get_id();
    std::thread::id free{};
    if (owner.load(std::memory_order_relaxed) == self) {
        ++depth;
        return true;
    }
    if (!owner.compare_exchange_strong(free, self, std::memory_order_acquire, std::memory_order_relaxed))
        return false;
    depth = 1;
    return true;
}

void WriterLock::unlock()
{
    if (--depth == 0)
        owner.store(std::thread::id{}, std::memory_order_release);
}

} // namespace korvel
