// Loading and analysing a long sound against plain decoding of the same file,
// and a storm of requests for many sounds through the engine's loader.
// Reports wall seconds per load and the peak resident memory of each run
// (file reads included), next to the size of one float copy of the frames.
#include "audio/SoundPack.h"
#include "audio/Soundfile.h"
#include "synth/Synth.h"

#include <benchmark/benchmark.h>

#include <unistd.h>

#include <algorithm>
#include <cmath>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <numbers>
#include <stdexcept>
#include <string>
#include <thread>
#include <vector>

namespace {

constexpr std::uint32_t SAMPLE_RATE = 48000;
constexpr std::uint32_t CHANNELS = 2;
constexpr std::uint64_t FRAMES = 10ull * 60 * SAMPLE_RATE;
constexpr double MIB = 1024.0 * 1024.0;
// The storm: this many distinct paths, links to one 20-second sound.
constexpr int STORM_REQUESTS = 100;
constexpr std::uint64_t STORM_FRAMES = 20ull * SAMPLE_RATE;

void putLittle(std::ofstream& out, std::uint64_t value, int bytes) {
    for (int i = 0; i < bytes; ++i)
        out.put(char(value >> (8 * i)));
}

// A 48 kHz stereo 24-bit WAV (a tone under seeded noise), written in slices
// so that the benchmark process never holds the whole file itself.
class LongSound {
public:
    LongSound(const std::string& name, std::uint64_t frames) {
        const std::string folderName = "quillmar-bench-" + std::to_string(::getpid()) + "-" + name;
        folder = std::filesystem::temp_directory_path() / folderName;
        std::filesystem::create_directories(folder);
        path = folder / (name + ".wav");
        std::ofstream out(path, std::ios::binary);
        const std::uint64_t dataBytes = frames * CHANNELS * 3;
        out.write("RIFF", 4);
        putLittle(out, 36 + dataBytes, 4);
        out.write("WAVEfmt ", 8);
        putLittle(out, 16, 4);
        putLittle(out, 1, 2);
        putLittle(out, CHANNELS, 2);
        putLittle(out, SAMPLE_RATE, 4);
        putLittle(out, SAMPLE_RATE * CHANNELS * 3, 4);
        putLittle(out, CHANNELS * 3, 2);
        putLittle(out, 24, 2);
        out.write("data", 4);
        putLittle(out, dataBytes, 4);

        std::uint32_t noise = 12345;
        std::vector<char> slice;
        for (std::uint64_t frame = 0; frame < frames;) {
            slice.clear();
            for (int i = 0; i < 65536 && frame < frames; ++i, ++frame) {
                const double tone = 0.4 * std::sin(2 * std::numbers::pi * 220.0 * double(frame) / SAMPLE_RATE);
                for (std::uint32_t c = 0; c < CHANNELS; ++c) {
                    noise = noise * 1664525u + 1013904223u;
                    const double x = tone + 0.1 * (double(noise >> 8) / 16777216.0 - 0.5);
                    const auto code = std::int32_t(std::lround(x * 8388607.0));
                    for (int b = 0; b < 3; ++b)
                        slice.push_back(char(std::uint32_t(code) >> (8 * b)));
                }
            }
            out.write(slice.data(), std::streamsize(slice.size()));
        }
        if (!out)
            throw std::runtime_error("cannot write " + path.string());
    }
    ~LongSound() {
        std::error_code ignored;
        std::filesystem::remove_all(folder, ignored);
    }

    std::filesystem::path folder;
    std::filesystem::path path;
};

const LongSound& longSound() {
    static const LongSound sound("ten-minutes", FRAMES);
    return sound;
}

// STORM_REQUESTS links to one sound: to the loader, as many different files.
std::vector<std::string> stormPaths() {
    static const LongSound sound("storm", STORM_FRAMES);
    std::vector<std::string> paths;
    for (int i = 0; i < STORM_REQUESTS; ++i) {
        const std::filesystem::path link = sound.folder / ("link-" + std::to_string(i) + ".wav");
        if (!std::filesystem::exists(link))
            std::filesystem::create_symlink(sound.path, link);
        paths.push_back(link.string());
    }
    return paths;
}

// Resets the kernel's peak-RSS mark, so each run reports its own peak.
void resetPeakMemory() {
    std::ofstream("/proc/self/clear_refs") << "5";
}

int threadCount() {
    int n = 0;
    for ([[maybe_unused]] const auto& task : std::filesystem::directory_iterator("/proc/self/task"))
        ++n;
    return n;
}

double peakMemoryMiB() {
    std::ifstream status("/proc/self/status");
    for (std::string line; std::getline(status, line);)
        if (line.rfind("VmHWM:", 0) == 0)
            return std::stod(line.substr(6)) / 1024.0;
    return 0;
}

// One float copy of a sound's frames, as a loaded pack holds them.
double floatCopyMiB(std::uint64_t frames) {
    return double((frames + audio::SoundPack::WRAP_FRAMES) * CHANNELS * sizeof(float)) / MIB;
}

void report(benchmark::State& state, double peak) {
    state.counters["peak_MiB"] = peak;
    state.counters["float_copy_MiB"] = floatCopyMiB(FRAMES);
    state.counters["file_MiB"] = double(std::filesystem::file_size(longSound().path)) / MIB;
}

void BM_PlainDecode(benchmark::State& state) {
    const std::wstring path = longSound().path.wstring();
    double peak = 0;
    for (auto _ : state) {
        resetPeakMemory();
        const audio::Soundfile file(path);
        const audio::Codec& codec = *file.codec();
        std::vector<float> samples((file.frameCount() + audio::SoundPack::WRAP_FRAMES) * CHANNELS);
        codec.readFrames(samples.data(), file.frameCount());
        benchmark::DoNotOptimize(samples.data());
        peak = std::max(peak, peakMemoryMiB());
    }
    report(state, peak);
}

void BM_LoadAndAnalyse(benchmark::State& state) {
    const std::wstring path = longSound().path.wstring();
    double peak = 0;
    for (auto _ : state) {
        resetPeakMemory();
        const audio::SoundPack pack(std::make_shared<audio::Soundfile>(path), path);
        if (pack.state() != audio::LoadState::READY)
            state.SkipWithError("the sound did not load");
        benchmark::DoNotOptimize(pack.samples().data());
        peak = std::max(peak, peakMemoryMiB());
    }
    report(state, peak);
}

// The user drops one file after another faster than they load; only the last
// one is installed. Time until every load has settled, with the peak thread
// count and the peak resident memory of the process meanwhile.
void BM_LoadStorm(benchmark::State& state) {
    const std::vector<std::string> paths = stormPaths();
    double peakMemory = 0;
    int peakThreads = 0;
    const int threadsBefore = threadCount();
    for (auto _ : state) {
        resetPeakMemory();
        {
            korvel::veldro::Synth synth;
            synth.setSampleRate(SAMPLE_RATE);
            for (const std::string& path : paths) {
                synth.loadSound(path, {});
                synth.pollLoads();
                peakThreads = std::max(peakThreads, threadCount());
            }
            while (synth.pollLoads() > 0) {
                peakThreads = std::max(peakThreads, threadCount());
                std::this_thread::yield();
            }
            if (!synth.isSoundReady())
                state.SkipWithError("the last sound did not load");
        }
        peakMemory = std::max(peakMemory, peakMemoryMiB());
    }
    state.counters["peak_MiB"] = peakMemory;
    state.counters["sound_float_MiB"] = floatCopyMiB(STORM_FRAMES);
    state.counters["threads_added"] = peakThreads - threadsBefore;
}

} // namespace

BENCHMARK(BM_PlainDecode)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_LoadAndAnalyse)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
BENCHMARK(BM_LoadStorm)->Unit(benchmark::kMillisecond)->UseRealTime()->Iterations(3);
