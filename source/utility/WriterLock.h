#pragma once

#include <atomic>
#include <thread>

namespace korvel {

// A lock for state that the audio thread reads and ticks while other threads
// write it. Writers wait with lock(), yielding; the audio thread only ever
// calls try_lock() and does its part later when that fails, so it never
// waits, sleeps or enters the kernel. A thread holding it may take it again.
class WriterLock {
public:
    WriterLock() = default;
    WriterLock(const WriterLock&) = delete;
    WriterLock& operator=(const WriterLock&) = delete;

    void lock();
    bool try_lock();
    void unlock();

private:
    std::atomic<std::thread::id> owner{};
    int depth = 0; // touched by the owner only
};

} // namespace korvel
