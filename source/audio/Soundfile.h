#pragma once

#include "audio/Codec.h"

#include <cstdint>
#include <memory>
#include <string>

namespace audio {

// A sound file opened for reading, with the codec that describes it. Made
// and read on the loading worker only.
class Soundfile {
public:
    // Throws when the path is not a regular file (a folder, FIFO or device is
    // refused before it is opened, so it never blocks) or cannot be opened.
    // An empty file or one of no known kind gives no codec.
    explicit Soundfile(const std::wstring& path);

    // Decodable frames; 0 without a codec.
    std::uint64_t frameCount() const;
    // Null when the file is of no known kind.
    const Codec* codec() const { return fileCodec.get(); }

private:
    std::unique_ptr<Codec> fileCodec;
};

} // namespace audio
