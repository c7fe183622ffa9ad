#include "synth/dsp/GrainBuffer.h"

#include "synth/dsp/Lanes.h"
#include "synth/dsp/OutputStage.h"

#include <algorithm>
#include <cmath>
#include <cstdint>

namespace korvel::veldro {

GrainBuffer::GrainBuffer()
{
    follower.setCutoff10Hz(44100.0);
}

void GrainBuffer::setupTap(OutputStage* outputStage, double d, double fb, double sendLevel)
{
    stage = outputStage;
    const double length = stage ? static_cast<double>(stage->length()) : 0.0;
    if (length == 0.0) {
        feedback = 0.0;
        send = 0.0;
        return;
    }
    // max first: a NaN distance becomes the shortest one.
    delay = std::min(std::max(1.0, 2.0 * d), length);
    feedback = std::clamp(fb, -0.95, 0.95);
    send = std::clamp(sendLevel, -0.95, 0.95);
    if (!(std::fabs(send) >= 0.03) || !std::isfinite(feedback))
        send = 0.0;
    writeOffset = 2 * static_cast<std::uint64_t>(delay) % stage->length();
    if (!std::isfinite(follower.state))
        follower.state = 0.0;
}

namespace {

// One frame of the tap, left and right in the lanes of x and gains: current
// is the frame's value index in the memory. Each lane sees the operations of
// the tap on its own channel.
inline void tapFrame(double* data, std::uint64_t length, std::uint64_t current, std::uint64_t writeOffset,
                     double feedback, double send, OnePole& limiter, __m128d x, __m128d gains)
{
    std::uint64_t ahead = current + 2;
    if (ahead >= length)
        ahead -= length;
    const __m128d w = _mm_mul_pd(_mm_mul_pd(_mm_add_pd(_mm_loadu_pd(data + ahead), x), _mm_set1_pd(feedback)), gains);
    const double p = limiter.process((lanes::low(w) + lanes::high(w)) * 1.2);
    const double g = (p > 1.0 ? 1.0 / std::sqrt(p) : 1.0) * send;
    const __m128d add = _mm_mul_pd(_mm_set1_pd(g), w);
    // Anything not finite would stay in the memory for good (x - x is 0 only
    // for finite x).
    if (_mm_movemask_pd(_mm_cmpeq_pd(_mm_sub_pd(add, add), _mm_setzero_pd())) != 3)
        return;
    // trunc(i + delay) frames on: i + trunc(delay), as i is whole.
    std::uint64_t to = current + writeOffset;
    while (to >= length)
        to -= length;
    _mm_storeu_pd(data + to, _mm_add_pd(_mm_loadu_pd(data + to), add));
}

} // namespace

// The stage's position is a block start, so the current frame lies inside.
void GrainBuffer::process(double l, double gainL, double r, double gainR, int i)
{
    tapFrame(stage->values(), stage->length(), stage->position() + 2 * static_cast<std::uint64_t>(i), writeOffset,
             feedback, send, follower, lanes::pairOf(l, r), lanes::pairOf(gainL, gainR));
}

void GrainBuffer::processBlock(const __m128d* frames, const double* e, __m128d gains, int count)
{
    double* data = stage->values();
    const std::uint64_t length = stage->length();
    const std::uint64_t start = stage->position();
    // A local copy keeps the limiter's state out of the memory the tap writes.
    OnePole limiter = follower;
    for (int i = 0; i < count; ++i) {
        tapFrame(data, length, start + 2 * static_cast<std::uint64_t>(i), writeOffset, feedback, send, limiter,
                 frames[i], _mm_mul_pd(_mm_set1_pd(e[i]), gains));
    }
    follower = limiter;
}

} // namespace korvel::veldro
