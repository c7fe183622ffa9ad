#pragma once

#include "audio/SoundPack.h"
#include "support/TempDir.h"

#include <memory>
#include <vector>

namespace korvel::test {

// A mono 16-bit sound of the given samples, written and loaded as the loader would.
std::shared_ptr<audio::SoundPack> loadMonoSound(const testing_support::TempDir& dir, const std::vector<double>& samples);

// frames of a sine whose loudness rises linearly from silence to full scale.
std::vector<double> risingSine(int frames);

} // namespace korvel::test
