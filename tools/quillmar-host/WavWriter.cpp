#include "WavWriter.h"

#include "HostError.h"

#include <algorithm>
#include <bit>
#include <cmath>
#include <fcntl.h>
#include <limits>
#include <unistd.h>

namespace korvel::host {

namespace {

constexpr std::uint16_t FORMAT_PCM = 1;
constexpr std::uint16_t FORMAT_IEEE_FLOAT = 3;
// Samples are held back up to this many bytes (or one second of sound) between writes.
constexpr std::size_t HOLD_BYTES = 1 << 16;

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

// Writes all size bytes at the file's offset (or at `at` when given); returns the bytes written,
// short of size only when a write failed (errno tells why).
std::size_t writeAll(int file, const char* data, std::size_t size, off_t at = -1) {
    std::size_t done = 0;
    while (done < size) {
        const ssize_t n = at < 0 ? ::write(file, data + done, size - done)
                                 : ::pwrite(file, data + done, size - done, at + static_cast<off_t>(done));
        if (n < 0 && errno == EINTR) continue;
        if (n <= 0) break;
        done += static_cast<std::size_t>(n);
    }
    return done;
}

}  // namespace

WavWriter::WavWriter(const std::filesystem::path& path, int channels, int sampleRate, WavFormat format)
    : path(path), channels(channels), sampleRate(sampleRate), format(format) {
    file = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
    if (file < 0) throw HostError("cannot create " + path.string() + ": " + systemReason());
    const std::vector<char> bytes = header();
    if (writeAll(file, bytes.data(), bytes.size()) != bytes.size()) {
        const std::string reason = systemReason();
        ::close(file);
        throw HostError("cannot write " + path.string() + ": " + reason);
    }
}

WavWriter::~WavWriter() {
    try {
        finish();
    } catch (const HostError&) {  // a destructor cannot report; finish() is the checked road
    }
}

std::uint32_t WavWriter::frameBytes() const { return bytesPerSample(format) * static_cast<std::uint32_t>(channels); }

std::vector<char> WavWriter::header() const {
    const std::uint32_t sampleBytes = bytesPerSample(format);
    const std::uint32_t blockAlign = frameBytes();
    const auto dataBytes = static_cast<std::uint32_t>(framesInFile * blockAlign);
    const bool isFloat = format == WavFormat::FLOAT32;

    std::vector<char> bytes;
    bytes.reserve(64);
    putTag(bytes, "RIFF");
    putU32(bytes, 0);  // patched below, once the header's own size is known
    putTag(bytes, "WAVE");
    putTag(bytes, "fmt ");
    putU32(bytes, isFloat ? 18 : 16);
    putU16(bytes, isFloat ? FORMAT_IEEE_FLOAT : FORMAT_PCM);
    putU16(bytes, static_cast<std::uint16_t>(channels));
    putU32(bytes, static_cast<std::uint32_t>(sampleRate));
    putU32(bytes, static_cast<std::uint32_t>(sampleRate) * blockAlign);
    putU16(bytes, static_cast<std::uint16_t>(blockAlign));
    putU16(bytes, static_cast<std::uint16_t>(sampleBytes * 8));
    if (isFloat) {
        putU16(bytes, 0);  // no extension bytes
        // Readers expect a fact chunk in every non-PCM file.
        putTag(bytes, "fact");
        putU32(bytes, 4);
        putU32(bytes, static_cast<std::uint32_t>(framesInFile));
    }
    putTag(bytes, "data");
    putU32(bytes, dataBytes);
    std::vector<char> riffSize;
    putU32(riffSize, static_cast<std::uint32_t>(bytes.size() - 8 + dataBytes));
    std::copy(riffSize.begin(), riffSize.end(), bytes.begin() + 4);
    return bytes;
}

void WavWriter::write(const float* const* source, int count) {
    if (!failure.empty()) throw HostError(failure);
    const std::int64_t limit = (std::numeric_limits<std::uint32_t>::max() - 64) / frameBytes();
    if (frames + count > limit) throw HostError("the rendering is too long for a WAV file: " + path.string());
    for (int frame = 0; frame < count; ++frame) {
        for (int channel = 0; channel < channels; ++channel) {
            const float sample = source[channel][frame];
            if (format == WavFormat::PCM16) {
                if (std::fabs(sample) > 1.0f) ++clipped;
                putU16(heldBack, static_cast<std::uint16_t>(toPcm16(sample)));
            } else {
                putU32(heldBack, std::bit_cast<std::uint32_t>(sample));
            }
        }
    }
    frames += count;
    if (heldBack.size() >= HOLD_BYTES || frames - framesInFile >= sampleRate) flush();
}

void WavWriter::flush() {
    const std::size_t written = writeAll(file, heldBack.data(), heldBack.size());
    const std::string reason = written < heldBack.size() ? systemReason() : std::string();
    // A frame cut by a failed write is left out of the sizes.
    framesInFile += static_cast<std::int64_t>(written / frameBytes());
    heldBack.clear();
    const std::vector<char> bytes = header();
    const bool sized = writeAll(file, bytes.data(), bytes.size(), 0) == bytes.size();
    if (!reason.empty()) fail(reason);
    if (!sized) fail(systemReason());
}

void WavWriter::fail(const std::string& reason) {
    failure = "cannot write " + path.string() + ": " + reason;
    throw HostError(failure);
}

void WavWriter::finish() {
    if (finished) return;
    finished = true;
    try {
        if (failure.empty()) flush();
    } catch (const HostError&) {
        ::close(file);
        throw;
    }
    if (::close(file) != 0) fail(systemReason());
    if (!failure.empty()) throw HostError(failure);
}

}  // namespace korvel::host
