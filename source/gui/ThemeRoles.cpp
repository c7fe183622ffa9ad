#include "gui/ThemeRoles.h"

#include "utility/Win32Compat.h"

#include <array>
#include <cstddef>

namespace korvel::gui::themes {
namespace {

using VSTGUI::CColor;

// A role whose colour is the system colour of a Win32 COLOR_ index.
struct SystemRole {
    const char* name;
    int index;
};

CColor systemColour(int index)
{
    const std::uint32_t colorref = win32::GetSysColor(index);
    return {win32::redOf(colorref), win32::greenOf(colorref), win32::blueOf(colorref), 255};
}

template <std::size_t N>
std::array<ColourRow, N> readSystemColours(const std::array<SystemRole, N>& roles)
{
    std::array<ColourRow, N> rows{};
    for (std::size_t i = 0; i < N; ++i)
        rows[i] = {roles[i].name, systemColour(roles[i].index)};
    return rows;
}

constexpr std::array NAMED_COLOURS = {
    ColourRow{"cie.red", {211, 27, 35, 255}},     ColourRow{"cie.orange", {236, 181, 44, 255}},
    ColourRow{"cie.yellow", {248, 239, 0, 255}},  ColourRow{"cie.green", {60, 180, 43, 255}},
    ColourRow{"cie.blue", {92, 138, 202, 255}},   ColourRow{"cie.purple", {154, 95, 165, 255}},
    ColourRow{"cie.pink", {245, 220, 208, 255}},  ColourRow{"rgb.red", {255, 0, 0, 255}},
    ColourRow{"rgb.green", {0, 255, 0, 255}},     ColourRow{"rgb.blue", {0, 0, 255, 255}},
    ColourRow{"rgb.yellow", {255, 255, 0, 255}},  ColourRow{"rgb.magenta", {255, 0, 255, 255}},
    ColourRow{"rgb.cyan", {0, 255, 255, 255}},    ColourRow{"rgb.orange", {255, 140, 0, 255}},
    ColourRow{"black", {0, 0, 0, 255}},           ColourRow{"white", {255, 255, 255, 255}},
    ColourRow{"gray", {128, 128, 128, 255}},      ColourRow{"grey", {128, 128, 128, 255}},
    ColourRow{"silver", {160, 160, 160, 255}},
};

constexpr std::array NIGHTSHADE_ROLES = {
    ColourRow{"background", {50, 54, 57, 255}},   ColourRow{"shadow", {80, 80, 80, 255}},
    ColourRow{"light", {160, 160, 160, 255}},     ColourRow{"highlight", {240, 240, 240, 255}},
    ColourRow{"edge-top", {68, 75, 78, 255}},     ColourRow{"edge-bottom", {80, 80, 80, 255}},
    ColourRow{"contrast", {0, 255, 255, 255}},    ColourRow{"slider-back", {80, 80, 80, 255}},
    ColourRow{"slider-knob", {255, 122, 0, 255}}, ColourRow{"info-back", {68, 75, 78, 255}},
    ColourRow{"frame", {80, 80, 80, 255}},        ColourRow{"text", {255, 122, 0, 255}},
    ColourRow{"accent", {255, 122, 0, 255}},      ColourRow{"focus", {0, 240, 255, 255}},
};

constexpr std::array VELDRO_ROLES = {
    ColourRow{"background", {232, 232, 232, 255}}, ColourRow{"shadow", {128, 128, 128, 255}},
    ColourRow{"light", {170, 170, 170, 255}},      ColourRow{"highlight", {255, 255, 255, 89}},
    ColourRow{"edge-top", {128, 128, 128, 255}},   ColourRow{"edge-bottom", {170, 170, 170, 255}},
    ColourRow{"focus", {69, 143, 238, 255}},       ColourRow{"contrast", {208, 0, 0, 255}},
    ColourRow{"slider-back", {160, 160, 160, 255}}, ColourRow{"slider-knob", {69, 143, 238, 255}},
    ColourRow{"frame", {69, 143, 238, 255}},       ColourRow{"text", {69, 143, 238, 255}},
};

constexpr std::array SYSTEM_ROLES = {
    SystemRole{"background", 15}, SystemRole{"text", 18},          SystemRole{"shadow", 16},
    SystemRole{"light", 22},      SystemRole{"highlight", 20},     SystemRole{"edge-top", 20},
    SystemRole{"edge-bottom", 16}, SystemRole{"edge-light", 20},   SystemRole{"edge-shadow", 16},
    SystemRole{"info-back", 24},  SystemRole{"focus", 13},         SystemRole{"title-back", 2},
    SystemRole{"title-text", 9},  SystemRole{"control-back", 15},  SystemRole{"control-text", 18},
    SystemRole{"edit-back", 5},   SystemRole{"edit-text", 8},      SystemRole{"slider-back", 0},
    SystemRole{"slider-knob", 13}, SystemRole{"info-text", 23},
};

constexpr std::array WINDOWS_ROLES = {
    SystemRole{"title-active-back", 2},      SystemRole{"title-active-text", 9},
    SystemRole{"title-disable-back", 3},     SystemRole{"title-disable-text", 19},
    SystemRole{"window-frame", 6},           SystemRole{"edit-back", 5},
    SystemRole{"edit-text", 8},              SystemRole{"window-active-border", 10},
    SystemRole{"window-disable-border", 11}, SystemRole{"window-container-back", 12},
    SystemRole{"desktop-back", 1},           SystemRole{"menu-back", 4},
    SystemRole{"menu-text", 7},              SystemRole{"selection-back", 13},
    SystemRole{"selection-text", 14},        SystemRole{"widget-back", 15},
    SystemRole{"widget-text", 18},           SystemRole{"widget-disable-text", 17},
    SystemRole{"edge-light", 22},            SystemRole{"edge-highlight", 20},
    SystemRole{"edge-shadow", 16},           SystemRole{"edge-dark-shadow", 21},
    SystemRole{"slider-back", 0},            SystemRole{"info-text", 23},
    SystemRole{"info-back", 24},
};

} // namespace

std::span<const ColourRow> namedColours() { return NAMED_COLOURS; }
std::span<const ColourRow> veldroRoles() { return VELDRO_ROLES; }
std::span<const ColourRow> nightshadeRoles() { return NIGHTSHADE_ROLES; }

std::span<const ColourRow> systemRoles()
{
    static const auto rows = readSystemColours(SYSTEM_ROLES);
    return rows;
}

std::span<const ColourRow> windowsRoles()
{
    static const auto rows = [] {
        std::array<ColourRow, WINDOWS_ROLES.size() + 1> all{};
        const auto system = readSystemColours(WINDOWS_ROLES);
        std::copy(system.begin(), system.end(), all.begin());
        all.back() = {"contrast", {240, 0, 0, 255}};
        return all;
    }();
    return rows;
}

} // namespace korvel::gui::themes
