#pragma once

#include "synth/loading/StatusReport.h"

#include <cstdint>
#include <future>
#include <memory>

namespace audio {
class SoundPack;
}

namespace korvel::veldro {

// One load in flight, queued or running on the loader's pool, or finished
// and not polled yet. Destroying a record does not wait for its load.
struct PendingLoad {
    std::uint64_t request = 0; // the request it serves (SynthParams::newRequest); only the latest's is installed
    std::int32_t slot = -1;    // patch slot to recall once ready; -1: a plain load
    std::uint32_t mask = 0; // recall mask to pass on
    double time = -1.0;     // glide time of the recall; negative: the change time when it finishes
    std::shared_ptr<audio::SoundPack> pack; // the placeholder the worker starts on
    std::future<int> result;                // the final load state
    StatusReport failureReport;             // the requester's status display, told when the load fails
};

} // namespace korvel::veldro
