#include "audio/RealFFT.h"

#include "utility/Check.h"

#include <array>
#include <cmath>
#include <numbers>
#include <utility>

namespace audio {
namespace {

constexpr int MAX_SIZE = 1024;

// cos and sin of 2 pi k / MAX_SIZE; the stages need angles below 3/8 of a turn.
struct Twiddles {
    std::array<double, MAX_SIZE / 2> cosine;
    std::array<double, MAX_SIZE / 2> sine;

    Twiddles() {
        for (int k = 0; k < MAX_SIZE / 2; ++k) {
            const double angle = 2.0 * std::numbers::pi * k / MAX_SIZE;
            cosine[k] = std::cos(angle);
            sine[k] = std::sin(angle);
        }
    }
};

// Built at the first transform (static initialisation is thread-safe).
const Twiddles& twiddles() {
    static const Twiddles table;
    return table;
}

// The sizes are fixed at compile time, so that every index list below is a
// constant table and each stage's block length a constant.

constexpr int nextBitReversed(int j, int n) {
    int k = n / 2;
    while (k <= j) {
        j -= k;
        k /= 2;
    }
    return j + k;
}

constexpr int swapCount(int n) {
    int count = 0;
    for (int i = 0, j = 0; i < n - 1; ++i, j = nextBitReversed(j, n))
        count += i < j;
    return count;
}

template <int N>
constexpr auto bitReversalSwaps() {
    std::array<std::pair<int, int>, swapCount(N)> swaps{};
    for (int i = 0, j = 0, s = 0; i < N - 1; ++i, j = nextBitReversed(j, N))
        if (i < j)
            swaps[s++] = {i, j};
    return swaps;
}

// The split radix visits its blocks in an L-shaped pattern: each pass starts
// where the previous pass's blocks leave their unvisited quarter.
template <typename Visit>
constexpr void forEachLShapedBlock(int length, int end, Visit visit) {
    for (int first = 0, stride = 2 * length; first < end; first = 2 * stride - length, stride *= 4)
        for (int i = first; i < end; i += stride)
            visit(i);
}

constexpr int blockCount(int length, int end) {
    int count = 0;
    forEachLShapedBlock(length, end, [&](int) { ++count; });
    return count;
}

template <int Length, int End>
constexpr auto lShapedBlocks() {
    std::array<int, blockCount(Length, End)> blocks{};
    int b = 0;
    forEachLShapedBlock(Length, End, [&](int i) { blocks[b++] = i; });
    return blocks;
}

template <int Length>
void splitRadixBlock(double* data, int i, const Twiddles& table) {
    constexpr int n4 = Length / 4;
    constexpr int n8 = Length / 8;
    constexpr int angleStep = MAX_SIZE / Length;
    {
        const int i1 = i, i3 = i + 2 * n4, i4 = i + 3 * n4;
        const double t1 = data[i4] + data[i3];
        data[i4] -= data[i3];
        data[i3] = data[i1] - t1;
        data[i1] += t1;
    }
    if constexpr (n4 > 1) {
        const int i0 = i + n8, i2 = i0 + n4, i3 = i2 + n4, i4 = i3 + n4;
        const double t1 = (data[i3] + data[i4]) * (std::numbers::sqrt2 / 2.0);
        const double t2 = (data[i3] - data[i4]) * (std::numbers::sqrt2 / 2.0);
        data[i4] = data[i2] - t1;
        data[i3] = -data[i2] - t1;
        data[i2] = data[i0] - t2;
        data[i0] += t2;
    }
    for (int j = 1; j < n8; ++j) {
        const double cc1 = table.cosine[j * angleStep], ss1 = table.sine[j * angleStep];
        const double cc3 = table.cosine[3 * j * angleStep], ss3 = table.sine[3 * j * angleStep];
        const int i1 = i + j, i2 = i1 + n4, i3 = i2 + n4, i4 = i3 + n4;
        const int i5 = i + n4 - j, i6 = i5 + n4, i7 = i6 + n4, i8 = i7 + n4;
        double t1 = data[i3] * cc1 + data[i7] * ss1;
        double t2 = data[i7] * cc1 - data[i3] * ss1;
        double t3 = data[i4] * cc3 + data[i8] * ss3;
        double t4 = data[i8] * cc3 - data[i4] * ss3;
        const double t5 = t1 + t3;
        const double t6 = t2 + t4;
        t3 = t1 - t3;
        t4 = t2 - t4;
        t2 = data[i6] + t6;
        data[i3] = t6 - data[i6];
        data[i8] = t2;
        t2 = data[i2] - t3;
        data[i7] = -data[i2] - t3;
        data[i4] = t2;
        t1 = data[i1] + t5;
        data[i6] = data[i1] - t5;
        data[i1] = t1;
        t1 = data[i5] + t4;
        data[i5] -= t4;
        data[i2] = t1;
    }
}

template <int N, int Length>
void splitRadixStages(double* data, const Twiddles& table) {
    static constexpr auto blocks = lShapedBlocks<Length, N>();
    for (const int i : blocks)
        splitRadixBlock<Length>(data, i, table);
    if constexpr (Length < N)
        splitRadixStages<N, 2 * Length>(data, table);
}

template <int N>
void transform(double* data) {
    static constexpr auto swaps = bitReversalSwaps<N>();
    for (const auto& [i, j] : swaps)
        std::swap(data[i], data[j]);
    static constexpr auto pairs = lShapedBlocks<2, N - 1>();
    for (const int i : pairs) {
        const double t = data[i];
        data[i] = t + data[i + 1];
        data[i + 1] = t - data[i + 1];
    }
    if constexpr (N >= 4)
        splitRadixStages<N, 4>(data, twiddles());
    for (int i = 0; i < N; ++i)
        data[i] *= 1.0 / N;
}

} // namespace

void realFFT(double* data, int n) {
    switch (n) {
    case 2: return transform<2>(data);
    case 4: return transform<4>(data);
    case 8: return transform<8>(data);
    case 16: return transform<16>(data);
    case 32: return transform<32>(data);
    case 64: return transform<64>(data);
    case 128: return transform<128>(data);
    case 256: return transform<256>(data);
    case 512: return transform<512>(data);
    case 1024: return transform<1024>(data);
    default: KORVEL_CHECK(n >= 2 && n <= MAX_SIZE && (n & (n - 1)) == 0);
    }
}

} // namespace audio
