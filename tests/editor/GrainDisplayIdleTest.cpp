// The grain display in the editor window: ticked by idle passes that leave time for it.
#include "EditorRig.h"

#include "utility/Win32Compat.h"
#include "vstgui/lib/cframe.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <string>

namespace korvel::test {
namespace {

class GrainDisplayIdle : public ::testing::Test {
protected:
    GrainDisplayIdle()
    {
        win32::setTickSourceForTesting([this] { return clock += stepPerRead; });
    }
    ~GrainDisplayIdle() override { win32::setTickSourceForTesting({}); }

    bool densityShown()
    {
        const auto texts = displayTexts(*rig.editor().getFrame());
        return std::any_of(texts.begin(), texts.end(),
                           [](const std::string& text) { return text.rfind("density ", 0) == 0; });
    }

    std::uint32_t clock = 100000;
    std::uint32_t stepPerRead = 0;
    EditorRig rig;
};

TEST_F(GrainDisplayIdle, OnlyIdlePassesUnderFiveMillisecondsTickIt)
{
    rig.editor().open(nullptr);
    rig.editor().idle(); // paints the window: the sketch is new
    ASSERT_FALSE(densityShown());

    clock += 150;
    stepPerRead = 5; // every clock read in the pass takes 5 ms
    rig.editor().idle();
    EXPECT_FALSE(densityShown());

    stepPerRead = 0;
    rig.editor().idle();
    EXPECT_TRUE(densityShown());
    rig.editor().close();
}

} // namespace
} // namespace korvel::test
