#include "synth/controllers/RandomSource.h"

#include <ctime>

namespace korvel::veldro {

std::uint32_t RandomSource::timeSeed()
{
    const auto seed = std::uint32_t(std::uint64_t(std::time(nullptr)) % std::minstd_rand::modulus);
    return seed == 0 ? 1 : seed;
}

} // namespace korvel::veldro
