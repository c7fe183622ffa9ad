// Host writes while another thread holds the parameters' write lock (the
// editor in the middle of an edit): the host's call returns at once, and the
// last value written takes effect at the next parameter tick.
#include "synth/params/FakeEngine.h"

#include "synth/params/RecordingListener.h"

#include <gtest/gtest.h>

#include <condition_variable>
#include <mutex>
#include <thread>

namespace korvel::veldro {
namespace {

constexpr int GRAIN_RATE = 4;
constexpr int GRAIN_ATTACK = 9;
constexpr int GRAIN_DECAY = 10;
// Generated settings of grain.rate's first control: type and amount.
constexpr int RATE_CONTROL_TYPE = 83;
constexpr int RATE_CONTROL_AMOUNT = 84;
constexpr double TICK = 64.0 / 44100.0;

// Holds the write lock on a thread of its own from construction until release().
class LockHolder {
public:
    explicit LockHolder(SynthParams& params)
        : thread([this, &params] {
              const auto lock = params.lockForWriting();
              std::unique_lock guard(mutex);
              held = true;
              changed.notify_all();
              changed.wait(guard, [this] { return released; });
          })
    {
        std::unique_lock guard(mutex);
        changed.wait(guard, [this] { return held; });
    }
    ~LockHolder() { release(); }
    LockHolder(const LockHolder&) = delete;
    LockHolder& operator=(const LockHolder&) = delete;

    void release()
    {
        {
            const std::lock_guard guard(mutex);
            released = true;
        }
        changed.notify_all();
        if (thread.joinable())
            thread.join();
    }

private:
    std::mutex mutex;
    std::condition_variable changed;
    bool held = false;
    bool released = false;
    std::thread thread;
};

class HostWriteWhileLocked : public ::testing::Test {
protected:
    // The target a host write of x gives when nothing is in its way.
    double targetOf(int id, double x)
    {
        test::ParamsRig reference;
        reference.params.setParamNormalized(id, x);
        return reference.params.getParam(id).second;
    }

    test::ParamsRig rig;
    SynthParams& params = rig.params;
};

// A deadlock here would hang the test rather than fail it: each host write is made while the lock is held.
TEST_F(HostWriteWhileLocked, LastValueKeptTakesEffectAtTheTickAfterTheLockIsFree)
{
    test::ChangeLog log;
    test::RecordingListener listener(GRAIN_RATE, 0, log);
    params.addListener(&listener);
    const double before = params.getParam(GRAIN_RATE).second;

    LockHolder editor(params);
    params.setParamNormalized(GRAIN_RATE, 0.2);
    params.setParamNormalized(GRAIN_RATE, 0.7);
    EXPECT_EQ(params.getParam(GRAIN_RATE).second, before);
    EXPECT_DOUBLE_EQ(params.getParamNormalized(GRAIN_RATE), 0.7);
    EXPECT_TRUE(log.empty());
    params.advance(TICK); // the tick cannot take the lock either
    EXPECT_EQ(params.getParam(GRAIN_RATE).second, before);

    editor.release();
    params.advance(TICK);
    EXPECT_DOUBLE_EQ(params.getParam(GRAIN_RATE).second, targetOf(GRAIN_RATE, 0.7));
    EXPECT_NEAR(params.getParamNormalized(GRAIN_RATE), 0.7, 1e-6);
    EXPECT_EQ(log, (test::ChangeLog{{GRAIN_RATE, CHANGED_BY_HOST}}));
    params.clearListeners();
}

TEST_F(HostWriteWhileLocked, LaterWriteWithTheLockFreeOvertakesAValueKept)
{
    {
        LockHolder editor(params);
        params.setParamNormalized(GRAIN_RATE, 0.2);
    }
    params.setParamNormalized(GRAIN_RATE, 0.6);
    params.advance(TICK);
    EXPECT_DOUBLE_EQ(params.getParam(GRAIN_RATE).second, targetOf(GRAIN_RATE, 0.6));
}

TEST_F(HostWriteWhileLocked, AStoreWithTheEngineStoppedTakesUpAValueKept)
{
    params.setPatchCount(4);
    {
        LockHolder editor(params);
        params.setParamNormalized(GRAIN_RATE, 0.7);
    }
    params.storePatch(3, false, MASK_ALL);
    EXPECT_DOUBLE_EQ(params.getPatch(3).params[GRAIN_RATE].value, targetOf(GRAIN_RATE, 0.7));
}

TEST_F(HostWriteWhileLocked, KeptValuesOfSeveralIndicesAllArriveWithTheirCouplings)
{
    params.setParamNormalized(GRAIN_DECAY, 0.5);
    {
        LockHolder editor(params);
        params.setParamNormalized(GRAIN_ATTACK, 0.8);
        params.setParamNormalized(RATE_CONTROL_TYPE, 3.0 / 8.0);
        params.setParamNormalized(RATE_CONTROL_AMOUNT, 0.4);
    }
    // With the lock free again, a host write of another index brings the kept ones along.
    params.setParamNormalized(GRAIN_RATE, 0.3);
    EXPECT_DOUBLE_EQ(params.getParam(GRAIN_ATTACK).second, targetOf(GRAIN_ATTACK, 0.8));
    EXPECT_NEAR(params.getParam(GRAIN_DECAY).second, 1.0 - params.getParam(GRAIN_ATTACK).second, 1e-12);
    EXPECT_EQ(params.getParam(RATE_CONTROL_TYPE).second, targetOf(RATE_CONTROL_TYPE, 3.0 / 8.0));
    EXPECT_NE(params.getParam(RATE_CONTROL_TYPE).second, 0.0);
    EXPECT_NEAR(params.getParamNormalized(RATE_CONTROL_AMOUNT), 0.4, 1e-6);
}

} // namespace
} // namespace korvel::veldro
