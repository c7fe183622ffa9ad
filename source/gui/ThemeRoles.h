#pragma once

#include "gui/ColourTable.h"

#include <span>

// The rows the colour table is built from. The rows read from the system colours are made on first
// use, so no start-up initialiser depends on another.
namespace korvel::gui::themes {

// The "cie." and "rgb." families and the plain colour names.
std::span<const ColourRow> namedColours();

// Role tables of the three themes, stored under "<theme>.<role>".
std::span<const ColourRow> veldroRoles();
std::span<const ColourRow> nightshadeRoles();
std::span<const ColourRow> systemRoles();

// Unprefixed desktop roles from the system colours, then "contrast".
std::span<const ColourRow> windowsRoles();

} // namespace korvel::gui::themes
