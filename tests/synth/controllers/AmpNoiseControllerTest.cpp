#include "synth/controllers/ControllerFixture.h"
#include "synth/controllers/TestSound.h"

#include "audio/LoadState.h"

#include <cmath>

namespace korvel::veldro {
namespace {

constexpr std::uint32_t AMP_NOISE = 2;
constexpr int FRAMES = 30000; // 100 frames per amplitude value, 64 per noisiness value

class AmpNoiseControllerTest : public test::ControllerFixture {
protected:
    AmpNoiseControllerTest() : sound(test::loadMonoSound(dir, test::risingSine(FRAMES))) { rig.engine.sound = sound; }

    double at(double playPosition, double offset, double mix)
    {
        rig.engine.playPosition = playPosition;
        return output(AMP_NOISE, offset, mix);
    }

    testing_support::TempDir dir;
    std::shared_ptr<audio::SoundPack> sound;
};

TEST_F(AmpNoiseControllerTest, ReadsTheTracksAtThePlayHead)
{
    ASSERT_EQ(sound->state(), audio::LoadState::READY);
    const auto& amplitude = sound->amplitude().values;
    const auto& noisiness = sound->noisiness().values;
    EXPECT_NEAR(at(12000, 0, 1.0), std::sqrt(double(amplitude[120])), 1e-9);
    EXPECT_NEAR(at(12050, 0, 1.0), std::sqrt(0.5 * double(amplitude[120]) + 0.5 * double(amplitude[121])), 1e-9);
    EXPECT_NEAR(at(6400, 0, 0.0), std::sqrt(double(noisiness[100])), 1e-9);
    EXPECT_NEAR(at(6400, 0, 0.25), std::sqrt(0.75 * double(noisiness[100]) + 0.25 * double(amplitude[64])), 1e-9);
    EXPECT_EQ(at(6400, 0, 3.0), at(6400, 0, 1.0));
}

TEST_F(AmpNoiseControllerTest, SmallOffsetsAreFramesLargeOnesMilliseconds)
{
    EXPECT_DOUBLE_EQ(at(12000, 5, 1.0), at(12005, 0, 1.0));
    EXPECT_DOUBLE_EQ(at(12000, -10, 1.0), at(11990, 0, 1.0));
    EXPECT_NEAR(at(12000, 50, 1.0), at(12000 + 2205, 0, 1.0), 1e-9);
    EXPECT_NEAR(at(12000, -50, 0.5), at(12000 - 2205, 0, 0.5), 1e-9);
}

TEST_F(AmpNoiseControllerTest, PositionsWrapAroundTheSound)
{
    EXPECT_DOUBLE_EQ(at(3, -8, 1.0), at(FRAMES - 5, 0, 1.0));
    EXPECT_DOUBLE_EQ(at(FRAMES - 3, 8, 1.0), at(5, 0, 1.0));
    EXPECT_NEAR(at(0, -3000, 1.0), at(FRAMES - (132300 % FRAMES), 0, 1.0), 1e-9);
}

TEST_F(AmpNoiseControllerTest, GivesNothingWithoutAReadySoundWithTracks)
{
    rig.engine.playPosition = 0;
    rig.engine.sound = nullptr;
    EXPECT_EQ(output(AMP_NOISE, 0, 0.5), 0.0);
    rig.engine.sound = std::make_shared<audio::SoundPack>(L"still loading");
    EXPECT_EQ(output(AMP_NOISE, 0, 0.5), 0.0);
    testing_support::TempDir other;
    rig.engine.sound = test::loadMonoSound(other, {0.5}); // one frame: a single amplitude value
    ASSERT_EQ(rig.engine.sound->state(), audio::LoadState::READY);
    EXPECT_EQ(output(AMP_NOISE, 0, 0.5), 0.0);
}

} // namespace
} // namespace korvel::veldro
