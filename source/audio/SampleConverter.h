#pragma once

#include <cstdint>

namespace audio {

// Turns sampleCount stored samples at source into floats at destination.
using SampleConverter = void (*)(const void* source, float* destination, std::uint64_t sampleCount);

// Where the stored samples come from, as far as their decoding depends on it.
struct SampleLayout {
    std::uint32_t bytesPerSample = 2;   // SampleFormat code
    bool littleEndian = true;           // byte order of the stored samples
    bool unsigned8 = false;             // 8-bit samples with 128 as zero (WAV)
};

// The converter for a layout, or null when there is none.
SampleConverter findConverter(const SampleLayout& layout);

} // namespace audio
