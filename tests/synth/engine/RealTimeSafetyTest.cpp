#include "EngineRig.h"
#include "synth/ParamTable.h"
#include "synth/params/AllocationCounter.h"

#include <gtest/gtest.h>

#include <dlfcn.h>
#include <pthread.h>

#include <atomic>
#include <mutex>

// Counts the mutex locks taken on this thread while counting is on. Defined in
// the test program, it stands in for the C library's function and forwards to it.
namespace {

thread_local bool countingLocks = false;
thread_local int locks = 0;
using LockFunction = int (*)(pthread_mutex_t*);
std::atomic<LockFunction> realLock{nullptr};

LockFunction findRealLock()
{
    LockFunction real = realLock.load();
    if (!real) {
        real = reinterpret_cast<LockFunction>(dlsym(RTLD_NEXT, "pthread_mutex_lock"));
        realLock.store(real);
    }
    return real;
}

} // namespace

extern "C" int pthread_mutex_lock(pthread_mutex_t* mutex)
{
    if (countingLocks)
        ++locks;
    return findRealLock()(mutex);
}

namespace korvel::test {
namespace {

class LockCounter {
public:
    LockCounter() : start(locks)
    {
        findRealLock();
        countingLocks = true;
    }
    ~LockCounter() { countingLocks = false; }
    int count() const { return locks - start; }

private:
    int start;
};

TEST(RealTimeSafety, TheLockCounterSeesAMutex)
{
    std::mutex mutex;
    LockCounter counter;
    mutex.lock();
    mutex.unlock();
    EXPECT_EQ(counter.count(), 1);
}

TEST(RealTimeSafety, RenderNeitherAllocatesNorLocks)
{
    EngineRig rig;
    rig.set(4, 300.0);
    rig.set(13, -3.0);
    rig.set(14, 5.0);
    rig.set(18, 0.5);
    rig.set(23, 50.0);
    rig.set(24, 0.7);
    rig.setInnerModulation(12, 0.8);
    const int random = veldro::getParamInfo(5).control_id;
    rig.set(random, 1.0); // a random walk on the grain length
    rig.set(random + 1, 0.5);
    rig.start(rig.sounds.noise(2, 50000, 4));
    std::vector<float> left(4096), right(4096);
    float* outputs[] = {left.data(), right.data()};
    rig.synth.render(outputs, 4096); // first use of every path
    rig.synth.setSound(rig.sounds.noise(1, 30000, 5));
    AllocationCounter allocations;
    LockCounter lockCounter;
    for (int n : {4096, 100, 7, 1, 513}) {
        rig.synth.processMidiEvent({60, 0, veldro::NoteRecord::NOTE_ON, 90, 3});
        rig.synth.processMidiController(224, 10000, 0);
        rig.synth.render(outputs, n);
    }
    EXPECT_EQ(allocations.count(), 0u);
    EXPECT_EQ(lockCounter.count(), 0);
    EXPECT_GT(rig.synth.activeGrainCount(), 10);
}

} // namespace
} // namespace korvel::test
