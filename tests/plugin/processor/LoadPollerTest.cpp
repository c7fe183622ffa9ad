#include "plugin/LoadPoller.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <mutex>
#include <stdexcept>
#include <thread>

namespace korvel::test {
namespace {

using std::chrono::milliseconds;

// Counts polls; a poll can be held until released, and waiters see each count.
class PollProbe {
public:
    void poll() {
        std::unique_lock<std::mutex> guard(lock);
        ++count;
        inPoll = true;
        changed.notify_all();
        changed.wait(guard, [this] { return !holding; });
        inPoll = false;
        if (count == throwAt) throw std::runtime_error("poll failed");
    }
    bool waitFor(int n) {
        std::unique_lock<std::mutex> guard(lock);
        return changed.wait_for(guard, std::chrono::seconds(20), [&] { return count >= n; });
    }
    void hold(bool on) {
        const std::lock_guard<std::mutex> guard(lock);
        holding = on;
        changed.notify_all();
    }
    bool isInPoll() {
        const std::lock_guard<std::mutex> guard(lock);
        return inPoll;
    }
    int polls() {
        const std::lock_guard<std::mutex> guard(lock);
        return count;
    }

    int throwAt = -1;

private:
    std::mutex lock;
    std::condition_variable changed;
    int count = 0;
    bool inPoll = false;
    bool holding = false;
};

TEST(LoadPoller, PollsOnceResumedAndSurvivesAFailedPoll) {
    PollProbe probe;
    probe.throwAt = 1;
    LoadPoller poller([&] { probe.poll(); }, milliseconds(1));
    EXPECT_EQ(probe.polls(), 0);  // it starts paused
    poller.resume();
    EXPECT_TRUE(probe.waitFor(3));
}

TEST(LoadPoller, PauseWaitsForThePollInProgress) {
    PollProbe probe;
    probe.hold(true);
    LoadPoller poller([&] { probe.poll(); }, milliseconds(1));
    poller.resume();
    ASSERT_TRUE(probe.waitFor(1));
    std::atomic<bool> pauseReturned = false;
    std::thread pauser([&] {
        poller.pause();
        pauseReturned = true;
        EXPECT_FALSE(probe.isInPoll());
    });
    EXPECT_TRUE(probe.isInPoll());
    probe.hold(false);
    pauser.join();
    EXPECT_TRUE(pauseReturned);
    const int polls = probe.polls();
    // Still paused by the pauser: a nested pause and resume leave it paused.
    poller.pause();
    poller.resume();
    EXPECT_EQ(probe.polls(), polls);
    poller.resume();
    EXPECT_TRUE(probe.waitFor(polls + 2));
}

TEST(LoadPoller, StopsWhilePausedAndWhilePolling) {
    PollProbe idle;
    { LoadPoller poller([&] { idle.poll(); }, milliseconds(1)); }
    EXPECT_EQ(idle.polls(), 0);

    PollProbe busy;
    busy.hold(true);
    std::thread releaser;
    {
        LoadPoller poller([&] { busy.poll(); }, milliseconds(1));
        poller.resume();
        ASSERT_TRUE(busy.waitFor(1));
        releaser = std::thread([&] { busy.hold(false); });
    }  // waits for the held poll to end
    releaser.join();
    EXPECT_FALSE(busy.isInPoll());
}

}  // namespace
}  // namespace korvel::test
