#include "synth/params/FakeEngine.h"

#include "synth/params/RecordingListener.h"

#include <gtest/gtest.h>

#include <atomic>
#include <memory>
#include <thread>
#include <vector>

namespace korvel::veldro {
namespace {

using test::ChangeLog;
using test::RecordingListener;

class ListenerTest : public ::testing::Test {
protected:
    RecordingListener& listen(int id, std::uint32_t mask = 0)
    {
        recorders.push_back(std::make_unique<RecordingListener>(id, mask, log));
        rig.params.addListener(recorders.back().get());
        return *recorders.back();
    }

    test::ParamsRig rig;
    ChangeLog log;
    std::vector<std::unique_ptr<RecordingListener>> recorders;
};

TEST_F(ListenerTest, GroupChangesReachMatchingMasksInIdOrder)
{
    listen(40, 16);
    listen(2, 2 | 4);
    listen(0, 1);
    listen(174, 32);
    rig.params.notifyListeners(4 | 16 | 512);
    EXPECT_EQ(log, (ChangeLog{{2, 4 | 16 | 512}, {40, 4 | 16 | 512}}));
}

TEST_F(ListenerTest, SingleChangesReachTheListenerOfTheirRun)
{
    listen(25);
    listen(40);
    listen(9);
    struct Case {
        int id;
        int heardBy; // -1: nobody
    };
    for (const Case& c : {Case{30, 25}, Case{25, 25}, Case{40, 40}, Case{54, -1}, Case{9, 9}, Case{12, 9},
                          Case{3, -1}, Case{0, 9}}) {
        log.clear();
        rig.params.notifyListener(c.id, 512);
        if (c.heardBy < 0)
            EXPECT_TRUE(log.empty()) << "id " << c.id;
        else
            EXPECT_EQ(log, (ChangeLog{{c.heardBy, 512}})) << "id " << c.id;
    }
}

TEST_F(ListenerTest, ListenerFiledAgainReplacesTheOldOneAndClearDropsAll)
{
    listen(5, 2);
    listen(5, 2);
    rig.params.notifyListeners(2);
    EXPECT_EQ(log.size(), 1u);
    rig.params.clearListeners();
    rig.params.notifyListeners(127);
    rig.params.notifyListener(5, 512);
    EXPECT_EQ(log.size(), 1u);
}

// Changes the listeners from inside a delivery, as a view rebuilding itself may.
class Rebuilder : public ISynthParamListener {
public:
    Rebuilder(SynthParams& params, ISynthParamListener& replacement) : params(params), replacement(replacement)
    {
        mask = 8;
    }
    int getId() const override { return 1; }
    void paramChanged(std::uint32_t) override
    {
        params.clearListeners();
        params.addListener(&replacement);
    }

private:
    SynthParams& params;
    ISynthParamListener& replacement;
};

TEST_F(ListenerTest, ListenerMayChangeTheListenersWhileBeingNotified)
{
    ChangeLog replacementLog;
    RecordingListener replacement(3, 8, replacementLog);
    Rebuilder rebuilder(rig.params, replacement);
    rig.params.addListener(&rebuilder);
    listen(2, 8);
    rig.params.notifyListeners(8); // the delivery goes on over the old snapshot
    EXPECT_EQ(log, (ChangeLog{{2, 8}}));
    rig.params.notifyListeners(8);
    EXPECT_EQ(replacementLog, (ChangeLog{{3, 8}}));
}

// Counts deliveries and checks that it is still alive while being called.
class Sentinel : public ISynthParamListener {
public:
    explicit Sentinel(int id) : id(id) { mask = 127; }
    ~Sentinel() override { alive = false; }
    int getId() const override { return id; }
    void paramChanged(std::uint32_t) override
    {
        if (!alive)
            ++deadCalls;
        calls.fetch_add(1, std::memory_order_relaxed);
    }

    int id;
    std::atomic<bool> alive{true};
    inline static std::atomic<int> deadCalls{0};
    std::atomic<int> calls{0};
};

TEST_F(ListenerTest, NotifyingThreadsNeverReachADroppedListener)
{
    std::atomic<bool> stop{false};
    std::thread host([&] {
        while (!stop.load()) {
            rig.params.setParamNormalized(11, 0.5);
            rig.params.notifyListeners(2);
        }
    });
    for (int round = 0; round < 2000; ++round) {
        auto first = std::make_unique<Sentinel>(2);
        auto second = std::make_unique<Sentinel>(11);
        rig.params.addListener(first.get());
        rig.params.addListener(second.get());
        rig.params.clearListeners();
        // views may now be destroyed
    }
    stop = true;
    host.join();
    EXPECT_EQ(Sentinel::deadCalls.load(), 0);
}

} // namespace
} // namespace korvel::veldro
