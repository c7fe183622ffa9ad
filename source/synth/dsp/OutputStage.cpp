#include "synth/dsp/OutputStage.h"

#include "synth/dsp/Shaping.h"

#include <algorithm>
#include <cmath>

namespace korvel::veldro {

OutputStage::OutputStage()
{
    // Set for 44.1 kHz once; the sample rate does not change it.
    masterFollower.setCutoff10Hz(44100.0);
}

void OutputStage::resize(std::uint64_t n)
{
    // The master stage wraps only after whole blocks.
    std::uint64_t frames = n + n % BLOCK_FRAMES;
    frames = (frames + BLOCK_FRAMES - 1) / BLOCK_FRAMES * BLOCK_FRAMES;
    data.resize(2 * frames, 0.0);
    if (readPosition >= data.size())
        readPosition = 0;
}

void OutputStage::clear()
{
    std::fill(data.begin(), data.end(), 0.0);
    readPosition = 0;
    masterFollower.state = 0.0;
}

void OutputStage::process(float* outL, float* outR)
{
    if (data.empty())
        return;
    for (int k = 0; k < BLOCK_FRAMES; ++k) {
        double& l = data[readPosition];
        double& r = data[readPosition + 1];
        const double p = masterFollower.process(l + r);
        const double g = p > 1.0 ? 1.0 / std::sqrt(p) : 1.0;
        // Added in double and rounded once, as the grain mix is.
        outL[k] = static_cast<float>(outL[k] + softEdge(g * l));
        outR[k] = static_cast<float>(outR[k] + softEdge(g * r));
        l = 0.0;
        r = 0.0;
        readPosition += 2;
    }
    if (readPosition >= data.size()) {
        masterFollower.flushBelow(0.0001);
        readPosition = 0;
    }
}

} // namespace korvel::veldro
