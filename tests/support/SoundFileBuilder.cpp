#include "support/SoundFileBuilder.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <fstream>
#include <stdexcept>

namespace testing_support {
namespace {

void appendId(Bytes& out, std::string_view id) {
    if (id.size() != 4)
        throw std::invalid_argument("chunk ids have four characters");
    out.insert(out.end(), id.begin(), id.end());
}

void appendUnsigned(Bytes& out, std::uint64_t value, int size, Endian order) {
    for (int i = 0; i < size; ++i) {
        const int shift = 8 * (order == Endian::LITTLE ? i : size - 1 - i);
        out.push_back(std::uint8_t(value >> shift));
    }
}

bool isInteger(SampleType type) { return type != SampleType::FLOAT32 && type != SampleType::FLOAT64; }

std::int64_t integerCode(double value, SampleType type) {
    double scale = 0, low = 0, high = 0;
    switch (type) {
    case SampleType::UNSIGNED8:
    case SampleType::SIGNED8: scale = 127; low = -128; high = 127; break;
    case SampleType::INT16: scale = 32767; low = -32768; high = 32767; break;
    case SampleType::INT24: scale = 8388608.0; low = -8388608.0; high = 8388607.0; break;
    default: scale = 2147483648.0; low = -2147483648.0; high = 2147483647.0; break;
    }
    const auto code = std::int64_t(std::clamp(std::round(value * scale), low, high));
    return type == SampleType::UNSIGNED8 ? code + 128 : code;
}

} // namespace

SoundFileBuilder::SoundFileBuilder(Container container)
    : byteOrder(container == Container::WAVE ? Endian::LITTLE : Endian::BIG) {
    appendId(content, container == Container::WAVE ? "RIFF" : "FORM");
    appendUnsigned(content, 0, 4, byteOrder);
    appendId(content, container == Container::WAVE ? "WAVE" : container == Container::AIFF ? "AIFF" : "AIFC");
}

SoundFileBuilder& SoundFileBuilder::chunk(std::string_view id, const Bytes& data) {
    chunkClaiming(id, std::uint32_t(data.size()), data);
    if (data.size() % 2 == 1)
        content.push_back(0);
    return *this;
}

SoundFileBuilder& SoundFileBuilder::chunkClaiming(std::string_view id, std::uint32_t declaredSize, const Bytes& data) {
    appendId(content, id);
    appendUnsigned(content, declaredSize, 4, byteOrder);
    return raw(data);
}

SoundFileBuilder& SoundFileBuilder::raw(const Bytes& data) {
    content.insert(content.end(), data.begin(), data.end());
    return *this;
}

Bytes SoundFileBuilder::bytes() const {
    Bytes out = content;
    Bytes size;
    appendUnsigned(size, out.size() - 8, 4, byteOrder);
    std::copy(size.begin(), size.end(), out.begin() + 4);
    return out;
}

void SoundFileBuilder::write(const std::filesystem::path& path) const { writeBytes(path, bytes()); }

Bytes waveFormat(std::uint16_t tag, std::uint16_t channels, std::uint32_t sampleRate, std::uint16_t bits) {
    const std::uint32_t blockAlign = channels * ((bits + 7u) / 8u);
    Bytes out;
    appendUnsigned(out, tag, 2, Endian::LITTLE);
    appendUnsigned(out, channels, 2, Endian::LITTLE);
    appendUnsigned(out, sampleRate, 4, Endian::LITTLE);
    appendUnsigned(out, std::uint64_t(sampleRate) * blockAlign, 4, Endian::LITTLE);
    appendUnsigned(out, blockAlign, 2, Endian::LITTLE);
    appendUnsigned(out, bits, 2, Endian::LITTLE);
    return out;
}

Bytes waveExtensibleFormat(std::uint16_t subTag, std::uint16_t channels, std::uint32_t sampleRate, std::uint16_t bits) {
    Bytes out = waveFormat(0xFFFE, channels, sampleRate, bits);
    appendUnsigned(out, 22, 2, Endian::LITTLE);   // extension size
    appendUnsigned(out, bits, 2, Endian::LITTLE); // valid bits
    appendUnsigned(out, 0, 4, Endian::LITTLE);    // channel mask
    appendUnsigned(out, subTag, 2, Endian::LITTLE);
    const Bytes tail{0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80, 0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};
    out.insert(out.end(), tail.begin(), tail.end());
    return out;
}

Bytes extended80(double value) {
    Bytes out;
    if (value == 0) {
        out.assign(10, 0);
        return out;
    }
    int exponent = 0;
    const double fraction = std::frexp(std::abs(value), &exponent); // in [0.5, 1)
    const std::uint16_t signAndExponent = std::uint16_t((value < 0 ? 0x8000 : 0) | (exponent - 1 + 16383));
    const auto mantissa = std::uint64_t(std::ldexp(fraction, 64));
    appendUnsigned(out, signAndExponent, 2, Endian::BIG);
    appendUnsigned(out, mantissa, 8, Endian::BIG);
    return out;
}

Bytes commChunk(std::uint16_t channels, std::uint32_t frames, std::uint16_t bits, double sampleRate,
                std::string_view compression) {
    Bytes out;
    appendUnsigned(out, channels, 2, Endian::BIG);
    appendUnsigned(out, frames, 4, Endian::BIG);
    appendUnsigned(out, bits, 2, Endian::BIG);
    const Bytes rate = extended80(sampleRate);
    out.insert(out.end(), rate.begin(), rate.end());
    if (!compression.empty()) {
        appendId(out, compression);
        out.push_back(0); // empty name as a Pascal string, padded
        out.push_back(0);
    }
    return out;
}

Bytes ssndChunk(const Bytes& samples, std::uint32_t offset) {
    Bytes out;
    appendUnsigned(out, offset, 4, Endian::BIG);
    appendUnsigned(out, 0, 4, Endian::BIG);
    out.insert(out.end(), offset, 0xEE);
    out.insert(out.end(), samples.begin(), samples.end());
    return out;
}

Bytes encodeIntegers(const std::vector<std::int64_t>& codes, int bytesPerSample, Endian order) {
    Bytes out;
    for (const std::int64_t code : codes)
        appendUnsigned(out, std::uint64_t(code), bytesPerSample, order);
    return out;
}

int storedBytes(SampleType type) {
    switch (type) {
    case SampleType::UNSIGNED8:
    case SampleType::SIGNED8: return 1;
    case SampleType::INT16: return 2;
    case SampleType::INT24: return 3;
    case SampleType::INT32:
    case SampleType::FLOAT32: return 4;
    case SampleType::FLOAT64: return 8;
    }
    return 0;
}

Bytes encodeSamples(const std::vector<double>& values, SampleType type, Endian order) {
    Bytes out;
    for (const double value : values) {
        if (isInteger(type))
            appendUnsigned(out, std::uint64_t(integerCode(value, type)), storedBytes(type), order);
        else if (type == SampleType::FLOAT32)
            appendUnsigned(out, std::bit_cast<std::uint32_t>(float(value)), 4, order);
        else
            appendUnsigned(out, std::bit_cast<std::uint64_t>(value), 8, order);
    }
    return out;
}

Bytes buildSoundFile(const SoundRecipe& recipe) {
    SoundFileBuilder builder(recipe.container);
    const Bytes samples = encodeSamples(recipe.samples, recipe.type, builder.order());
    const auto bits = std::uint16_t(8 * storedBytes(recipe.type));
    if (recipe.container == Container::WAVE) {
        const std::uint16_t tag = isInteger(recipe.type) ? 1 : 3;
        return builder.chunk("fmt ", waveFormat(tag, recipe.channels, recipe.sampleRate, bits)).chunk("data", samples).bytes();
    }
    std::string_view compression;
    if (recipe.container == Container::AIFC)
        compression = recipe.type == SampleType::FLOAT32 ? "fl32" : recipe.type == SampleType::FLOAT64 ? "fl64" : "NONE";
    const auto frames = std::uint32_t(recipe.channels ? recipe.samples.size() / recipe.channels : 0);
    return builder.chunk("COMM", commChunk(recipe.channels, frames, bits, recipe.sampleRate, compression))
        .chunk("SSND", ssndChunk(samples))
        .bytes();
}

void writeSoundFile(const std::filesystem::path& path, const SoundRecipe& recipe) { writeBytes(path, buildSoundFile(recipe)); }

void writeBytes(const std::filesystem::path& path, const Bytes& data) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data.data()), std::streamsize(data.size()));
    if (!out)
        throw std::runtime_error("cannot write " + path.string());
}

} // namespace testing_support
