// Render cost of the grain engine: nanoseconds per grain-frame (one grain
// through one output frame) and the real-time factor (seconds of audio per
// second of one core) at 44.1 kHz in 512-frame blocks, for bare grains at
// several densities on a stereo and a mono sound, and for 100 and 1000 grains
// with every effect and the delay on.
#include "audio/SoundPack.h"
#include "audio/Soundfile.h"
#include "synth/Synth.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <cstdint>
#include <filesystem>
#include <fstream>
#include <memory>
#include <random>
#include <string>

namespace {

using korvel::veldro::Synth;

constexpr double SAMPLE_RATE = 44100.0;
constexpr int BLOCK = 512;
constexpr int SOUND_FRAMES = 10 * 44100;

void putLittle(std::ofstream& out, std::uint64_t value, int bytes)
{
    for (int i = 0; i < bytes; ++i)
        out.put(char(value >> (8 * i)));
}

// Ten seconds of seeded noise as a 32-bit float WAV, loaded as the loader
// would; the file is removed once loaded.
std::shared_ptr<audio::SoundPack> noiseSound(int channels)
{
    const auto path = std::filesystem::temp_directory_path() /
                      ("quillmar-grain-bench-" + std::to_string(::getpid()) + ".wav");
    {
        std::ofstream out(path, std::ios::binary);
        const std::uint64_t dataBytes = std::uint64_t(SOUND_FRAMES) * channels * 4;
        out.write("RIFF", 4);
        putLittle(out, 36 + dataBytes, 4);
        out.write("WAVEfmt ", 8);
        putLittle(out, 16, 4);
        putLittle(out, 3, 2); // IEEE float
        putLittle(out, channels, 2);
        putLittle(out, 44100, 4);
        putLittle(out, 44100 * 4 * channels, 4);
        putLittle(out, 4 * channels, 2);
        putLittle(out, 32, 2);
        out.write("data", 4);
        putLittle(out, dataBytes, 4);
        std::mt19937 random(2024);
        std::uniform_real_distribution<float> values(-0.5f, 0.5f);
        for (int i = 0; i < channels * SOUND_FRAMES; ++i) {
            const float x = values(random);
            out.write(reinterpret_cast<const char*>(&x), sizeof x);
        }
    }
    auto pack = std::make_shared<audio::SoundPack>(std::make_shared<audio::Soundfile>(path.wstring()), path.wstring());
    std::filesystem::remove(path);
    return pack;
}

void runGrains(benchmark::State& state, bool effects, int channels)
{
    static const std::shared_ptr<audio::SoundPack> stereo = noiseSound(2);
    static const std::shared_ptr<audio::SoundPack> mono = noiseSound(1);
    const std::shared_ptr<audio::SoundPack>& sound = channels == 1 ? mono : stereo;
    auto synth = std::make_unique<Synth>();
    synth->setSampleRate(SAMPLE_RATE);
    auto& params = synth->getParams();
    // One-second grains at N per second: about N play at once.
    params.setParam(4, double(state.range(0)), 0.0);
    params.setParam(5, 1000.0, 0.0);
    if (effects) {
        params.setParam(13, 2.0, 0.0);   // overdrive
        params.setParam(14, 8.0, 0.0);   // crusher
        params.setParam(15, 20.0, 0.0);  // tone
        params.setParam(18, 0.3, 0.0);   // both filters
        params.setParam(19, 0.3, 0.0);
        params.setParam(20, 0.3, 0.0);
        params.setParam(23, 200.0, 0.0); // delay with feedback
        params.setParam(24, 0.5, 0.0);
    }
    synth->setSound(sound);
    synth->resume();
    float left[BLOCK], right[BLOCK];
    float* outputs[] = {left, right};
    for (int i = 0; i < 2 * 44100 / BLOCK; ++i)
        synth->render(outputs, BLOCK);

    double grainFrames = 0.0;
    for (auto _ : state) {
        grainFrames += double(synth->activeGrainCount()) * BLOCK;
        synth->render(outputs, BLOCK);
        benchmark::DoNotOptimize(left[0]);
    }
    const double frames = double(state.iterations()) * BLOCK;
    state.counters["grains"] = grainFrames / frames;
    state.counters["time_per_grain_frame"] =
        benchmark::Counter(grainFrames, benchmark::Counter::kIsRate | benchmark::Counter::kInvert);
    state.counters["realtime_factor"] = benchmark::Counter(frames / SAMPLE_RATE, benchmark::Counter::kIsRate);
}

void bareGrains(benchmark::State& state) { runGrains(state, false, 2); }
void bareGrainsMono(benchmark::State& state) { runGrains(state, false, 1); }
void grainsWithEveryEffect(benchmark::State& state) { runGrains(state, true, 2); }

BENCHMARK(bareGrains)->Arg(25)->Arg(100)->Arg(400)->Arg(1000)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(bareGrainsMono)->Arg(25)->Arg(100)->Arg(400)->Arg(1000)->Unit(benchmark::kMicrosecond)->UseRealTime();
BENCHMARK(grainsWithEveryEffect)->Arg(100)->Arg(1000)->Unit(benchmark::kMicrosecond)->UseRealTime();

} // namespace
