#include "audio/RiffCodec.h"

#include "audio/ByteReader.h"

#include <algorithm>
#include <cstring>
#include <string_view>

namespace audio {
namespace {

constexpr std::uint64_t CHUNK_HEADER = 8;
constexpr std::uint32_t WAVE_FORMAT_MIN = 16;
constexpr std::uint32_t WAVE_EXTENSIBLE_MIN = 40;
constexpr std::uint32_t COMM_MIN = 18;
constexpr std::uint32_t AIFC_COMM_MIN = 22;

constexpr std::uint16_t TAG_PCM = 1;
constexpr std::uint16_t TAG_FLOAT = 3;
constexpr std::uint16_t TAG_EXTENSIBLE = 0xFFFE;

// The sub-format GUID of an extensible WAV is the plain format tag followed by these bytes.
constexpr unsigned char SUBFORMAT_TAIL[14] = {0x00, 0x00, 0x00, 0x00, 0x10, 0x00, 0x80,
                                              0x00, 0x00, 0xAA, 0x00, 0x38, 0x9B, 0x71};

std::string_view idOf(const unsigned char* p) { return {reinterpret_cast<const char*>(p), 4}; }

// Integer samples of any bit depth sit left-justified in whole bytes.
std::uint32_t integerType(std::uint32_t bits) {
    const std::uint32_t container = (bits + 7) / 8;
    if (container == 4)
        return SampleFormat::INT32;
    return container <= 3 ? container : 0;
}

// 80-bit extended float; 0 for a rate below 1 Hz, from 2^32 up, negative or not a number.
std::uint32_t extendedRate(const unsigned char* p) {
    const std::uint16_t exponent = bytes::big16(p);
    const std::uint32_t mantissa = bytes::big32(p + 2);
    if (exponent < 16383 || exponent > 16414)
        return 0;
    return mantissa >> (16414 - exponent);
}

} // namespace

RiffCodec::RiffCodec(std::unique_ptr<FileReader>&& reader) : Codec(std::move(reader)) {
    unsigned char start[12];
    if (fileSize() < 4 || !readBytes(0, start, sizeof start))
        return;
    std::memcpy(formType.data(), start + 8, 4);
    const std::string_view container = idOf(start);
    if (container == "RIFF") {
        isRiff = 1;
        std::memcpy(formatChunk.id.data(), "fmt ", 4);
        std::memcpy(dataChunk.id.data(), "data", 4);
    } else if (container == "FORM") {
        std::memcpy(formatChunk.id.data(), "COMM", 4);
        std::memcpy(dataChunk.id.data(), "SSND", 4);
    } else {
        return;
    }
    walkChunks();
    if (!formatChunk.found())
        return;
    sampleFormat = readFormat(formatChunk);
    floatConverter = findConverter(sampleLayout());
    frames = countFrames();
}

std::uint64_t RiffCodec::frameCount() const { return frames; }

bool RiffCodec::holds(const ChunkRef& chunk, std::uint32_t minimum) const {
    return chunk.size >= minimum && chunk.offset + CHUNK_HEADER + minimum <= fileSize();
}

void RiffCodec::walkChunks() {
    // The first chunk follows the container id, its size and the form type.
    for (std::uint64_t offset = 12; offset + CHUNK_HEADER <= fileSize();) {
        unsigned char header[CHUNK_HEADER];
        if (!readBytes(offset, header, sizeof header))
            return;
        ChunkRef chunk;
        chunk.offset = offset;
        std::memcpy(chunk.id.data(), header, 4);
        chunk.size = isRiff ? bytes::little32(header + 4) : bytes::big32(header + 4);
        takeChunk(chunk);
        offset += CHUNK_HEADER + chunk.size + (chunk.size & 1);
    }
}

void RiffCodec::takeChunk(const ChunkRef& chunk) {
    if (chunk.id == formatChunk.id) {
        // A format chunk too short for its fixed fields is treated as absent.
        if (holds(chunk, isRiff ? WAVE_FORMAT_MIN : COMM_MIN))
            formatChunk = chunk;
        return;
    }
    if (chunk.id != dataChunk.id)
        return;
    if (isRiff) {
        dataChunk = chunk;
        dataOffset = chunk.offset + CHUNK_HEADER;
        return;
    }
    // SSND starts with its own offset and block size fields; the offset must be readable.
    unsigned char ssndOffset[4];
    if (chunk.offset + CHUNK_HEADER + 4 > fileSize() || !readBytes(chunk.offset + CHUNK_HEADER, ssndOffset, 4))
        return;
    dataChunk = chunk;
    dataOffset = chunk.offset + CHUNK_HEADER + 8 + bytes::big32(ssndOffset);
}

std::array<char, 4> RiffCodec::compressionType(const ChunkRef& comm) const {
    std::array<char, 4> type{};
    if (fileSize() >= 12 && std::string_view(formType.data(), 4) != "AIFC") {
        std::memcpy(type.data(), "NONE", 4);
    } else if (holds(comm, AIFC_COMM_MIN)) {
        unsigned char stored[4];
        if (readBytes(comm.offset + CHUNK_HEADER + COMM_MIN, stored, 4))
            std::memcpy(type.data(), stored, 4);
    }
    return type;
}

SampleFormat RiffCodec::readFormat(const ChunkRef& chunk) const {
    SampleFormat format;
    // The header and the longest fixed fields read (an extensible WAV's).
    unsigned char p[CHUNK_HEADER + WAVE_EXTENSIBLE_MIN] = {};
    if (!readBytes(chunk.offset, p, sizeof p))
        return format;
    if (chunk.hasId("fmt ") && holds(chunk, WAVE_FORMAT_MIN)) {
        std::uint16_t tag = bytes::little16(p + 8);
        format.channels = bytes::little16(p + 10);
        format.sampleRate = bytes::little32(p + 12);
        const std::uint16_t bits = bytes::little16(p + 22);
        if (tag == TAG_EXTENSIBLE) {
            const bool standard = holds(chunk, WAVE_EXTENSIBLE_MIN) &&
                                  std::memcmp(p + 34, SUBFORMAT_TAIL, sizeof SUBFORMAT_TAIL) == 0;
            tag = standard ? bytes::little16(p + 32) : 0;
        }
        if (tag == TAG_PCM)
            format.bytesPerSample = integerType(bits);
        else if (tag == TAG_FLOAT)
            format.bytesPerSample = bits == 64 ? 8 : 4;
        else
            format.bytesPerSample = 0;
    } else if (chunk.hasId("COMM") && holds(chunk, COMM_MIN)) {
        format.channels = bytes::big16(p + 8);
        const std::uint16_t bits = bytes::big16(p + 14);
        format.sampleRate = extendedRate(p + 16);
        const std::array<char, 4> compression = compressionType(chunk);
        const std::string_view type(compression.data(), compression.size());
        if (type == "NONE" || type == "twos" || type == "sowt")
            format.bytesPerSample = integerType(bits);
        else if (type == "fl32" || type == "FL32")
            format.bytesPerSample = 4;
        else if (type == "fl64" || type == "FL64")
            format.bytesPerSample = 8;
        else
            format.bytesPerSample = 0;
    }
    return format;
}

SampleLayout RiffCodec::sampleLayout() const {
    SampleLayout layout;
    layout.bytesPerSample = sampleFormat.bytesPerSample;
    layout.littleEndian = isRiff || std::string_view(compressionType(formatChunk).data(), 4) == "sowt";
    layout.unsigned8 = isRiff;
    return layout;
}

std::uint64_t RiffCodec::countFrames() const {
    const std::uint64_t frameBytes = sampleFormat.frameBytes();
    // A rate of 0 would make every time-based analysis meaningless.
    if (frameBytes == 0 || !dataChunk.found() || !floatConverter || sampleFormat.sampleRate == 0)
        return 0;
    const std::uint64_t headerInChunk = dataOffset - dataChunk.offset - CHUNK_HEADER;
    if (dataChunk.size < headerInChunk || fileSize() < dataOffset)
        return 0;
    return std::min((dataChunk.size - headerInChunk) / frameBytes, (fileSize() - dataOffset) / frameBytes);
}

} // namespace audio
