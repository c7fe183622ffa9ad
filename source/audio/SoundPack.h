#pragma once

#include "audio/Amplitude.h"
#include "audio/LoadState.h"
#include "audio/Noisiness.h"
#include "audio/Peaks.h"
#include "audio/SampleFormat.h"

#include <atomic>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

namespace audio {

class Soundfile;

// One loaded sound: format, path, load state, all frames as interleaved floats
// and the analysis tracks. Shared by std::shared_ptr; never changed once READY.
//
// Threads: the loading constructor runs on the loading worker (and shares the
// analyses of a long sound out over a few threads of its own); the placeholder
// one on the editor thread. state() and setState() may be called from any thread.
// Everything else may be read only after state() returned READY, which
// publishes the samples and tracks.
class SoundPack {
public:
    // Frames after the last frame that repeat the first ones, so interpolating
    // readers may run past the end.
    static constexpr std::uint64_t WRAP_FRAMES = 10;

    // The empty placeholder (state EMPTY) for a path not yet loaded.
    explicit SoundPack(std::wstring name);
    // Decodes and analyses the file; ends in READY, NO_FRAMES (nothing to
    // decode) or FAILED (an exception while reading or analysing). Never throws.
    SoundPack(std::shared_ptr<Soundfile> file, std::wstring name);
    virtual ~SoundPack() = default;

    SoundPack(const SoundPack&) = delete;
    SoundPack& operator=(const SoundPack&) = delete;

    // --- any thread
    std::int32_t state() const { return loadState.load(std::memory_order_acquire); }
    void setState(std::int32_t state) { loadState.store(state, std::memory_order_release); }
    const std::wstring& name() const { return path; }

    // --- any thread, once READY
    const SampleFormat& format() const { return sampleFormat; }
    std::uint32_t channels() const { return sampleFormat.channels; }
    // Frames of the sound, without the wrap frames.
    std::uint64_t frameCount() const { return frames; }
    // (frameCount() + WRAP_FRAMES) * channels() interleaved floats.
    const std::vector<float>& samples() const { return frameData; }
    const Amplitude& amplitude() const { return amplitudeTrack; }
    const Noisiness& noisiness() const { return noisinessTrack; }
    const Peaks& peaks() const { return peaksTrack; }
    // Extremes over all full peak blocks; 0 when there is none.
    float minPeak() const { return lowestPeak; }
    float maxPeak() const { return highestPeak; }

private:
    void load(const Soundfile& file);
    void readFrames(const Soundfile& file);

    SampleFormat sampleFormat;
    std::wstring path;
    std::atomic<std::int32_t> loadState{LoadState::EMPTY};
    Amplitude amplitudeTrack;
    Noisiness noisinessTrack;
    Peaks peaksTrack;
    float lowestPeak = 0.0f;
    float highestPeak = 0.0f;
    std::uint64_t frames = 0;
    std::vector<float> frameData;
};

} // namespace audio
