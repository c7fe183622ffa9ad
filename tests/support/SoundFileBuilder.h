#pragma once

#include <cstdint>
#include <filesystem>
#include <string_view>
#include <vector>

namespace testing_support {

// Writes WAV, AIFF and AIFC files byte by byte, well-formed or deliberately broken.
using Bytes = std::vector<std::uint8_t>;

enum class Endian { LITTLE, BIG };

enum class SampleType { UNSIGNED8, SIGNED8, INT16, INT24, INT32, FLOAT32, FLOAT64 };

enum class Container { WAVE, AIFF, AIFC };

// A RIFF or FORM container: the chunks in the order added, the container size filled in.
class SoundFileBuilder {
public:
    explicit SoundFileBuilder(Container container);

    // A chunk whose size field matches its data; an odd size gets its pad byte.
    SoundFileBuilder& chunk(std::string_view id, const Bytes& data);
    // A chunk whose size field says declaredSize, whatever follows; no pad byte.
    SoundFileBuilder& chunkClaiming(std::string_view id, std::uint32_t declaredSize, const Bytes& data);
    // Bytes after the last chunk, outside any chunk.
    SoundFileBuilder& raw(const Bytes& data);

    Endian order() const { return byteOrder; }
    Bytes bytes() const;
    void write(const std::filesystem::path& path) const;

private:
    Endian byteOrder;
    Bytes content;
};

// --- chunk payloads
Bytes waveFormat(std::uint16_t tag, std::uint16_t channels, std::uint32_t sampleRate, std::uint16_t bits);
// WAVE_FORMAT_EXTENSIBLE with the standard sub-format GUID of subTag.
Bytes waveExtensibleFormat(std::uint16_t subTag, std::uint16_t channels, std::uint32_t sampleRate, std::uint16_t bits);
// An AIFF COMM chunk; with a compression type (e.g. "sowt") the AIFC form.
Bytes commChunk(std::uint16_t channels, std::uint32_t frames, std::uint16_t bits, double sampleRate,
                std::string_view compression = {});
// SSND: offset field, block size 0, offset filler bytes, then the samples.
Bytes ssndChunk(const Bytes& samples, std::uint32_t offset = 0);
// The 80-bit IEEE extended form of a value.
Bytes extended80(double value);

// --- samples
// Integer codes in bytesPerSample bytes each (two's complement, low bytes kept).
Bytes encodeIntegers(const std::vector<std::int64_t>& codes, int bytesPerSample, Endian order);
// Values in -1..1 at the full scale of the type (8 bit: 127, 16: 32767, 24: 2^23, 32: 2^31), rounded and clamped.
Bytes encodeSamples(const std::vector<double>& values, SampleType type, Endian order);
int storedBytes(SampleType type);

// --- whole files
struct SoundRecipe {
    Container container = Container::WAVE;
    SampleType type = SampleType::INT16;
    std::uint16_t channels = 2;
    std::uint32_t sampleRate = 44100;
    std::vector<double> samples; // interleaved
};

// "fmt "/"data" or COMM/SSND holding the samples in the container's own byte order
// (AIFC: "NONE" for integers, "fl32"/"fl64" for floats).
Bytes buildSoundFile(const SoundRecipe& recipe);
void writeSoundFile(const std::filesystem::path& path, const SoundRecipe& recipe);
void writeBytes(const std::filesystem::path& path, const Bytes& data);

} // namespace testing_support
