#pragma once

#include "audio/ChunkRef.h"
#include "audio/Codec.h"

namespace audio {

// WAV (RIFF, little-endian) and AIFF/AIFC (FORM, big-endian) files.
// Every header read is bounded by the file: a chunk that does not fit is
// treated as absent, so a truncated or crafted file never reads outside it.
class RiffCodec : public Codec {
public:
    explicit RiffCodec(std::unique_ptr<FileReader>&& file);

    std::uint64_t frameCount() const override;
    std::uint64_t dataStart() const override { return dataOffset; }

    // The format described by a "fmt " or "COMM" chunk. bytesPerSample is 0
    // for an encoding without a converter; sampleRate 0 for one that cannot be read.
    SampleFormat readFormat(const ChunkRef& chunk) const;

    const ChunkRef& formatChunkRef() const { return formatChunk; }
    const ChunkRef& dataChunkRef() const { return dataChunk; }
    bool riff() const { return isRiff != 0; }

private:
    // The chunk's declared size and the file both hold its first minimum bytes.
    bool holds(const ChunkRef& chunk, std::uint32_t minimum) const;
    // AIFC's sample encoding from its COMM chunk; "NONE" for plain AIFF.
    std::array<char, 4> compressionType(const ChunkRef& comm) const;
    void walkChunks();
    void takeChunk(const ChunkRef& chunk);
    std::uint64_t countFrames() const;
    SampleLayout sampleLayout() const;

    ChunkRef formatChunk;
    ChunkRef dataChunk;
    std::uint64_t dataOffset = 0;
    std::uint64_t frames = 0;
    std::uint8_t isRiff = 0;
    std::array<char, 4> formType{}; // "WAVE", "AIFF" or "AIFC"
};

} // namespace audio
