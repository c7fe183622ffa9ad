#include "gui/ColourTable.h"

#include "utility/Win32Compat.h"

#include <gtest/gtest.h>

namespace korvel::gui {
namespace {

using VSTGUI::CColor;

CColor fromSystem(int index)
{
    const auto colorref = win32::GetSysColor(index);
    return {win32::redOf(colorref), win32::greenOf(colorref), win32::blueOf(colorref), 255};
}

struct NamedColourCase {
    const char* name;
    CColor expected;
};

class ProcessTableLookup : public testing::TestWithParam<NamedColourCase> {};

TEST_P(ProcessTableLookup, FindsTheColourOfEachName)
{
    EXPECT_EQ(colourTable().colour(GetParam().name), GetParam().expected) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(
    ColourTable, ProcessTableLookup,
    testing::Values(NamedColourCase{"focus", {0, 240, 255, 255}},          // bare nightshade role
                    NamedColourCase{"blue", {92, 138, 202, 255}},          // the cie family by its bare name
                    NamedColourCase{"cie.pink", {245, 220, 208, 255}},
                    NamedColourCase{"cyan", {0, 255, 255, 255}},           // through "rgb."
                    NamedColourCase{"magenta", {255, 0, 255, 255}},
                    NamedColourCase{"grey", {128, 128, 128, 255}},
                    NamedColourCase{"silver", {160, 160, 160, 255}},
                    NamedColourCase{"veldro.highlight", {255, 255, 255, 89}},
                    NamedColourCase{"nightshade.edge-top", {68, 75, 78, 255}},
                    // nightshade overwrites the desktop roles of the same bare name
                    NamedColourCase{"slider-back", {80, 80, 80, 255}},
                    NamedColourCase{"info-back", {68, 75, 78, 255}},
                    NamedColourCase{"contrast", {0, 255, 255, 255}},
                    NamedColourCase{"no such", {255, 255, 255, 255}}));

// The "system" theme and the desktop roles come from the fixed system colour table.
struct SystemRoleCase {
    const char* name;
    int index;
};

class SystemColourLookup : public testing::TestWithParam<SystemRoleCase> {};

TEST_P(SystemColourLookup, ReadsTheSystemColourTable)
{
    EXPECT_EQ(colourTable().colour(GetParam().name), fromSystem(GetParam().index)) << GetParam().name;
}

INSTANTIATE_TEST_SUITE_P(ColourTable, SystemColourLookup,
                         testing::Values(SystemRoleCase{"title-back", 2},        // found through "system."
                                         SystemRoleCase{"system.focus", 13},
                                         SystemRoleCase{"system.background", 15},
                                         SystemRoleCase{"system.info-back", 24},
                                         SystemRoleCase{"system.slider-back", 0},
                                         SystemRoleCase{"edit-text", 8},
                                         SystemRoleCase{"title-active-back", 2},
                                         SystemRoleCase{"selection-back", 13},
                                         SystemRoleCase{"edge-dark-shadow", 21},
                                         SystemRoleCase{"desktop-back", 1}));

TEST(ColourTable, SystemThemeUnpacksRedFromTheLowByte)
{
    // The substitute table gives COLOR_HIGHLIGHT as 0x00D77800: red 0, green 120, blue 215.
    EXPECT_EQ(colourTable().colour("system.focus"), CColor(0, 120, 215, 255));
}

TEST(ColourTable, StartsWithNightshadePaletteAndTheCieFamily)
{
    const ColourTable& table = colourTable();
    EXPECT_EQ(table.palette(), Palette({50, 54, 57, 255}, {80, 80, 80, 255}, {255, 122, 0, 255}, {255, 122, 0, 255}));
    EXPECT_EQ(table.getPrefix(), "cie.");
}

TEST(ColourTable, SelectingAThemeWithCopyPutsItsRolesUnderBareNames)
{
    ColourTable table(ColourTable::ALL_CONTENTS);
    table.selectTheme("veldro", true);
    EXPECT_EQ(table.getPrefix(), "veldro.");
    EXPECT_EQ(table.colour("focus"), CColor(69, 143, 238, 255));
    EXPECT_EQ(table.colour("background"), CColor(232, 232, 232, 255));
    // veldro has no accent: the nightshade one stays
    EXPECT_EQ(table.colour("accent"), CColor(255, 122, 0, 255));
}

TEST(ColourTable, SelectingWithoutCopyOnlyChangesTheLookupPrefix)
{
    ColourTable table(ColourTable::ALL_CONTENTS);
    table.selectTheme("veldro.", false);
    EXPECT_EQ(table.getPrefix(), "veldro.");
    EXPECT_EQ(table.colour("focus"), CColor(0, 240, 255, 255));     // the bare name wins
    EXPECT_EQ(table.colour("edge-light"), CColor(fromSystem(22))); // bare desktop role
    EXPECT_EQ(table.colour("slider-knob"), CColor(255, 122, 0, 255));
    table.selectTheme("", true);
    EXPECT_EQ(table.getPrefix(), "");
}

TEST(ColourTable, ContentsFollowTheFlags)
{
    const ColourTable rowsOnly(0, std::initializer_list<ColourRow>{{"mine", {1, 2, 3, 4}}, {"mine", {5, 6, 7, 8}}});
    EXPECT_EQ(rowsOnly.colour("mine"), CColor(5, 6, 7, 8));
    EXPECT_EQ(rowsOnly.colour("red"), VSTGUI::kWhiteCColor);

    const ColourTable named(ColourTable::NAMED_COLOURS);
    EXPECT_EQ(named.colour("red"), CColor(211, 27, 35, 255));
    EXPECT_EQ(named.colour("focus"), VSTGUI::kWhiteCColor);
    EXPECT_EQ(named.colour("title-back"), VSTGUI::kWhiteCColor);

    const ColourTable desktop(ColourTable::WINDOWS_ROLES);
    EXPECT_EQ(desktop.colour("contrast"), CColor(240, 0, 0, 255));
    EXPECT_EQ(desktop.colour("black"), CColor(0, 0, 0, 255)); // any content brings the named colours
}

TEST(Palette, TransparentWhiteAccentMeansTheTextColour)
{
    const CColor text{1, 2, 3, 255};
    EXPECT_EQ(Palette({}, {}, text, {255, 255, 255, 0}).accent, text);
    EXPECT_EQ(Palette({}, {}, text, {255, 255, 255, 1}).accent, CColor(255, 255, 255, 1));
}

} // namespace
} // namespace korvel::gui
