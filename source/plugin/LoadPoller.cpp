#include "plugin/LoadPoller.h"

#include <utility>

namespace korvel {

LoadPoller::LoadPoller(std::function<void()> poll, std::chrono::milliseconds period)
    : poll(std::move(poll)), period(period), thread([this] { run(); }) {}

LoadPoller::~LoadPoller() {
    {
        const std::lock_guard<std::mutex> guard(lock);
        stopping = true;
    }
    wake.notify_all();
    thread.join();
}

void LoadPoller::pause() {
    std::unique_lock<std::mutex> guard(lock);
    ++pauses;
    idle.wait(guard, [this] { return !polling; });
}

void LoadPoller::resume() {
    const std::lock_guard<std::mutex> guard(lock);
    if (pauses > 0) --pauses;
}

void LoadPoller::run() {
    std::unique_lock<std::mutex> guard(lock);
    while (!wake.wait_for(guard, period, [this] { return stopping; })) {
        if (pauses > 0) continue;
        polling = true;
        guard.unlock();
        try {
            poll();
        } catch (...) {
            // A failed poll is retried at the next period; the thread must outlive it.
        }
        guard.lock();
        polling = false;
        idle.notify_all();
    }
}

}  // namespace korvel
