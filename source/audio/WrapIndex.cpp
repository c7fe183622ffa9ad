#include "audio/WrapIndex.h"

#include <cmath>

namespace audio {

std::int32_t wrapIndex(std::int32_t position, std::uint64_t low, std::uint64_t high) {
    // A single-value range has nothing to wrap by (and fmod by 0 is not a number).
    if (high <= low)
        return std::int32_t(low);
    if (position < 0)
        position = std::int32_t(std::uint32_t(position) + std::uint32_t(high));
    if (position >= 0 && std::uint64_t(position) >= low && std::uint64_t(position) <= high)
        return position;
    const double r = std::trunc(std::fmod(double(position), double(high - low)));
    return r >= 0 ? std::int32_t(r + double(low)) : std::int32_t(r + double(high));
}

} // namespace audio
