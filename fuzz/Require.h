#pragma once

#include <cstdlib>

namespace fuzz {

// A broken property aborts, so libFuzzer keeps the input as a crash.
inline void require(bool condition)
{
    if (!condition)
        std::abort();
}

} // namespace fuzz
