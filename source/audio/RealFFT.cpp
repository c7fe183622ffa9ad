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

const Twiddles& twiddles() {
    static const Twiddles table;
    return table;
}

void bitReverse(double* data, int n) {
    for (int i = 0, j = 0; i < n - 1; ++i) {
        if (i < j)
            std::swap(data[i], data[j]);
        int k = n / 2;
        while (k <= j) {
            j -= k;
            k /= 2;
        }
        j += k;
    }
}

// The split radix visits its blocks in an L-shaped pattern: each pass starts
// where the previous pass's blocks leave their unvisited quarter.
template <typename Body>
void forEachBlock(int n, int length, Body body) {
    for (int first = 0, stride = 2 * length; first < n; first = 2 * stride - length, stride *= 4)
        for (int i = first; i < n; i += stride)
            body(i);
}

void lengthTwoButterflies(double* data, int n) {
    for (int first = 0, stride = 4; first < n - 1; first = 2 * stride - 2, stride *= 4)
        for (int i = first; i < n - 1; i += stride) {
            const double t = data[i];
            data[i] = t + data[i + 1];
            data[i + 1] = t - data[i + 1];
        }
}

void splitRadixBlock(double* data, int i, int length, const Twiddles& table) {
    const int n4 = length / 4;
    const int n8 = length / 8;
    {
        const int i1 = i, i3 = i + 2 * n4, i4 = i + 3 * n4;
        const double t1 = data[i4] + data[i3];
        data[i4] -= data[i3];
        data[i3] = data[i1] - t1;
        data[i1] += t1;
    }
    if (n4 > 1) {
        const int i0 = i + n8, i2 = i0 + n4, i3 = i2 + n4, i4 = i3 + n4;
        const double t1 = (data[i3] + data[i4]) * std::numbers::sqrt2 / 2.0;
        const double t2 = (data[i3] - data[i4]) * std::numbers::sqrt2 / 2.0;
        data[i4] = data[i2] - t1;
        data[i3] = -data[i2] - t1;
        data[i2] = data[i0] - t2;
        data[i0] += t2;
    }
    const int angleStep = MAX_SIZE / length;
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

} // namespace

void realFFT(double* data, int n) {
    KORVEL_CHECK(n >= 2 && n <= MAX_SIZE && (n & (n - 1)) == 0);
    const Twiddles& table = twiddles();
    bitReverse(data, n);
    lengthTwoButterflies(data, n);
    for (int length = 4; length <= n; length *= 2)
        forEachBlock(n, length, [&](int i) { splitRadixBlock(data, i, length, table); });
    const double scale = 1.0 / n;
    for (int i = 0; i < n; ++i)
        data[i] *= scale;
}

} // namespace audio
