#pragma once

#include <cstdint>
#include <filesystem>
#include <string>
#include <vector>

namespace korvel::host {

enum class WavFormat { PCM16, FLOAT32 };

// Streams planar float blocks into a RIFF/WAVE file. The header's sizes are rewritten each time
// a stretch of samples has reached the file (at least every second of sound), so a rendering
// stopped at any point, killed or by a failed write, leaves a file whose header claims the
// samples that are there.
class WavWriter {
public:
    // Throws HostError, with the system's reason, when the file cannot be created.
    WavWriter(const std::filesystem::path& path, int channels, int sampleRate, WavFormat format);
    WavWriter(const WavWriter&) = delete;
    WavWriter& operator=(const WavWriter&) = delete;
    ~WavWriter();  // finishes a file that was not finished, without reporting failures

    // channels[c][i] for frame i of channel c. 16-bit samples are clipped to [-1, 1]; NaN becomes 0.
    // Throws HostError when the data would outgrow a WAV file or cannot be written (with the
    // system's reason); the file then keeps what was written before, its header true to it.
    void write(const float* const* channels, int frames);
    // Writes what is held back and closes the file; throws HostError on a write failure.
    void finish();

    std::int64_t framesWritten() const { return frames; }
    // Samples of a 16-bit file that lay beyond [-1, 1] and were clipped.
    std::int64_t clippedSamples() const { return clipped; }

private:
    std::vector<char> header() const;
    std::uint32_t frameBytes() const;
    // Hands the held-back samples to the file, then the header's sizes for what it now holds.
    void flush();
    [[noreturn]] void fail(const std::string& reason);

    std::filesystem::path path;
    int file = -1;
    int channels;
    int sampleRate;
    WavFormat format;
    std::int64_t frames = 0;      // given to write
    std::int64_t framesInFile = 0;
    std::vector<char> heldBack;   // samples not yet in the file
    std::int64_t clipped = 0;
    std::string failure;          // the first write failure; the file takes nothing after it
    bool finished = false;
};

}  // namespace korvel::host
