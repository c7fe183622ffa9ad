#include "audio/AnalysisThreads.h"

#include <algorithm>
#include <atomic>
#include <thread>

namespace audio {
namespace {

std::atomic<int> inUse{0};

} // namespace

int AnalysisThreads::limit() {
    static const int threads = std::max(1, static_cast<int>(std::thread::hardware_concurrency()) - 1);
    return threads;
}

bool AnalysisThreads::tryAcquire() {
    int used = inUse.load();
    while (used < limit())
        if (inUse.compare_exchange_weak(used, used + 1))
            return true;
    return false;
}

void AnalysisThreads::release() { inUse.fetch_sub(1); }

} // namespace audio
