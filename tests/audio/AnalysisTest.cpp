#include "audio/Amplitude.h"
#include "audio/AnalysisThreads.h"
#include "audio/Noisiness.h"
#include "audio/Peaks.h"
#include "audio/RealFFT.h"
#include "audio/WrapIndex.h"

#include <gtest/gtest.h>

#include <chrono>
#include <cmath>
#include <complex>
#include <future>
#include <limits>
#include <memory>
#include <numbers>
#include <random>
#include <system_error>
#include <thread>
#include <utility>

using audio::SampleFormat;

namespace {

const SampleFormat MONO{44100, 1, 4};

std::vector<float> ramp(std::size_t count) {
    std::vector<float> out(count);
    for (std::size_t i = 0; i < count; ++i)
        out[i] = float(i) / 64.0f - 1.0f;
    return out;
}

// Noisiness as a plain single pass over the hops, to hold the shared-out analysis against.
std::vector<float> serialNoisiness(const std::vector<float>& mono) {
    std::vector<float> values;
    std::vector<double> previous(64), current(64);
    float largest = 0;
    for (std::size_t hop = 0, p = 0; p < mono.size(); ++hop, p += 32) {
        for (std::size_t i = 0; i < 64; ++i)
            current[i] = p + i < mono.size() ? mono[p + i] * (0.5 - 0.5 * std::cos(2 * std::numbers::pi * double(i + 1) / 65)) : 0.0;
        audio::realFFT(current.data(), 64);
        double squares = 0, biggest = 0;
        int active = 0;
        for (std::size_t k = 0; k < 32; ++k) {
            squares += (previous[k] - current[k]) * (previous[k] - current[k]);
            biggest = std::max(biggest, std::abs(previous[k] - current[k]));
            active += std::abs(current[k]) > 0.02;
        }
        const double flux = (squares + biggest) * (1 + active);
        if (hop % 2 == 1) {
            values.push_back(float(flux));
        } else if (hop > 0) {
            values.back() = float(values.back() + flux);
            largest = std::max(largest, values.back());
        }
        std::swap(previous, current);
    }
    for (float& value : values)
        value = float(value * (1.0 / largest));
    return values;
}

} // namespace

TEST(RealFFT, MatchesTheDefinitionOfTheTransform) {
    std::mt19937 random(42);
    std::uniform_real_distribution<double> value(-1.0, 1.0);
    for (const int n : {2, 4, 8, 16, 32, 64, 256, 1024}) {
        SCOPED_TRACE(n);
        std::vector<double> input(n);
        for (double& x : input)
            x = value(random);
        std::vector<double> data = input;
        audio::realFFT(data.data(), n);
        for (int k = 0; k <= n / 2; ++k) {
            std::complex<double> sum;
            for (int t = 0; t < n; ++t)
                sum += input[t] * std::polar(1.0, -2.0 * std::numbers::pi * k * t / n);
            sum /= n;
            EXPECT_NEAR(data[k], sum.real(), 1e-12) << "Re " << k;
            if (k > 0 && k < n / 2) {
                EXPECT_NEAR(data[n - k], sum.imag(), 1e-12) << "Im " << k;
            }
        }
    }
}

TEST(WrapIndex, FoldsPositionsIntoTheRange) {
    struct Case {
        std::int32_t position;
        std::uint64_t low, high;
        std::int32_t expected;
    };
    const std::uint64_t n = 100;
    for (const Case c : {Case{-1, 0, n - 1, 98}, Case{int(n) + 5, 0, n - 1, 6}, Case{0, 0, n - 1, 0},
                         Case{99, 0, n - 1, 99}, Case{-250, 0, n - 1, 47}, Case{-3, 10, 20, 17},
                         Case{25, 10, 20, 15}, Case{3, 10, 20, 13}, Case{-30, 10, 20, 10}, Case{5, 0, 0, 0},
                         Case{-1, 0, 0, 0}, Case{7, 3, 3, 3}}) {
        EXPECT_EQ(audio::wrapIndex(c.position, c.low, c.high), c.expected)
            << c.position << " in [" << c.low << ", " << c.high << "]";
    }
}

TEST(ValueTrack, ReadsWrappedAndEmptyTracks) {
    audio::Amplitude track;
    EXPECT_EQ(track.valueAt(0), 0.0f);
    EXPECT_EQ(track.valueAt(-5), 0.0f);
    track.values = {0.25f, 0.5f, 0.75f};
    EXPECT_EQ(track.valueAt(1), 0.5f);
    EXPECT_EQ(track.valueAt(-1), 0.5f);
    EXPECT_EQ(track.valueAt(4), 0.25f);
    track.values = {0.5f};
    EXPECT_EQ(track.valueAt(3), 0.5f);
}

TEST(Peaks, TracksMinimumAndMaximumPerBlock) {
    audio::Peaks peaks;
    // 50 mono frames: two blocks of 20 and a partial block of 10.
    const auto [lowest, highest] = peaks.compute(MONO, ramp(50));
    EXPECT_EQ(peaks.step, 1.0 / 20);
    ASSERT_EQ(peaks.values.size(), 3u);
    EXPECT_EQ(peaks.values[0], std::make_pair(-1.0f, 19 / 64.0f - 1.0f));
    EXPECT_EQ(peaks.values[1], std::make_pair(20 / 64.0f - 1.0f, 39 / 64.0f - 1.0f));
    EXPECT_EQ(peaks.values[2], std::make_pair(40 / 64.0f - 1.0f, 49 / 64.0f - 1.0f));
    // The partial block does not count towards the extremes.
    EXPECT_EQ(lowest, -1.0f);
    EXPECT_EQ(highest, 39 / 64.0f - 1.0f);
}

TEST(Peaks, ReadsOnlyChannelZero) {
    audio::Peaks peaks;
    std::vector<float> stereo;
    for (int i = 0; i < 40; ++i)
        stereo.insert(stereo.end(), {0.25f, i == 5 ? -0.9f : 0.9f});
    peaks.compute(SampleFormat{44100, 2, 2}, stereo);
    EXPECT_EQ(peaks.values[0], std::make_pair(0.25f, 0.25f));
}

TEST(Peaks, EndMarkerNeverReachesAReader) {
    audio::Peaks peaks;
    const auto extremes = peaks.compute(MONO, ramp(40));
    ASSERT_EQ(peaks.values.size(), 3u);
    EXPECT_EQ(peaks.values[2], std::make_pair(audio::Peaks::resetMin, audio::Peaks::resetMax));
    EXPECT_EQ(peaks.get(2, 1.0f), std::make_pair(0.0f, 0.0f));
    EXPECT_EQ(peaks.get(3, 1.0f), std::make_pair(0.0f, 0.0f));
    EXPECT_EQ(peaks.get(2, 2.0f), peaks.values[1]); // pairs 1 and 2: the marker is neutral
    EXPECT_EQ(peaks.get(40, 4.0f), std::make_pair(0.0f, 0.0f));
    EXPECT_EQ(extremes, std::make_pair(-1.0f, 39 / 64.0f - 1.0f));

    audio::Peaks tiny;
    const auto none = tiny.compute(MONO, ramp(12));
    EXPECT_GT(none.first, none.second); // no full block: the caller sees the marker
}

TEST(Peaks, GetCoversTheZoomedRange) {
    audio::Peaks peaks;
    for (int i = 0; i < 10; ++i)
        peaks.values.emplace_back(-float(i), float(i));
    EXPECT_EQ(peaks.get(5, 1.0f), std::make_pair(-5.0f, 5.0f));
    EXPECT_EQ(peaks.get(0, 4.0f), std::make_pair(-1.0f, 1.0f));      // pairs 0 and 1
    EXPECT_EQ(peaks.get(5, 4.0f), std::make_pair(-6.0f, 6.0f));      // pairs 3 .. 6
    EXPECT_EQ(peaks.get(9, 100.0f), std::make_pair(-9.0f, 9.0f));
    EXPECT_EQ(peaks.get(9, std::nanf("")), std::make_pair(-9.0f, 9.0f));
    EXPECT_EQ(peaks.get(9, INFINITY), std::make_pair(-9.0f, 9.0f));
}

// An impulse in 30 mono frames (40 with the wrap frames, which repeat it at
// frame 30): the smoother's decay gives each block's value in closed form.
TEST(Amplitude, FollowsTheSmoothedPower) {
    std::vector<float> samples(40, 0.0f);
    samples[0] = samples[30] = 1.0f;
    audio::Amplitude amplitude;
    amplitude.compute(MONO, samples);

    const double b = 2.0 - std::cos(2.0 * std::numbers::pi * 10.0 / 44100.0);
    const double a = b - std::sqrt(b * b - 1.0);
    const double first = std::sqrt((1 - a) * std::pow(a, 19));
    const double second = std::sqrt((1 - a) * std::pow(a, 39) + (1 - a) * std::pow(a, 9));
    EXPECT_EQ(amplitude.step, 1.0 / 20);
    ASSERT_EQ(amplitude.values.size(), 3u);
    EXPECT_NEAR(amplitude.values[0], first / second, 1e-6);
    EXPECT_FLOAT_EQ(amplitude.values[1], 1.0f);
    EXPECT_FLOAT_EQ(amplitude.values[2], 1.0f);
}

TEST(Amplitude, StartsFromTheStateAtTheEnd) {
    // A constant level: with the pre-roll the first block already sits above a cold start.
    const std::vector<float> level(4000, 0.5f);
    audio::Amplitude warm;
    warm.compute(MONO, level);
    std::vector<float> coldStart(4000, 0.0f);
    std::fill(coldStart.begin(), coldStart.end() - 200, 0.5f);
    audio::Amplitude cold;
    cold.compute(MONO, coldStart);
    EXPECT_GT(warm.values[0], cold.values[0]);
    EXPECT_LE(*std::max_element(warm.values.begin(), warm.values.end() - 1), 1.0f);
}

TEST(Amplitude, LastValueSaturatesInsteadOfOverflowing) {
    // An almost silent full block, then unclamped full-range floats in the partial block.
    std::vector<float> samples(35, 0.0f);
    samples[0] = 1e-30f;
    std::fill(samples.begin() + 30, samples.end(), 3e38f);
    audio::Amplitude amplitude;
    amplitude.compute(MONO, samples);
    ASSERT_EQ(amplitude.values.size(), 2u);
    EXPECT_EQ(amplitude.values[0], 1.0f);
    EXPECT_EQ(amplitude.values[1], std::numeric_limits<float>::max());
}

TEST(Noisiness, CountsOneValuePerTwoHops) {
    for (const std::size_t frames : {10u, 32u, 33u, 64u, 65u, 96u, 97u, 1000u}) {
        audio::Noisiness noisiness;
        noisiness.compute(MONO, std::vector<float>(frames, 0.0f));
        EXPECT_EQ(noisiness.step, 1.0 / 64);
        EXPECT_EQ(noisiness.values.size(), (frames + 31) / 32 / 2) << frames;
    }
}

TEST(Noisiness, NoiseIsNoisierThanATone) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> value(-0.5f, 0.5f);
    std::vector<float> samples(8192);
    for (std::size_t i = 0; i < samples.size(); ++i)
        samples[i] = i < 4096 ? 0.5f * float(std::sin(2 * std::numbers::pi * 1378.125 * double(i) / 44100.0)) : value(random);
    audio::Noisiness noisiness;
    noisiness.compute(MONO, samples);
    ASSERT_EQ(noisiness.values.size(), 128u);
    double tone = 0, noise = 0;
    for (std::size_t i = 2; i < 62; ++i)
        tone += noisiness.values[i];
    for (std::size_t i = 66; i < 126; ++i)
        noise += noisiness.values[i];
    EXPECT_GT(noise, 10 * tone);
    float largest = 0;
    for (const float v : noisiness.values)
        largest = std::max(largest, v);
    EXPECT_FLOAT_EQ(largest, 1.0f);
}

TEST(Noisiness, LongSoundsGiveTheSameValuesAsOnePass) {
    std::mt19937 random(99);
    std::uniform_real_distribution<float> value(-1.0f, 1.0f);
    // Even and odd hop counts: the last value gets two hops or one.
    for (const std::size_t frames : {600001u, 599969u}) {
        std::vector<float> samples(frames);
        for (std::size_t i = 0; i < samples.size(); ++i)
            samples[i] = value(random) * float(i % 5000) / 5000.0f;
        audio::Noisiness noisiness;
        noisiness.compute(MONO, samples);
        EXPECT_EQ(noisiness.values, serialNoisiness(samples)) << frames;
    }
}

// All loads of the process share the analysis threads: with every one taken,
// analyses run on the loading worker itself and give the same values.
TEST(AnalysisThreads, WithEveryThreadTakenAnalysesRunOnTheCallerAlike) {
    std::mt19937 random(7);
    std::uniform_real_distribution<float> value(-1.0f, 1.0f);
    std::vector<float> samples(600001);
    for (float& sample : samples)
        sample = value(random);
    int taken = 0;
    while (audio::AnalysisThreads::tryAcquire())
        ++taken;
    EXPECT_EQ(taken, audio::AnalysisThreads::limit());
    EXPECT_LT(taken, std::max(2, int(std::thread::hardware_concurrency())));
    audio::Noisiness noisiness;
    noisiness.compute(MONO, samples);
    for (int i = 0; i < taken; ++i)
        audio::AnalysisThreads::release();
    EXPECT_EQ(noisiness.values, serialNoisiness(samples));

    // Every place taken by the analyses is given back.
    audio::Noisiness shared;
    shared.compute(MONO, samples);
    EXPECT_EQ(shared.values, noisiness.values);
    taken = 0;
    while (audio::AnalysisThreads::tryAcquire())
        ++taken;
    EXPECT_EQ(taken, audio::AnalysisThreads::limit());
    for (int i = 0; i < taken; ++i)
        audio::AnalysisThreads::release();
}

// Starting a thread can fail (the system has none to give): the place goes
// back to the cap and the work runs on the caller.
TEST(AnalysisThreads, AThreadThatCannotStartGivesItsPlaceBack) {
    // The first copy or move of the work throws, as a thread start that fails does.
    struct FailsOnce {
        std::shared_ptr<bool> failed = std::make_shared<bool>(false);
        FailsOnce() = default;
        FailsOnce(const FailsOnce& other) : failed(other.failed) { failIfFirst(); }
        FailsOnce(FailsOnce&& other) : failed(other.failed) { failIfFirst(); }
        void failIfFirst() const {
            if (!std::exchange(*failed, true))
                throw std::system_error(std::make_error_code(std::errc::resource_unavailable_try_again));
        }
        int operator()() const { return 42; }
    };
    for (int round = 0; round < audio::AnalysisThreads::limit() + 1; ++round) {
        std::future<int> result;
        ASSERT_NO_THROW(result = audio::AnalysisThreads::start(FailsOnce{}));
        EXPECT_EQ(result.wait_for(std::chrono::seconds(0)), std::future_status::deferred);
        EXPECT_EQ(result.get(), 42);
    }
    int taken = 0;
    while (audio::AnalysisThreads::tryAcquire())
        ++taken;
    EXPECT_EQ(taken, audio::AnalysisThreads::limit());
    for (int i = 0; i < taken; ++i)
        audio::AnalysisThreads::release();
}
