#include "synth/loading/LoadPool.h"

#include <algorithm>
#include <utility>

namespace korvel::veldro {

namespace {

// Loads read and analyse whole files: a handful at once keeps the disk and
// the memory busy enough.
constexpr std::size_t MAX_LOAD_THREADS = 4;

} // namespace

std::size_t LoadPool::defaultLimit()
{
    return std::clamp<std::size_t>(std::thread::hardware_concurrency(), 1, MAX_LOAD_THREADS);
}

LoadPool::LoadPool(std::size_t limit) : maxThreads(std::max<std::size_t>(limit, 1)) {}

LoadPool::~LoadPool()
{
    std::deque<Job> dropped;
    {
        const std::lock_guard guard(lock);
        stopping = true;
        dropped.swap(queue);
    }
    wake.notify_all();
    // Before the running jobs end: what the dropped ones hold may be what those wait for.
    dropped.clear();
    for (std::thread& thread : threads)
        thread.join();
}

void LoadPool::submit(Job job)
{
    {
        const std::lock_guard guard(lock);
        queue.push_back(std::move(job));
        if (queue.size() > idle && threads.size() < maxThreads) {
            try {
                threads.emplace_back([this] { run(); });
            } catch (...) {
                // The threads already there take the job up in time; without any, nothing would.
                if (threads.empty()) {
                    queue.pop_back();
                    throw;
                }
            }
        }
    }
    wake.notify_one();
}

void LoadPool::run()
{
    std::unique_lock guard(lock);
    for (;;) {
        ++idle;
        wake.wait(guard, [this] { return stopping || !queue.empty(); });
        --idle;
        if (stopping)
            return;
        Job job = std::move(queue.front());
        queue.pop_front();
        guard.unlock();
        job();
        // The job's captures go before the next wait, not while the pool sleeps.
        job = nullptr;
        guard.lock();
    }
}

} // namespace korvel::veldro
