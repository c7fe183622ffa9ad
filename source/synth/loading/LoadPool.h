#pragma once

#include <condition_variable>
#include <cstddef>
#include <deque>
#include <functional>
#include <mutex>
#include <thread>
#include <vector>

namespace korvel::veldro {

// A few threads that run sound loads one after another from a queue, so that
// a storm of requests never holds more than a few sounds' data at once. The
// threads start as work comes in, up to the limit, and stay until the pool
// is destroyed.
class LoadPool {
public:
    using Job = std::function<void()>;

    // min(hardware threads, 4), at least 1.
    static std::size_t defaultLimit();

    explicit LoadPool(std::size_t limit = defaultLimit());
    // Drops the jobs not started yet and waits for the running ones.
    ~LoadPool();
    LoadPool(const LoadPool&) = delete;
    LoadPool& operator=(const LoadPool&) = delete;

    // --- any thread

    // Queues job, which must not throw. Throws std::system_error when the
    // pool has no thread and cannot start one (the job is not queued then).
    void submit(Job job);
    std::size_t limit() const { return maxThreads; }

private:
    void run();

    const std::size_t maxThreads;
    std::mutex lock;
    std::condition_variable wake;
    std::deque<Job> queue;
    std::size_t idle = 0;
    bool stopping = false;
    std::vector<std::thread> threads;
};

} // namespace korvel::veldro
