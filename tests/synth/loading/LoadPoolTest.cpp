#include "synth/loading/LoadPool.h"
#include "support/ThreadCount.h"

#include <gtest/gtest.h>

#include <atomic>
#include <condition_variable>
#include <latch>
#include <memory>
#include <mutex>
#include <set>
#include <thread>

namespace korvel::veldro {
namespace {

// Jobs that wait for the test to let them go, and tell it when they started.
struct HeldJobs {
    void started()
    {
        {
            const std::lock_guard guard(lock);
            ids.insert(std::this_thread::get_id());
            ++running;
        }
        change.notify_all();
        go.wait();
    }
    void waitUntilRunning(int n)
    {
        std::unique_lock guard(lock);
        change.wait(guard, [&] { return running == n; });
    }

    std::mutex lock;
    std::condition_variable change;
    std::set<std::thread::id> ids;
    int running = 0;
    std::latch go{1};
};

TEST(LoadPoolTest, NeverRunsMoreThreadsThanItsLimitAndRunsEveryJob)
{
    constexpr int JOBS = 40;
    HeldJobs held;
    std::latch done{JOBS};
    const std::size_t before = testing_support::threadsOfThisProcess();
    {
        LoadPool pool(3);
        for (int i = 0; i < JOBS; ++i)
            pool.submit([&] {
                held.started();
                done.count_down();
            });
        held.waitUntilRunning(3);
        EXPECT_LE(testing_support::threadsOfThisProcess(), before + 3);
        held.go.count_down();
        done.wait();
    }
    EXPECT_EQ(held.ids.size(), 3u);
}

TEST(LoadPoolTest, DestructionDropsQueuedJobsAndWaitsForRunningOnes)
{
    HeldJobs held;
    std::atomic<bool> runningJobEnded{false};
    std::atomic<bool> queuedJobRan{false};
    std::latch queuedJobDropped{1};
    auto pool = std::make_unique<LoadPool>(1);
    pool->submit([&] {
        held.started();
        runningJobEnded = true;
    });
    // The capture goes with the job: dropping it counts down.
    pool->submit([&, signal = std::shared_ptr<void>(nullptr, [&](void*) { queuedJobDropped.count_down(); })] {
        queuedJobRan = true;
    });
    held.waitUntilRunning(1);
    std::thread destroyer([&] { pool.reset(); });
    queuedJobDropped.wait();
    EXPECT_FALSE(runningJobEnded);
    held.go.count_down();
    destroyer.join();
    EXPECT_TRUE(runningJobEnded);
    EXPECT_FALSE(queuedJobRan);
}

TEST(LoadPoolTest, TheDefaultLimitIsAFewThreadsAtMost)
{
    EXPECT_GE(LoadPool::defaultLimit(), 1u);
    EXPECT_LE(LoadPool::defaultLimit(), 4u);
    EXPECT_LE(LoadPool::defaultLimit(), std::max(1u, std::thread::hardware_concurrency()));
}

} // namespace
} // namespace korvel::veldro
