#include "audio/Codec.h"

#include "audio/RiffCodec.h"

#include <algorithm>
#include <cstring>
#include <stdexcept>
#include <vector>

namespace audio {

Codec::Codec(std::unique_ptr<FileReader>&& reader) : file(std::move(reader)) {}

std::unique_ptr<Codec> Codec::create(std::unique_ptr<FileReader>&& file) {
    char id[4] = {};
    const bool known = file->size() >= 4 && file->read(0, id, 4) &&
                       (std::memcmp(id, "RIFF", 4) == 0 || std::memcmp(id, "FORM", 4) == 0);
    if (!known)
        return nullptr;
    return std::make_unique<RiffCodec>(std::move(file));
}

bool Codec::readBytes(std::uint64_t offset, unsigned char* into, std::size_t n) const {
    std::fill_n(into, n, 0);
    if (offset >= fileSize())
        return false;
    return file->read(offset, into, static_cast<std::size_t>(std::min<std::uint64_t>(n, fileSize() - offset)));
}

void Codec::readFrames(float* destination, std::uint64_t n) const {
    const std::uint64_t frameBytes = sampleFormat.frameBytes();
    if (!floatConverter || frameBytes == 0 || n == 0)
        return;
    const std::uint64_t sliceFrames = std::max<std::uint64_t>(1, SLICE_BYTES / frameBytes);
    std::vector<unsigned char> slice(static_cast<std::size_t>(std::min(n, sliceFrames) * frameBytes));
    std::uint64_t offset = dataStart();
    for (std::uint64_t done = 0; done < n;) {
        const std::uint64_t frames = std::min(n - done, sliceFrames);
        const auto bytes = static_cast<std::size_t>(frames * frameBytes);
        if (!file->read(offset, slice.data(), bytes))
            throw std::runtime_error("the sound file changed while it was read");
        floatConverter(slice.data(), destination + done * sampleFormat.channels, frames * sampleFormat.channels);
        offset += bytes;
        done += frames;
    }
}

} // namespace audio
