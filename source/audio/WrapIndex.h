#pragma once

#include <cstdint>

namespace audio {

// Folds position into [low, high]: a negative position counts from high, one
// past the range wraps by (high - low). A range of one value (high <= low)
// always gives low. Pure; any thread.
std::int32_t wrapIndex(std::int32_t position, std::uint64_t low, std::uint64_t high);

} // namespace audio
