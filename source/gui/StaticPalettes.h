#pragma once

#include "gui/Palette.h"

#include <array>
#include <cstddef>
#include <span>

// Fixed palettes and colour sets that the editor hands to particular views. All constant: safe to
// read from any thread and from other start-up initialisers.
namespace korvel::gui {

namespace detail {
inline constexpr Palette NIGHTSHADE_PALETTE{{50, 54, 57, 255}, {80, 80, 80, 255}, {255, 122, 0, 255},
                                            {255, 122, 0, 255}};
inline constexpr Palette YELLOW_PALETTE{{255, 216, 34, 255}, {50, 54, 57, 255}, {255, 122, 0, 255},
                                        {0, 255, 255, 140}};

// Index 0 is the pad palette, 1 to 10 the numbered palettes.
inline constexpr std::array<Palette, 11> STATIC_PALETTES = {
    NIGHTSHADE_PALETTE,
    Palette{{255, 51, 222, 255}, {255, 230, 255, 255}, {255, 230, 255, 255}, {140, 77, 0, 255}},
    Palette{{45, 200, 230, 130}, {255, 242, 166, 255}, {255, 222, 0, 255}, {240, 80, 0, 255}},
    Palette{{250, 190, 0, 255}, {255, 245, 166, 255}, {255, 245, 166, 255}, {255, 90, 0, 255}},
    Palette{{106, 206, 218, 255}, {55, 188, 255, 255}, {255, 245, 245, 255}, {0, 91, 102, 255}},
    Palette{{0, 106, 218, 255}, {241, 253, 255, 255}, {241, 253, 255, 255}, {47, 211, 235, 255}},
    YELLOW_PALETTE,
    YELLOW_PALETTE,
    YELLOW_PALETTE,
    Palette{{0, 106, 218, 255}, {241, 253, 255, 255}, {241, 253, 255, 255}, {255, 240, 60, 255}},
    Palette{{47, 211, 235, 255}, {241, 253, 255, 255}, {241, 253, 255, 255}, {255, 240, 60, 255}},
};
} // namespace detail

// Palette n of the editor's fixed palettes: 0 the pad palette, 1 to 10 the numbered ones.
constexpr const Palette& staticPalette(std::size_t n) { return detail::STATIC_PALETTES.at(n); }

// One palette per controller kind (0 empty, 1 to 8 the kinds): the pad palette and palettes 1 to 8.
inline constexpr std::span<const Palette, 9> controllerPalettes{detail::STATIC_PALETTES.data(), 9};

// Colour sets sized to what each view reads.
inline constexpr std::array<VSTGUI::CColor, 13> soundfileViewColours = {{
    {20, 90, 110, 255},  {40, 70, 90, 255},    {140, 230, 244, 180}, {60, 190, 220, 255}, {80, 220, 200, 255},
    {100, 120, 110, 255}, {0, 140, 130, 180},  {240, 80, 0, 200},    {160, 80, 0, 150},   {255, 111, 90, 255},
    {255, 220, 0, 200},  {220, 170, 0, 150},   {255, 250, 211, 255},
}};
// Only the first two were ever chosen; the stroke colours 2 to 4 repeat colour 1.
inline constexpr std::array<VSTGUI::CColor, 5> grainDisplayColours = {{
    {50, 54, 57, 255}, {255, 122, 0, 255}, {255, 122, 0, 255}, {255, 122, 0, 255}, {255, 122, 0, 255},
}};
// Only the first four were ever chosen; the band and high-pass colours 4 and 5 repeat colour 3.
inline constexpr std::array<VSTGUI::CColor, 6> filterViewColours = {{
    {50, 54, 57, 255}, {255, 122, 0, 255}, {0, 220, 255, 255}, {220, 0, 80, 222}, {220, 0, 80, 222},
    {220, 0, 80, 222},
}};
inline constexpr std::array<VSTGUI::CColor, 7> patchManagerColours = {{
    {50, 54, 57, 255}, {80, 80, 80, 255}, {255, 122, 0, 255}, {255, 240, 177, 255}, {255, 220, 90, 255},
    {233, 100, 80, 255}, {0, 193, 250, 255},
}};

} // namespace korvel::gui
