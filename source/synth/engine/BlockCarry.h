#pragma once

#include <algorithm>

namespace korvel::veldro {

// The frames of the engine's last 8-frame block that did not fit into the
// host's block: they open the next one, so the output does not depend on
// how the host cuts its blocks. Audio thread only.
class BlockCarry {
public:
    static constexpr int BLOCK_FRAMES = 8;

    int count() const { return end - start; }
    void clear() { start = end = 0; }

    // Moves up to n carried frames into the outputs; returns how many.
    int deliver(float* left, float* right, int n)
    {
        const int frames = std::min(n, count());
        std::copy_n(carriedL + start, frames, left);
        std::copy_n(carriedR + start, frames, right);
        start += frames;
        return frames;
    }

    // Keeps frames [from, BLOCK_FRAMES) of a rendered block.
    void keep(const float* left, const float* right, int from)
    {
        std::copy(left + from, left + BLOCK_FRAMES, carriedL + from);
        std::copy(right + from, right + BLOCK_FRAMES, carriedR + from);
        start = from;
        end = BLOCK_FRAMES;
    }

private:
    float carriedL[BLOCK_FRAMES] = {};
    float carriedR[BLOCK_FRAMES] = {};
    int start = 0;
    int end = 0;
};

} // namespace korvel::veldro
