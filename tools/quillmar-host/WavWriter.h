#pragma once

#include <cstdint>
#include <filesystem>
#include <fstream>

namespace korvel::host {

enum class WavFormat { PCM16, FLOAT32 };

// Streams planar float blocks into a RIFF/WAVE file; the sizes are written by finish.
class WavWriter {
public:
    // Throws HostError when the file cannot be created.
    WavWriter(const std::filesystem::path& path, int channels, int sampleRate, WavFormat format);
    WavWriter(const WavWriter&) = delete;
    WavWriter& operator=(const WavWriter&) = delete;
    ~WavWriter();  // finishes a file that was not finished, without reporting failures

    // channels[c][i] for frame i of channel c. 16-bit samples are clipped to [-1, 1]; NaN becomes 0.
    // Throws HostError when the data would outgrow a WAV file or cannot be written.
    void write(const float* const* channels, int frames);
    // Completes the header; throws HostError on a write failure.
    void finish();

    std::int64_t framesWritten() const { return frames; }
    // Samples of a 16-bit file that lay beyond [-1, 1] and were clipped.
    std::int64_t clippedSamples() const { return clipped; }

private:
    void writeHeader();

    std::filesystem::path path;
    std::ofstream out;
    int channels;
    int sampleRate;
    WavFormat format;
    std::int64_t frames = 0;
    std::int64_t clipped = 0;
    bool finished = false;
};

}  // namespace korvel::host
