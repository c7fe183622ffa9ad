#include "synth/controllers/TestSound.h"

#include "audio/Soundfile.h"
#include "support/SoundFileBuilder.h"

#include <cmath>

namespace korvel::test {

std::shared_ptr<audio::SoundPack> loadMonoSound(const testing_support::TempDir& dir, const std::vector<double>& samples)
{
    const std::wstring path = dir.file("sound.wav").wstring();
    testing_support::SoundRecipe recipe;
    recipe.channels = 1;
    recipe.samples = samples;
    testing_support::writeSoundFile(path, recipe);
    return std::make_shared<audio::SoundPack>(std::make_shared<audio::Soundfile>(path), path);
}

std::vector<double> risingSine(int frames)
{
    std::vector<double> samples(frames);
    for (int i = 0; i < frames; ++i)
        samples[i] = double(i) / frames * std::sin(i * 0.3);
    return samples;
}

} // namespace korvel::test
