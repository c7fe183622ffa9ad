#include "SoundFixture.h"

using namespace testing_support;

std::wstring SoundFixture::writeFile(const Bytes& bytes) {
    const auto path = dir.file("sound" + std::to_string(files++));
    writeBytes(path, bytes);
    return path.wstring();
}

std::shared_ptr<audio::Soundfile> SoundFixture::open(const Bytes& bytes) {
    return std::make_shared<audio::Soundfile>(writeFile(bytes));
}

std::shared_ptr<audio::SoundPack> SoundFixture::load(const Bytes& bytes) {
    const std::wstring path = writeFile(bytes);
    return std::make_shared<audio::SoundPack>(std::make_shared<audio::Soundfile>(path), path);
}

std::shared_ptr<audio::SoundPack> SoundFixture::load(const SoundRecipe& recipe) { return load(buildSoundFile(recipe)); }
