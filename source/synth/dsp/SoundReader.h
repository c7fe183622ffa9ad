#pragma once

namespace korvel::veldro {

// 4-point interpolation between y1 and y2 (a fraction of 0 gives y1 itself):
// the coefficients in single precision, the polynomial in double.
inline double interpolate(float y0, float y1, float y2, float y3, double t)
{
    const float c1 = y2 - y0;
    const float c2 = y2 - 2.0f * y1 + y0;
    const float c3 = 9.0f * (y2 - y1) + 3.0f * (y0 - y3);
    const float c4 = 15.0f * (y1 - y2) + 5.0f * (y3 - y0);
    const float c5 = 6.0f * (y2 - y1) + 2.0f * (y0 - y3);
    return y1 + 0.5 * t * (c1 + t * (c2 + t * (c3 + t * (c4 + t * c5))));
}

// Reads interleaved frames at a fractional frame position: channel 0 gives
// left, channel 1 right (left again for a mono sound). Frames p .. p + 3 are
// read, p the whole part of position; the caller keeps them inside the data.
inline void readInterpolated(const float* frames, int channels, double position, double& left, double& right)
{
    const long p = static_cast<long>(position);
    const double t = position - static_cast<double>(p);
    const float* y = frames + p * channels;
    left = interpolate(y[0], y[channels], y[2 * channels], y[3 * channels], t);
    right = channels >= 2 ? interpolate(y[1], y[channels + 1], y[2 * channels + 1], y[3 * channels + 1], t) : left;
}

} // namespace korvel::veldro
