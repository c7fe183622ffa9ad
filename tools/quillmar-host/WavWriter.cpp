#include "WavWriter.h"

#include "HostError.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <limits>
#include <vector>

namespace korvel::host {

namespace {

constexpr std::uint16_t FORMAT_PCM = 1;
constexpr std::uint16_t FORMAT_IEEE_FLOAT = 3;

void putU16(std::vector<char>& bytes, std::uint16_t value) {
    bytes.push_back(static_cast<char>(value & 0xFF));
    bytes.push_back(static_cast<char>(value >> 8));
}

void putU32(std::vector<char>& bytes, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) bytes.push_back(static_cast<char>((value >> shift) & 0xFF));
}

void putTag(std::vector<char>& bytes, const char* tag) { bytes.insert(bytes.end(), tag, tag + 4); }

std::uint32_t bytesPerSample(WavFormat format) { return format == WavFormat::PCM16 ? 2 : 4; }

std::int16_t toPcm16(float sample) {
    if (std::isnan(sample)) return 0;
    return static_cast<std::int16_t>(std::lround(std::clamp(sample, -1.0f, 1.0f) * 32767.0f));
}

}  // namespace

WavWriter::WavWriter(const std::filesystem::path& path, int channels, int sampleRate, WavFormat format)
    : path(path), out(path, std::ios::binary | std::ios::trunc), channels(channels), sampleRate(sampleRate),
      format(format) {
    if (!out) throw HostError("cannot create " + path.string());
    writeHeader();
}

WavWriter::~WavWriter() {
    if (finished) return;
    try {
        finish();
    } catch (const HostError&) {  // a destructor cannot report; finish() is the checked road
    }
}

void WavWriter::writeHeader() {
    const std::uint32_t sampleBytes = bytesPerSample(format);
    const std::uint32_t blockAlign = sampleBytes * static_cast<std::uint32_t>(channels);
    const auto dataBytes = static_cast<std::uint32_t>(frames * blockAlign);
    const bool isFloat = format == WavFormat::FLOAT32;

    std::vector<char> header;
    putTag(header, "RIFF");
    putU32(header, 0);  // patched below, once the header's own size is known
    putTag(header, "WAVE");
    putTag(header, "fmt ");
    putU32(header, isFloat ? 18 : 16);
    putU16(header, isFloat ? FORMAT_IEEE_FLOAT : FORMAT_PCM);
    putU16(header, static_cast<std::uint16_t>(channels));
    putU32(header, static_cast<std::uint32_t>(sampleRate));
    putU32(header, static_cast<std::uint32_t>(sampleRate) * blockAlign);
    putU16(header, static_cast<std::uint16_t>(blockAlign));
    putU16(header, static_cast<std::uint16_t>(sampleBytes * 8));
    if (isFloat) {
        putU16(header, 0);  // no extension bytes
        // Readers expect a fact chunk in every non-PCM file.
        putTag(header, "fact");
        putU32(header, 4);
        putU32(header, static_cast<std::uint32_t>(frames));
    }
    putTag(header, "data");
    putU32(header, dataBytes);
    std::vector<char> riffSize;
    putU32(riffSize, static_cast<std::uint32_t>(header.size() - 8 + dataBytes));
    std::copy(riffSize.begin(), riffSize.end(), header.begin() + 4);

    out.seekp(0);
    out.write(header.data(), static_cast<std::streamsize>(header.size()));
    out.seekp(0, std::ios::end);
}

void WavWriter::write(const float* const* source, int count) {
    const std::int64_t limit = (std::numeric_limits<std::uint32_t>::max() - 64) /
                               (bytesPerSample(format) * static_cast<std::uint32_t>(channels));
    if (frames + count > limit) throw HostError("the rendering is too long for a WAV file: " + path.string());
    std::vector<char> bytes;
    bytes.reserve(static_cast<std::size_t>(count) * static_cast<std::size_t>(channels) * 4);
    for (int frame = 0; frame < count; ++frame) {
        for (int channel = 0; channel < channels; ++channel) {
            const float sample = source[channel][frame];
            if (format == WavFormat::PCM16) {
                if (std::fabs(sample) > 1.0f) ++clipped;
                putU16(bytes, static_cast<std::uint16_t>(toPcm16(sample)));
            } else {
                putU32(bytes, std::bit_cast<std::uint32_t>(sample));
            }
        }
    }
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
    if (!out) throw HostError("cannot write " + path.string());
    frames += count;
}

void WavWriter::finish() {
    finished = true;
    writeHeader();
    out.close();
    if (!out) throw HostError("cannot write " + path.string());
}

}  // namespace korvel::host
