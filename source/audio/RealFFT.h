#pragma once

namespace audio {

// In-place real split-radix FFT of n doubles (n a power of two, 2 <= n <= 1024):
// X_k = sum_t x_t e^(-2 pi i k t / n) / n, stored as data[k] = Re X_k for
// k = 0 .. n/2 and data[n - k] = Im X_k for k = 1 .. n/2 - 1. No allocation; any thread.
void realFFT(double* data, int n);

} // namespace audio
