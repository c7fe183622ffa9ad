#pragma once

#include "audio/SoundPack.h"
#include "audio/Soundfile.h"
#include "support/SoundFileBuilder.h"
#include "support/TempDir.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>

// Writes test sounds into a fresh folder and opens them as the loader would.
class SoundFixture : public ::testing::Test {
protected:
    std::wstring writeFile(const testing_support::Bytes& bytes);
    std::shared_ptr<audio::Soundfile> open(const testing_support::Bytes& bytes);
    std::shared_ptr<audio::SoundPack> load(const testing_support::Bytes& bytes);
    std::shared_ptr<audio::SoundPack> load(const testing_support::SoundRecipe& recipe);

    testing_support::TempDir dir;

private:
    int files = 0;
};
