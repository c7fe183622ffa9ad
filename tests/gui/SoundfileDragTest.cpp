#include "HostEditCheck.h"
#include "SoundfileRig.h"

#include "vstgui/lib/cfileselector.h"

#include <optional>

namespace korvel::test {
namespace {

using VSTGUI::CPoint;
using VSTGUI::kApple;
using VSTGUI::kLButton;
using VSTGUI::kRButton;
using VSTGUI::kShift;
using Gestures = std::vector<std::string>;

constexpr double SECOND = 44100.0;
// One second over 380 columns: the frame under column c.
double frameAt(double column) { return std::trunc(column * SECOND / 380.0 + 0.5); }

class SoundfileDragTest : public SoundfileViewRig {
protected:
    void SetUp() override
    {
        synth.getParams().setHostNotify([this](int id, float) { editor.log.push_back("automate " + std::to_string(id)); });
        VSTGUI::CNewFileSelector::setTestResponder([this](const VSTGUI::FileDialogRequest& request) {
            dialogs.push_back(request.title);
            return std::optional<std::vector<std::string>>();
        });
    }
    void TearDown() override { VSTGUI::CNewFileSelector::setTestResponder({}); }

    // The gestures of the host log, once every value in it was found inside a gesture of its id.
    Gestures gestures() const
    {
        EXPECT_EQ(hostEditFaults(editor.log), HostLog{});
        return gesturesOf(editor.log);
    }

    // Set as a host would, so the log keeps only what the view tells the host.
    void selectQuietly(double start, double end)
    {
        setSelection(start, end);
        editor.log.clear();
    }

    std::vector<std::string> dialogs;
};

TEST_F(SoundfileDragTest, EachEdgeMovesWithinTheHostGesturesOfWhatItWrites)
{
    install(swellingTone(44100));
    ASSERT_EQ(view->getLines().columns(), 380u);
    editor.log.clear();

    // Nearer the end (at 380) than the start (at 0).
    dragFromTo(at(300), at(100));
    EXPECT_EQ(target(0), 0.0);
    EXPECT_EQ(target(1), frameAt(100));
    EXPECT_EQ(gestures(), (Gestures{"begin 1", "end 1"}));

    // The start, pushed past the end, takes the end along 500 frames ahead.
    editor.log.clear();
    dragFromTo(at(40), at(200));
    EXPECT_EQ(target(0), frameAt(200));
    EXPECT_EQ(target(1), frameAt(200) + 500);
    EXPECT_EQ(gestures(), (Gestures{"begin 0", "begin 1", "end 1", "end 0"}));

    // With Shift both move, and stop at the end of the sound keeping their distance.
    selectQuietly(10000, 20000);
    dragFromTo(at(100), at(450), kLButton | kShift);
    EXPECT_EQ(target(0), SECOND - 10000);
    EXPECT_EQ(target(1), SECOND);
    EXPECT_EQ(gestures(), (Gestures{"begin 0", "begin 1", "end 1", "end 0"}));
    dragFromTo(at(300), at(-50), kLButton | kShift);
    EXPECT_EQ(target(0), 0.0);
    EXPECT_EQ(target(1), 10000.0);
}

TEST_F(SoundfileDragTest, EdgesStopAtTheEndsWithTheShortestSelection)
{
    install(swellingTone(44100));
    dragFromTo(at(379), at(-20));
    EXPECT_EQ(target(0), 0.0);
    EXPECT_EQ(target(1), 500.0);
    selectQuietly(0, SECOND);
    dragFromTo(at(1), at(500));
    EXPECT_EQ(target(0), SECOND - 500);
    EXPECT_EQ(target(1), SECOND);
}

TEST_F(SoundfileDragTest, CancelPutsTheSelectionBackAndEndsTheGesture)
{
    install(swellingTone(44100));
    selectQuietly(1000, 30000);
    press(at(250));
    move(at(120));
    ASSERT_NE(target(1), 30000.0);
    frame->platformOnMouseCancel();
    EXPECT_EQ(target(0), 1000.0);
    EXPECT_EQ(target(1), 30000.0);
    // Both edges go back, each inside a gesture of its own.
    EXPECT_EQ(gestures(), (Gestures{"begin 1", "begin 0", "end 0", "end 1"}));
}

TEST_F(SoundfileDragTest, ASoundShorterThanTheShortestSelectionStaysWhole)
{
    install(swellingTone(300)); // 16 peak columns
    const double columns = double(view->getLines().columns());
    ASSERT_EQ(columns, 16.0);
    const auto selectionStaysWhole = [&](VSTGUI::CPoint from, VSTGUI::int32 buttons) {
        press(from, buttons);
        for (double x = -30; x < 60; x += 3) {
            move(at(x), buttons);
            ASSERT_EQ(target(0), 0.0) << "from " << from.x << " at " << x;
            ASSERT_EQ(target(1), 300.0) << "from " << from.x << " at " << x;
        }
        release(at(0), buttons);
    };
    selectionStaysWhole(at(0), kLButton);
    selectionStaysWhole(at(columns), kLButton);
    selectionStaysWhole(at(columns / 2), kLButton | kShift);
}

TEST_F(SoundfileDragTest, AnEndOfZeroIsTheEndOfTheSoundForEveryMode)
{
    install(swellingTone(44100));
    selectQuietly(1000, 0);
    dragFromTo(at(370), at(360));
    EXPECT_EQ(gestures(), (Gestures{"begin 1", "end 1"})) << "the end edge lies at the right";
    EXPECT_EQ(target(1), frameAt(360));

    selectQuietly(1000, 0);
    dragFromTo(at(200), at(300), kLButton | kShift);
    EXPECT_EQ(target(0), 1000.0) << "already at the end of the sound";
    EXPECT_EQ(target(1), SECOND);
    selectQuietly(1000, 0);
    dragFromTo(at(200), at(100), kLButton | kShift);
    EXPECT_EQ(target(0), 0.0);
    EXPECT_EQ(target(1), SECOND - 1000);
}

TEST_F(SoundfileDragTest, RightButtonOrAppleKeyOpensTheDialogInsteadOfDragging)
{
    install(swellingTone(44100));
    selectQuietly(1000, 30000);
    dragFromTo(at(100), at(200), kRButton);
    dragFromTo(at(100), at(200), kLButton | kApple);
    EXPECT_EQ(dialogs, (std::vector<std::string>{"Open a soundfile", "Open a soundfile"}));
    EXPECT_EQ(target(0), 1000.0) << "a cancelled dialog changes nothing";
    EXPECT_EQ(target(1), 30000.0);
    EXPECT_TRUE(editor.log.empty());
}

} // namespace
} // namespace korvel::test
