// Opens arbitrary bytes as a sound file and builds the sound pack from them.
// Beyond the sanitizers, a loaded pack must be consistent: finite samples and
// track values, and no "no data" marker (min above max) handed out as a peak.
#include "Require.h"

#include "audio/SoundPack.h"
#include "audio/Soundfile.h"

#include <unistd.h>

#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <string>

namespace {

using fuzz::require;

const std::filesystem::path& inputPath() {
    static const std::filesystem::path path =
        std::filesystem::temp_directory_path() / ("quillmar-fuzz-soundfile-" + std::to_string(::getpid()));
    return path;
}

void checkReadyPack(const audio::SoundPack& pack) {
    require(pack.frameCount() > 0 && pack.channels() > 0);
    require(pack.samples().size() == (pack.frameCount() + audio::SoundPack::WRAP_FRAMES) * pack.channels());
    for (const float sample : pack.samples())
        require(std::isfinite(sample));
    for (const float value : pack.amplitude().values)
        require(std::isfinite(value));
    for (const float value : pack.noisiness().values)
        require(std::isfinite(value));
    const auto peakCount = std::uint32_t(pack.peaks().values.size());
    for (std::uint32_t index = 0; index <= peakCount; ++index) {
        for (const float zoom : {1.0f, 3.0f}) {
            const auto [lo, hi] = pack.peaks().get(index, zoom);
            require(lo <= hi);
        }
    }
    require(pack.minPeak() <= pack.maxPeak());
    require(std::isfinite(pack.amplitude().valueAt(-1)) && std::isfinite(pack.noisiness().valueAt(-1)));
}

} // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    {
        std::ofstream out(inputPath(), std::ios::binary | std::ios::trunc);
        out.write(reinterpret_cast<const char*>(data), std::streamsize(size));
    }
    const std::wstring path = inputPath().wstring();
    const audio::SoundPack pack(std::make_shared<audio::Soundfile>(path), path);
    require(pack.state() == audio::LoadState::READY || pack.state() == audio::LoadState::NO_FRAMES);
    if (pack.state() == audio::LoadState::READY)
        checkReadyPack(pack);
    return 0;
}
