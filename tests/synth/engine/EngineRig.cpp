#include "EngineRig.h"

#include "audio/Soundfile.h"
#include "support/SoundFileBuilder.h"
#include "synth/ParamTable.h"

#include <random>
#include <string>

namespace korvel::test {

std::wstring TestSounds::write(int channels, int frames, const std::function<float(int, int)>& sample,
                               std::uint32_t sampleRate)
{
    testing_support::SoundRecipe recipe;
    recipe.type = testing_support::SampleType::FLOAT32;
    recipe.channels = static_cast<std::uint16_t>(channels);
    recipe.sampleRate = sampleRate;
    for (int frame = 0; frame < frames; ++frame) {
        for (int channel = 0; channel < channels; ++channel)
            recipe.samples.push_back(sample(frame, channel));
    }
    const std::wstring path = dir.file("sound" + std::to_string(files++) + ".wav").wstring();
    testing_support::writeSoundFile(path, recipe);
    return path;
}

std::shared_ptr<audio::SoundPack> TestSounds::make(int channels, int frames,
                                                   const std::function<float(int, int)>& sample,
                                                   std::uint32_t sampleRate)
{
    const std::wstring path = write(channels, frames, sample, sampleRate);
    return std::make_shared<audio::SoundPack>(std::make_shared<audio::Soundfile>(path), path);
}

std::shared_ptr<audio::SoundPack> TestSounds::ramp(int frames)
{
    return make(1, frames, [frames](int frame, int) { return float(frame) / float(frames); });
}

std::shared_ptr<audio::SoundPack> TestSounds::constant(int frames, float value)
{
    return make(1, frames, [value](int, int) { return value; });
}

std::shared_ptr<audio::SoundPack> TestSounds::noise(int channels, int frames, unsigned seed)
{
    std::mt19937 random(seed);
    std::uniform_real_distribution<float> values(-1.0f, 1.0f);
    return make(channels, frames, [&](int, int) { return values(random); });
}

EngineRig::EngineRig()
{
    synth.setSampleRate(RATE);
    synth.getParams().seedRandom(7);
    synth.suspend();
}

void EngineRig::setInnerModulation(int parent, double amount)
{
    const int controls = veldro::getParamInfo(parent).control_id;
    set(controls, 6.0);      // type "inner"
    set(controls + 1, amount);
    set(controls + 2, 57.0); // follows "density.compensation"
}

void EngineRig::start(std::shared_ptr<audio::SoundPack> sound)
{
    synth.setSound(std::move(sound));
    synth.resume();
}

void EngineRig::render(int n)
{
    left.assign(n, 0.0f);
    right.assign(n, 0.0f);
    float* outputs[] = {left.data(), right.data()};
    synth.render(outputs, n);
}

} // namespace korvel::test
