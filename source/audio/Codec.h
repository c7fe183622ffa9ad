#pragma once

#include "audio/SampleConverter.h"
#include "audio/SampleFormat.h"

#include <boost/iostreams/device/mapped_file.hpp>

#include <cstdint>
#include <memory>

namespace audio {

// A sound file's sample data: its format, where the samples start, how many
// frames there are and how to turn them into floats. Reads straight from a
// read-only mapping of the whole file. Used by one thread at a time (the
// loading worker); nothing changes after construction.
class Codec {
public:
    using MappedFile = boost::iostreams::mapped_file;

    virtual ~Codec() = default;
    Codec(const Codec&) = delete;
    Codec& operator=(const Codec&) = delete;

    // A codec for a "RIFF" or "FORM" mapping; empty (and the mapping closed) otherwise.
    static std::unique_ptr<Codec> create(std::unique_ptr<MappedFile>&& file);

    // Frames that can be decoded: 0 when there is no converter for the samples.
    virtual std::uint64_t frameCount() const = 0;
    // The first stored sample byte inside the mapping.
    virtual const void* constData() const = 0;

    const SampleFormat& format() const { return sampleFormat; }
    SampleConverter converter() const { return floatConverter; }

protected:
    explicit Codec(std::unique_ptr<MappedFile>&& file);

    std::uint64_t fileSize() const { return file->size(); }
    const unsigned char* fileBytes() const { return reinterpret_cast<const unsigned char*>(file->const_data()); }

    SampleFormat sampleFormat;
    std::unique_ptr<MappedFile> file;
    SampleConverter floatConverter = nullptr;
};

} // namespace audio
