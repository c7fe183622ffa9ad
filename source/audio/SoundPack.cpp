#include "audio/SoundPack.h"

#include "audio/AnalysisThreads.h"
#include "audio/Soundfile.h"

#include <algorithm>
#include <cstring>
#include <exception>
#include <functional>
#include <future>

namespace audio {
namespace {

// Sample vectors from this size on are worth a thread of their own.
constexpr std::size_t PARALLEL_SAMPLES = 1 << 16;

} // namespace

SoundPack::SoundPack(std::wstring name) : path(std::move(name)) {}

SoundPack::SoundPack(std::shared_ptr<Soundfile> file, std::wstring name) : path(std::move(name)) {
    try {
        if (file)
            load(*file);
        else
            setState(LoadState::NO_FRAMES);
    } catch (const std::exception&) {
        setState(LoadState::FAILED);
    }
}

void SoundPack::load(const Soundfile& file) {
    if (const Codec* codec = file.codec())
        sampleFormat = codec->format();
    setState(LoadState::READING);
    frames = file.frameCount();
    // Nothing decodable must never turn into a silent "ready" sound.
    if (frames == 0) {
        setState(LoadState::NO_FRAMES);
        return;
    }
    readFrames(file);

    // The amplitude smoother is one long serial recurrence; for a long sound it
    // runs on its own thread beside the other two analyses. Each track has one writer.
    setState(LoadState::AMPLITUDE);
    auto computeAmplitude = [this] { amplitudeTrack.compute(sampleFormat, frameData); };
    auto amplitudeDone = frameData.size() >= PARALLEL_SAMPLES ? AnalysisThreads::start(computeAmplitude)
                                                             : std::async(std::launch::deferred, computeAmplitude);

    setState(LoadState::PEAKS);
    const auto [lowest, highest] = peaksTrack.compute(sampleFormat, frameData);
    // Without a full block the extremes are still the "no data" marker.
    if (lowest <= highest) {
        lowestPeak = lowest;
        highestPeak = highest;
    }

    setState(LoadState::NOISINESS);
    noisinessTrack.compute(sampleFormat, frameData);
    amplitudeDone.get();

    setState(LoadState::READY);
}

void SoundPack::readFrames(const Soundfile& file) {
    const std::size_t channels = sampleFormat.channels;
    frameData.assign((frames + WRAP_FRAMES) * channels, 0.0f);
    const Codec& codec = *file.codec();
    std::uint64_t decoded = std::min(codec.frameCount(), frames);
    if (codec.converter())
        codec.readFrames(frameData.data(), decoded);
    else
        decoded = 0;
    // The wrap frames repeat the start; the ranges overlap for very short sounds.
    std::memmove(frameData.data() + decoded * channels, frameData.data(), WRAP_FRAMES * channels * sizeof(float));
}

} // namespace audio
