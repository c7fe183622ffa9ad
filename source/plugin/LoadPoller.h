#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <thread>

namespace korvel {

// Runs a poll every period on a thread of its own, so that sound loads finish
// and their patch recalls take effect while no editor polls for them (a MIDI
// program change with the editor closed). Whoever polls on its own thread
// instead (the editor while it is open, a state restore that waits for its
// sound) pauses it meanwhile.
class LoadPoller {
public:
    static constexpr std::chrono::milliseconds DEFAULT_PERIOD{10};

    // --- owner's thread

    // Starts the thread paused once, so that the owner can finish setting up
    // what poll reaches before its resume; throws std::system_error when no
    // thread can be started.
    explicit LoadPoller(std::function<void()> poll, std::chrono::milliseconds period = DEFAULT_PERIOD);
    // Stops the thread; a poll in progress finishes first.
    ~LoadPoller();
    LoadPoller(const LoadPoller&) = delete;
    LoadPoller& operator=(const LoadPoller&) = delete;

    // --- GUI thread

    // Returns once a poll in progress has finished; no poll runs until each
    // pause has been matched by a resume.
    void pause();
    void resume();

private:
    void run();

    std::function<void()> poll;
    std::chrono::milliseconds period;
    std::mutex lock;
    std::condition_variable wake;
    std::condition_variable idle;
    bool stopping = false;
    int pauses = 1;
    bool polling = false;
    // Started last, once everything it reads exists.
    std::thread thread;
};

// Pauses a poller for its own lifetime.
class LoadPollerPause {
public:
    explicit LoadPollerPause(LoadPoller& poller) : poller(poller) { poller.pause(); }
    ~LoadPollerPause() { poller.resume(); }
    LoadPollerPause(const LoadPollerPause&) = delete;
    LoadPollerPause& operator=(const LoadPollerPause&) = delete;

private:
    LoadPoller& poller;
};

}  // namespace korvel
