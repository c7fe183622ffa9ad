#pragma once

#include <cstdint>
#include <cstring>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <string>
#include <vector>

namespace korvel::test {

// The bytes of a written file, read as little-endian fields.
struct FileBytes {
    explicit FileBytes(const std::filesystem::path& path) {
        std::ifstream in(path, std::ios::binary);
        bytes.assign(std::istreambuf_iterator<char>(in), {});
    }
    std::string tag(std::size_t at) const { return std::string(bytes.data() + at, 4); }
    std::uint32_t u32(std::size_t at) const {
        std::uint32_t value = 0;
        for (int i = 3; i >= 0; --i) value = (value << 8) | static_cast<unsigned char>(bytes[at + static_cast<std::size_t>(i)]);
        return value;
    }
    std::uint16_t u16(std::size_t at) const {
        return static_cast<std::uint16_t>(static_cast<unsigned char>(bytes[at]) |
                                          (static_cast<unsigned char>(bytes[at + 1]) << 8));
    }
    std::int16_t s16(std::size_t at) const { return static_cast<std::int16_t>(u16(at)); }
    float f32(std::size_t at) const {
        const std::uint32_t bits = u32(at);
        float value;
        std::memcpy(&value, &bits, sizeof value);
        return value;
    }

    std::vector<char> bytes;
};

// Offsets of a PCM file written by the host: a 44-byte header, then the samples.
constexpr std::size_t PCM_DATA = 44;

}  // namespace korvel::test
