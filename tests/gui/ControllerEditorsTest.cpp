#include "PadRig.h"

#include "gui/StaticPalettes.h"
#include "gui/controllers/ADSRController.h"
#include "gui/controllers/AmpsTimeController.h"
#include "gui/controllers/ControllerFactory.h"
#include "gui/controllers/EmptyController.h"
#include "gui/controllers/InternalController.h"
#include "gui/controllers/LFOController.h"
#include "gui/controllers/MidiController.h"
#include "gui/controllers/RandController.h"
#include "synth/ControllerKinds.h"
#include "synth/ValueFormat.h"

#include <gtest/gtest.h>

#include <cstring>
#include <string>
#include <vector>

namespace korvel::gui {
namespace {

using test::PadRig;

// grain.rate has two controls (ids 83 and 88); grain.attack one (id 123).
constexpr int RATE = 4;
constexpr int RATE_X = 85;
constexpr int RATE_Y = 86;
constexpr int ATTACK = 9;

std::string describe(ParamControllerView::IController& controller, std::size_t size = 100)
{
    std::vector<char> buffer(size, 'z');
    const int length = controller.describe(buffer.data(), buffer.size());
    EXPECT_EQ(length, static_cast<int>(std::strlen(buffer.data())));
    return buffer.data();
}

class ControllerEditors : public ::testing::Test {
protected:
    PadRig rig;
};

TEST_F(ControllerEditors, NewEditorHoldsItsKindsDefaultsWithoutTouchingTheControl)
{
    RandController random(rig.handle(RATE), controllerPalettes[1]);
    EXPECT_EQ(random.controlPatch().type, 1u);
    EXPECT_DOUBLE_EQ(random.controlPatch().amount, 0.5);
    EXPECT_DOUBLE_EQ(random.controlPatch().params[1], 0.5);
    EXPECT_EQ(rig.live(RATE).type, 0u);

    random.apply();
    EXPECT_EQ(rig.live(RATE).type, 1u);
    EXPECT_DOUBLE_EQ(rig.live(RATE).amount.target, 0.5);
    EXPECT_DOUBLE_EQ(rig.live(RATE).params[1].target, 0.5);
}

TEST_F(ControllerEditors, KindTableGivesKnobsFramesHandlesAndFormats)
{
    const struct {
        int kind;
        int knobs;
        double frame;
        double radius;
        const char* format;
        const char* rateLabel;
    } rows[] = {{0, 0, 1.0, 0, "Empty", ""},     {1, 2, 2.0, 6, "rand %.1f", ""},
                {2, 2, 2.0, 6, "amp/nz %.1f", ""}, {3, 3, 2.0, 6, "lfo %.1f", "frq %.*f"},
                {4, 2, 2.0, 10, "midi %.1f", ""},  {5, 1, 2.0, 0, "adsr %.1f", ""},
                {6, 1, 1.0, 10, "%.1f", ""},        {8, 1, 1.0, 10, "%.1f", ""}};
    for (const auto& row : rows) {
        auto controller = makeKindController(row.kind, rig.handle(RATE), controllerPalettes[std::size_t(row.kind)]);
        ASSERT_TRUE(controller) << row.kind;
        EXPECT_EQ(controller->getKind(), std::uint32_t(row.kind));
        EXPECT_EQ(controller->knobCount(), row.knobs) << row.kind;
        EXPECT_EQ(controller->frameWidth(), row.frame) << row.kind;
        EXPECT_EQ(controller->roundRectRadius(), row.radius) << row.kind;
        EXPECT_STREQ(controller->valueFormat(), row.format);
        EXPECT_STREQ(controller->knobLabel(2), row.rateLabel);
    }
    EXPECT_FALSE(makeKindController(9, rig.handle(RATE), controllerPalettes[0]));
    EXPECT_FALSE(makeKindController(-1, rig.handle(RATE), controllerPalettes[0]));
}

TEST_F(ControllerEditors, HandleColoursFollowTheKind)
{
    const Palette& midiPalette = controllerPalettes[4];
    MidiController midi(rig.handle(RATE), midiPalette);
    EXPECT_EQ(midi.colour(), VSTGUI::CColor(midiPalette.text.red, midiPalette.text.green, midiPalette.text.blue, 160));
    RandController random(rig.handle(RATE), controllerPalettes[1]);
    EXPECT_EQ(random.colour(), controllerPalettes[1].text);
    InternalController inner(0, rig.handle(ATTACK), controllerPalettes[6]);
    EXPECT_EQ(inner.colour(), controllerPalettes[6].accent);
}

TEST_F(ControllerEditors, EmptyKindShowsTheShortLabelAndIgnoresThePad)
{
    auto empty = makeKindController(0, rig.handle(ATTACK), controllerPalettes[0]);
    EXPECT_EQ(empty->getText().getString(), "ATTACK");
    EXPECT_EQ(makeKindController(0, rig.handle(RATE), controllerPalettes[0])->getText().getString(), "");

    RandController random(rig.handle(ATTACK), controllerPalettes[1]);
    random.apply();
    empty->setXY(0.9, 0.9);
    empty->setAmount(0.1);
    EXPECT_DOUBLE_EQ(rig.live(ATTACK).params[0].target, 0.0);
    EXPECT_DOUBLE_EQ(rig.live(ATTACK).amount.target, 0.5);
    EXPECT_EQ(describe(*empty), "");

    // Choosing no controller takes the live one away.
    empty->apply();
    EXPECT_EQ(rig.live(ATTACK).type, 0u);
}

TEST_F(ControllerEditors, RandomMapsWalkAndSpreadAndReadsThemBack)
{
    RandController random(rig.handle(RATE), controllerPalettes[1]);
    random.apply();
    random.setXY(0.25, 0.8);
    EXPECT_DOUBLE_EQ(rig.live(RATE).params[0].target, 0.25);
    EXPECT_NEAR(random.getX(), 0.25, 1e-12);
    EXPECT_NEAR(random.getY(), 0.8, 1e-12);
    EXPECT_EQ(describe(random), "rand spread 80 walk 25");

    random.setAmount(0.5);
    EXPECT_NEAR(random.getAmount(), 0.5, 1e-12);

    // A change made elsewhere is taken up by refresh.
    rig.params.setParam(RATE_X, 0.6, 0.0);
    random.refresh();
    EXPECT_NEAR(random.getX(), 0.6, 1e-12);
    EXPECT_EQ(describe(random), "rand spread 80 walk 60");
}

TEST_F(ControllerEditors, DescriptionsStopAtTheCallersBuffer)
{
    RandController random(rig.handle(RATE), controllerPalettes[1]);
    random.setXY(0.25, 0.8);
    EXPECT_EQ(describe(random, 8), "rand sp");
    MidiController midi(rig.handle(RATE), controllerPalettes[4]);
    midi.setXY(0.5, 0.5);
    EXPECT_EQ(describe(midi, 15), "note value 25 ");
    AmpsTimeController amps(rig.handle(RATE), controllerPalettes[2]);
    amps.setXY(0.9, 0.5);
    EXPECT_EQ(describe(amps, 22), "amp/noise 50 / 50 off");
    EXPECT_EQ(amps.describe(nullptr, 0), 0);
}

TEST_F(ControllerEditors, AmpNoiseNamesTheMixAndTheOffset)
{
    AmpsTimeController amps(rig.handle(RATE), controllerPalettes[2]);
    amps.apply();
    amps.setXY(0.5, 0.05);
    EXPECT_EQ(describe(amps), "amp 95");
    amps.setXY(0.5, 0.95);
    EXPECT_EQ(describe(amps), "noise 95");
    amps.setXY(0.5, 0.5);
    EXPECT_EQ(describe(amps), "amp/noise 50 / 50");

    rig.params.setParam(RATE_X, 1500.0, 0.0);
    amps.refresh();
    ASSERT_GT(amps.getX(), 0.55);
    EXPECT_EQ(describe(amps), "amp/noise 50 / 50 off 1.50 s");
}

TEST_F(ControllerEditors, LfoNamesItsWaveShapes)
{
    LFOController lfo(rig.handle(RATE), controllerPalettes[3]);
    lfo.apply();
    const struct {
        double skew;
        double clip;
        const char* text;
    } cases[] = {{-1.0, 0.0, "saw down"}, {1.0, 0.02, "saw up"},   {0.0, 0.0, "sine"},
                 {-1.0, 1.0, "pulse low"}, {0.95, 1.0, "pulse high"}, {0.0, 1.0, "square"},
                 {0.5, 0.5, "skew 50 clip 50"}};
    for (const auto& c : cases) {
        rig.params.setParam(RATE_X, c.skew, 0.0);
        rig.params.setParam(RATE_Y, c.clip, 0.0);
        lfo.refresh();
        EXPECT_EQ(describe(lfo), c.text);
    }
    lfo.setParam2(1.0);
    EXPECT_DOUBLE_EQ(rig.live(RATE).params[2].target, 100.0);
    EXPECT_NEAR(lfo.getParam2(), 1.0, 1e-12);
    ASSERT_NE(lfo.getScaling(4), nullptr);
    EXPECT_EQ(lfo.getScaling(4)->getRange(), std::make_pair(0.0, 100.0));
}

TEST_F(ControllerEditors, MidiNamesTheInputsThatTakePartWithTheirWeights)
{
    MidiController midi(rig.handle(RATE), controllerPalettes[4]);
    midi.apply();
    const struct {
        double x;
        double y;
        const char* text;
    } cases[] = {{0.1, 0.1, "note value"},
                 {0.9, 0.1, "velocity"},
                 {0.1, 0.9, "pitch bend"},
                 {0.9, 0.9, "mod wheel"},
                 {0.5, 0.5, "note value 25 velocity 25 pitch bend 25 mod wheel 25"},
                 {0.5, 0.1, "note value 50 velocity 50"}};
    for (const auto& c : cases) {
        midi.setXY(c.x, c.y);
        EXPECT_EQ(describe(midi), c.text) << c.x << "," << c.y;
    }
}

TEST_F(ControllerEditors, AdsrMixSetsOnlyXAndReadsBothEnvelopes)
{
    ADSRController adsr(rig.handle(RATE), controllerPalettes[5]);
    adsr.apply();
    adsr.setXY(0.3, 0.9);
    EXPECT_DOUBLE_EQ(rig.live(RATE).params[0].target, 0.3);
    EXPECT_DOUBLE_EQ(rig.live(RATE).params[1].target, 0.0);
    EXPECT_EQ(describe(adsr), "");

    // Defaults: ADSR 1 times 0, 12.5, 100, 2700 ms; ADSR 2 0, 800, 2700, 800 ms (cubic over 100 s).
    const ADSRController::EnvelopePoints adsr1{{{0, 0}, {0.05, 1}, {0.15, 0.8}, {0.7, 0.8}, {1, 0}}};
    const ADSRController::EnvelopePoints adsr2{{{0, 0}, {0.2, 1}, {0.5, 0.4}, {0.8, 0.4}, {1, 0}}};
    for (std::size_t i = 0; i < 5; ++i) {
        EXPECT_NEAR(adsr.getAdsr1Points()[i].first, adsr1[i].first, 1e-9) << i;
        EXPECT_NEAR(adsr.getAdsr1Points()[i].second, adsr1[i].second, 1e-9) << i;
        EXPECT_NEAR(adsr.getAdsr2Points()[i].first, adsr2[i].first, 1e-9) << i;
        EXPECT_NEAR(adsr.getAdsr2Points()[i].second, adsr2[i].second, 1e-9) << i;
    }
    rig.params.setParam(29, 0.5, 0.0); // ADSR 1 point 1 level
    adsr.refresh();
    EXPECT_DOUBLE_EQ(adsr.getAdsr1Points()[1].second, 0.5);
}

std::vector<std::string> names(const InnerSourceEntries& entries)
{
    std::vector<std::string> out;
    for (const InnerSource& entry : entries)
        out.emplace_back(entry.shortName);
    return out;
}

TEST_F(ControllerEditors, InnerGroupsOfferSixSourcesSkippingTheParameterAndItsRelatives)
{
    using Names = std::vector<std::string>;
    EXPECT_EQ(names(innerSourcesFor(1, 9)), (Names{"gliss", "clip", "crsh", "tone", "fl.frq", "fl.Q"}));
    EXPECT_EQ(names(innerSourcesFor(0, 4)), (Names{"s.rat", "s.pos", "g.len", "g.dns", "g.frq", "gliss"}));
    EXPECT_EQ(names(innerSourcesFor(2, 16)), (Names{"crsh", "tone", "del.t", "dl.fb", "g.amp", "g.pan"}));
    EXPECT_EQ(names(innerSourcesFor(2, 12)), (Names{"fl.frq", "fl.Q", "f2.frq", "f2.Q", "del.t", "dl.fb"}));
    EXPECT_EQ(names(innerSourcesFor(2, 18)), (Names{"crsh", "tone", "del.t", "dl.fb", "g.amp", "g.pan"}));
    EXPECT_EQ(names(innerSourcesFor(2, 24)), (Names{"crsh", "tone", "fl.frq", "fl.Q", "f2.frq", "f2.Q"}));
    EXPECT_EQ(names(innerSourcesFor(2, 2)), (Names{"fl.frq", "fl.Q", "f2.frq", "f2.Q", "del.t", "dl.fb"}));
}

TEST_F(ControllerEditors, NewInnerControllerPushesTheSourceItShows)
{
    InternalController inner(1, rig.handle(ATTACK), controllerPalettes[7]);
    EXPECT_EQ(inner.getSelection(), 0);
    inner.apply();
    EXPECT_EQ(rig.live(ATTACK).type, 7u);
    EXPECT_DOUBLE_EQ(rig.live(ATTACK).params[0].target, 8.0); // "gliss"
    EXPECT_EQ(describe(inner), "using grain.gliss");
}

TEST_F(ControllerEditors, InnerCellsChooseTheSourceIdUnscaled)
{
    InternalController inner(1, rig.handle(ATTACK), controllerPalettes[7]);
    inner.apply();
    inner.setXY(0.9, 0.5); // right, middle: "tone"
    EXPECT_EQ(inner.getSelection(), 3);
    EXPECT_DOUBLE_EQ(rig.live(ATTACK).params[0].target, 15.0);
    EXPECT_DOUBLE_EQ(inner.getX(), 0.9);
    EXPECT_DOUBLE_EQ(inner.getY(), 0.5);
    EXPECT_EQ(describe(inner), "using dist.tone");

    // A boundary chooses nothing and leaves the synthesizer's source; the handle hides.
    for (auto [x, y] : {std::pair{0.5, 0.5}, std::pair{0.2, 0.3}, std::pair{0.8, 0.7}}) {
        inner.setXY(x, y);
        EXPECT_FALSE(inner.getSelection());
    }
    EXPECT_DOUBLE_EQ(rig.live(ATTACK).params[0].target, 15.0);
    EXPECT_EQ(inner.getX(), -2.0);
    EXPECT_EQ(inner.getY(), -1.0);
    EXPECT_EQ(describe(inner), "");
    EXPECT_EQ(inner.colour(), VSTGUI::CColor(255, 255, 255, 0));
    inner.refresh();
    EXPECT_EQ(inner.getSelection(), 3);

    inner.setXY(0.1, 0.9); // left, bottom: "fl.frq"
    EXPECT_DOUBLE_EQ(rig.live(ATTACK).params[0].target, 16.0);
}

TEST_F(ControllerEditors, HandleTakesUpAnotherThreadsWriteInsteadOfFailing)
{
    RandController random(rig.handle(RATE), controllerPalettes[1]);
    random.apply();
    random.refresh();
    // As host automation would, behind the editor's copy.
    rig.params.setParamNormalized(RATE_Y, 0.25);
    EXPECT_NE(rig.live(RATE).params[1].target, random.controlPatch().params[1]);
    EXPECT_NEAR(random.getY(), 0.25, 1e-6);
    EXPECT_EQ(random.controlPatch().params[1], rig.live(RATE).params[1].target);
}

} // namespace
} // namespace korvel::gui
