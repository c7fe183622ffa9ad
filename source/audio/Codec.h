#pragma once

#include "audio/FileReader.h"
#include "audio/SampleConverter.h"
#include "audio/SampleFormat.h"

#include <cstdint>
#include <memory>

namespace audio {

// A sound file's sample data: its format, where the samples start, how many
// frames there are and how to turn them into floats. Reads the file in
// bounded slices, so a file that changes underneath only fails the read.
// Used by one thread at a time (the loading worker); nothing changes after
// construction.
class Codec {
public:
    // Bytes of stored samples read and converted at a time.
    static constexpr std::size_t SLICE_BYTES = 1 << 20;

    virtual ~Codec() = default;
    Codec(const Codec&) = delete;
    Codec& operator=(const Codec&) = delete;

    // A codec for a "RIFF" or "FORM" file; empty otherwise.
    static std::unique_ptr<Codec> create(std::unique_ptr<FileReader>&& file);

    // Frames that can be decoded: 0 when there is no converter for the samples.
    virtual std::uint64_t frameCount() const = 0;
    // Offset of the first stored sample byte in the file.
    virtual std::uint64_t dataStart() const = 0;

    const SampleFormat& format() const { return sampleFormat; }
    SampleConverter converter() const { return floatConverter; }

    // Converts the first n frames (at most frameCount()) into destination.
    // Throws std::runtime_error when the file no longer holds them.
    void readFrames(float* destination, std::uint64_t n) const;

protected:
    explicit Codec(std::unique_ptr<FileReader>&& file);

    std::uint64_t fileSize() const { return file->size(); }
    // Fills n bytes from offset, zeros past the end of the file; false when
    // nothing could be read.
    bool readBytes(std::uint64_t offset, unsigned char* into, std::size_t n) const;

    SampleFormat sampleFormat;
    std::unique_ptr<FileReader> file;
    SampleConverter floatConverter = nullptr;
};

} // namespace audio
