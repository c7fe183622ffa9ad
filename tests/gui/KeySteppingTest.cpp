#include "gui/KeyStepping.h"

#include <gtest/gtest.h>

#include <cctype>
#include <cmath>

namespace korvel::gui {
namespace {

VstKeyCode virtualKey(unsigned char virt, unsigned char modifier = 0) { return {0, virt, modifier}; }
VstKeyCode character(char c) { return {c, 0, 0}; }

struct StepCase {
    const char* what;
    VstKeyCode key;
    double v;
    double expected;
};

class KeyStep : public testing::TestWithParam<StepCase> {};

TEST_P(KeyStep, GivesTheTableValue)
{
    const auto& c = GetParam();
    const double result = stepValueByKey(c.key, c.v);
    EXPECT_NEAR(result, c.expected, 1e-12) << c.what;
    EXPECT_EQ(std::signbit(result), std::signbit(c.expected)) << c.what;
}

using namespace VSTGUI;

// A case "5 on 0.03" runs as 5_on_0_03.
std::string stepName(const testing::TestParamInfo<StepCase>& info) {
    std::string name = info.param.what;
    for (char& c : name)
        if (!std::isalnum(static_cast<unsigned char>(c))) c = '_';
    return name;
}

INSTANTIATE_TEST_SUITE_P(
    Arrows, KeyStep,
    testing::Values(StepCase{"right", virtualKey(VKEY_RIGHT), 1, 1.1},
                    StepCase{"left", virtualKey(VKEY_LEFT), 1, 0.9},
                    StepCase{"up", virtualKey(VKEY_UP), 0, 0.1},
                    StepCase{"down", virtualKey(VKEY_DOWN), 0, -0.1},
                    StepCase{"page up", virtualKey(VKEY_PAGEUP), 1, 1.5},
                    StepCase{"page down", virtualKey(VKEY_PAGEDOWN), 1, 0.5},
                    StepCase{"above 20 doubles", virtualKey(VKEY_RIGHT), 20.5, 20.7},
                    StepCase{"at 20 does not", virtualKey(VKEY_RIGHT), 20, 20.1},
                    StepCase{"at 200 only doubles", virtualKey(VKEY_RIGHT), 200, 200.2},
                    StepCase{"above 200 ten times", virtualKey(VKEY_RIGHT), 250, 251},
                    StepCase{"at 2000 ten times", virtualKey(VKEY_RIGHT), 2000, 2001},
                    StepCase{"negative magnitude counts", virtualKey(VKEY_RIGHT), -250, -249},
                    StepCase{"above 2000 hundred times", virtualKey(VKEY_PAGEUP), 3000, 3050},
                    StepCase{"shift page down", virtualKey(VKEY_PAGEDOWN, MODIFIER_SHIFT), 3, 2.995},
                    StepCase{"control up", virtualKey(VKEY_UP, MODIFIER_CONTROL), 0.5, 0.51},
                    StepCase{"command up", virtualKey(VKEY_UP, MODIFIER_COMMAND), 0.5, 0.51},
                    StepCase{"shift wins over control", virtualKey(VKEY_UP, MODIFIER_SHIFT | MODIFIER_CONTROL), 0.5,
                             0.501},
                    StepCase{"alternate alone is no modifier", virtualKey(VKEY_UP, MODIFIER_ALTERNATE), 0.5, 0.6}),
                         stepName);

INSTANTIATE_TEST_SUITE_P(
    Digits, KeyStep,
    testing::Values(StepCase{"5 on 0.03", character('5'), 0.03, 0.05},
                    StepCase{"7 on 0.3", character('7'), 0.3, 0.7},
                    StepCase{"7 on 45", character('7'), 45, 70},
                    StepCase{"numpad 7 on 45", virtualKey(VKEY_NUMPAD0 + 7), 45, 70},
                    StepCase{"numpad beats the character", VstKeyCode{'3', VKEY_NUMPAD0 + 7, 0}, 45, 70},
                    StepCase{"4 on -2", character('4'), -2, -4},
                    StepCase{"1 on 0", character('1'), 0, 0.001},
                    StepCase{"9 on 0.0099995", character('9'), 0.0099995, 0.09},
                    StepCase{"0 on 100", character('0'), 100, 10},
                    StepCase{"0 on 10", character('0'), 10, 1},
                    StepCase{"0 on 1", character('0'), 1, 0},
                    StepCase{"0 on 8", character('0'), 8, 10},
                    StepCase{"0 on 7", character('0'), 7, 10},
                    StepCase{"0 on 6.9", character('0'), 6.9, 0},
                    StepCase{"0 on 3", character('0'), 3, 0},
                    StepCase{"0 on 0.5", character('0'), 0.5, 0},
                    StepCase{"0 on 30", character('0'), 30, 10},
                    StepCase{"0 on -3 gives minus zero", character('0'), -3, -0.0},
                    StepCase{"0 on -800", character('0'), -800, -1000}),
                         stepName);

INSTANTIATE_TEST_SUITE_P(Others, KeyStep,
                         testing::Values(StepCase{"letter", character('a'), 4.2, 4.2},
                                         StepCase{"return", virtualKey(VKEY_RETURN), 4.2, 4.2},
                                         StepCase{"tab", virtualKey(VKEY_TAB), -1, -1}),
                         stepName);

} // namespace
} // namespace korvel::gui
