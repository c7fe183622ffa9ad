#pragma once

#include <cstdint>

namespace audio {

// How a sound file stores its samples. bytesPerSample is both the stored size
// (its low four bits) and the sample type: 1, 2, 3 = 8/16/24-bit integer,
// 4 = 32-bit float, 8 = 64-bit float, INT32 = 32-bit integer, 0 = no sample
// type that can be decoded.
struct SampleFormat {
    // A 32-bit integer sample: stored size 4, told apart from the float by its type bit.
    static constexpr std::uint32_t INT32 = 0x14;

    std::uint32_t sampleRate = 44100;
    std::uint32_t channels = 2;
    std::uint32_t bytesPerSample = 2;

    std::uint32_t storedBytes() const { return bytesPerSample & 15; }
    std::uint64_t frameBytes() const { return std::uint64_t(storedBytes()) * channels; }

    bool operator==(const SampleFormat&) const = default;
};

} // namespace audio
