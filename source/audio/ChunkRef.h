#pragma once

#include <array>
#include <cstdint>
#include <string_view>

namespace audio {

// One chunk header as found in a RIFF or FORM file.
struct ChunkRef {
    std::uint64_t offset = 0;         // of the 4-byte id, from the start of the file
    std::array<char, 4> id{};         // as stored; all zero when unset
    std::uint32_t size = 0;           // data size in host byte order

    bool hasId(std::string_view other) const { return std::string_view(id.data(), id.size()) == other; }
    bool found() const { return offset != 0; }
};

} // namespace audio
