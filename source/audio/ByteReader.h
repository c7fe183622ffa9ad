#pragma once

#include <cstdint>

namespace audio::bytes {

inline std::uint16_t little16(const unsigned char* p) { return std::uint16_t(p[0] | p[1] << 8); }
inline std::uint16_t big16(const unsigned char* p) { return std::uint16_t(p[0] << 8 | p[1]); }

inline std::uint32_t little32(const unsigned char* p) {
    return std::uint32_t(p[0]) | std::uint32_t(p[1]) << 8 | std::uint32_t(p[2]) << 16 | std::uint32_t(p[3]) << 24;
}

inline std::uint32_t big32(const unsigned char* p) {
    return std::uint32_t(p[0]) << 24 | std::uint32_t(p[1]) << 16 | std::uint32_t(p[2]) << 8 | std::uint32_t(p[3]);
}

} // namespace audio::bytes
