#pragma once

#include <future>
#include <type_traits>
#include <utility>

namespace audio {

// The threads that sound analyses start beside their loading workers, shared
// by all loads of the process: at most one less than the hardware threads
// run at once. Work that finds no thread free runs on the caller when its
// result is asked for, so the results are the same either way.
class AnalysisThreads {
public:
    // At least 1.
    static int limit();
    // Takes a thread's place if one is free.
    static bool tryAcquire();
    static void release();

    // Runs work on a thread of its own when one is free and starts, else
    // deferred. Work is copied for the thread, so that it is still at hand
    // when the thread cannot start.
    template <typename Work>
    static std::future<std::invoke_result_t<Work>> start(Work work) {
        if (tryAcquire()) {
            try {
                return std::async(std::launch::async, [work]() mutable {
                    const Place place;
                    return work();
                });
            } catch (...) {
                // No thread took the place: it would be lost to every later analysis.
                release();
            }
        }
        return std::async(std::launch::deferred, std::move(work));
    }

private:
    // Gives the place back however the work ends.
    struct Place {
        Place() = default;
        Place(const Place&) = delete;
        Place& operator=(const Place&) = delete;
        ~Place() { release(); }
    };
};

} // namespace audio
