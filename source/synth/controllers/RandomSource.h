#pragma once

#include <cstdint>
#include <random>

namespace korvel::veldro {

// The draws of the "random" controller: a minimal-standard generator feeding
// a uniform [-1, 1) and a normal (mean 0, deviation 0.37) distribution.
// One thread at a time; neither draw allocates.
class RandomSource {
public:
    explicit RandomSource(std::uint32_t seed) { reseed(seed); }

    void reseed(std::uint32_t seed)
    {
        engine.seed(seed);
        uniformDraw.reset();
        normalDraw.reset();
    }

    double uniform() { return uniformDraw(engine); }
    double normal() { return normalDraw(engine); }

    // Seconds since 1970 reduced into the generator's seed range.
    static std::uint32_t timeSeed();

private:
    std::minstd_rand engine;
    std::uniform_real_distribution<double> uniformDraw{-1.0, 1.0};
    std::normal_distribution<double> normalDraw{0.0, 0.37};
};

} // namespace korvel::veldro
