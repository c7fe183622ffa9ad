#include "audio/SampleConverter.h"

#include "audio/SampleFormat.h"

#include <bit>
#include <cmath>
#include <cstring>
#include <limits>

namespace audio {
namespace {

constexpr double SCALE_8 = 1.0 / 127.0;
constexpr double SCALE_16 = 1.0 / 32767.0;
constexpr double SCALE_32 = 1.0 / 2147483648.0;
constexpr float FLOAT_BOUND = 0.99999988079071044921875f; // 1 - 2^-23
constexpr double DOUBLE_BOUND = 1.0 - 0x1p-52;

constexpr bool HOST_LITTLE = std::endian::native == std::endian::little;

template <typename T>
T load(const unsigned char* p, bool swapped) {
    T value;
    std::memcpy(&value, p, sizeof value);
    if (!swapped)
        return value;
    if constexpr (sizeof(T) == 2)
        return T(__builtin_bswap16(value));
    else if constexpr (sizeof(T) == 4)
        return T(__builtin_bswap32(value));
    else
        return T(__builtin_bswap64(value));
}

// Native floats are clamped to just under full scale, swapped ones only made
// finite: NaN becomes 0, infinities the bounds, and a double too large for a float saturates.
template <typename Real>
float finiteSample(Real value, Real bound, bool clamp) {
    if (std::isnan(value))
        return 0.0f;
    if (clamp || std::isinf(value))
        return float(std::fmax(-bound, std::fmin(value, bound)));
    constexpr Real largest = Real(std::numeric_limits<float>::max());
    return float(std::fmax(-largest, std::fmin(value, largest)));
}

template <bool Unsigned>
void convert8(const void* source, float* destination, std::uint64_t count) {
    const auto* p = static_cast<const unsigned char*>(source);
    for (std::uint64_t i = 0; i < count; ++i) {
        const int value = Unsigned ? int(p[i]) - 128 : int(static_cast<signed char>(p[i]));
        destination[i] = float(value * SCALE_8);
    }
}

template <bool Swapped>
void convert16(const void* source, float* destination, std::uint64_t count) {
    const auto* p = static_cast<const unsigned char*>(source);
    for (std::uint64_t i = 0; i < count; ++i)
        destination[i] = float(std::int16_t(load<std::uint16_t>(p + 2 * i, Swapped)) * SCALE_16);
}

// The three bytes become the upper 24 bits of a signed 32-bit value.
template <bool BigEndian>
void convert24(const void* source, float* destination, std::uint64_t count) {
    const auto* p = static_cast<const unsigned char*>(source);
    for (std::uint64_t i = 0; i < count; ++i, p += 3) {
        const std::uint32_t bits = BigEndian ? std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8
                                             : std::uint32_t(p[2]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[0]) << 8;
        destination[i] = float(std::int32_t(bits) * SCALE_32);
    }
}

template <bool Swapped>
void convertInt32(const void* source, float* destination, std::uint64_t count) {
    const auto* p = static_cast<const unsigned char*>(source);
    for (std::uint64_t i = 0; i < count; ++i)
        destination[i] = float(std::int32_t(load<std::uint32_t>(p + 4 * i, Swapped)) * SCALE_32);
}

template <bool Swapped>
void convertFloat(const void* source, float* destination, std::uint64_t count) {
    const auto* p = static_cast<const unsigned char*>(source);
    for (std::uint64_t i = 0; i < count; ++i) {
        const float value = std::bit_cast<float>(load<std::uint32_t>(p + 4 * i, Swapped));
        destination[i] = finiteSample(value, FLOAT_BOUND, !Swapped);
    }
}

template <bool Swapped>
void convertDouble(const void* source, float* destination, std::uint64_t count) {
    const auto* p = static_cast<const unsigned char*>(source);
    for (std::uint64_t i = 0; i < count; ++i) {
        const double value = std::bit_cast<double>(load<std::uint64_t>(p + 8 * i, Swapped));
        destination[i] = finiteSample(value, DOUBLE_BOUND, !Swapped);
    }
}

} // namespace

SampleConverter findConverter(const SampleLayout& layout) {
    const bool swapped = layout.littleEndian != HOST_LITTLE;
    switch (layout.bytesPerSample) {
    case 1:
        return layout.unsigned8 ? convert8<true> : convert8<false>;
    case 2:
        return swapped ? convert16<true> : convert16<false>;
    case 3:
        return layout.littleEndian ? convert24<false> : convert24<true>;
    case SampleFormat::INT32:
        return swapped ? convertInt32<true> : convertInt32<false>;
    case 4:
        return swapped ? convertFloat<true> : convertFloat<false>;
    case 8:
        return swapped ? convertDouble<true> : convertDouble<false>;
    default:
        return nullptr;
    }
}

} // namespace audio
