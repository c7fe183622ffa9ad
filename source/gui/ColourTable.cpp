#include "gui/ColourTable.h"

#include "gui/ThemeRoles.h"

#include <vector>

namespace korvel::gui {
namespace {

std::string withDot(const std::string& prefix)
{
    if (prefix.empty() || prefix.back() == '.')
        return prefix;
    return prefix + ".";
}

} // namespace

ColourTable::ColourTable(unsigned flags, std::span<const ColourRow> rows)
{
    addRows(rows);
    if (flags >= NAMED_COLOURS)
        addRows(themes::namedColours());
    if (flags & THEMES) {
        addRows(themes::veldroRoles(), "veldro.");
        addRows(themes::nightshadeRoles(), "nightshade.");
        addRows(themes::systemRoles(), "system.");
    }
    if (flags & WINDOWS_ROLES)
        addRows(themes::windowsRoles());
    selectTheme("nightshade", true);
    selectTheme("cie", true);
}

void ColourTable::addRows(std::span<const ColourRow> rows, const std::string& keyPrefix)
{
    for (const ColourRow& row : rows)
        colours[keyPrefix + row.name] = row.colour;
}

VSTGUI::CColor ColourTable::colour(const std::string& name) const
{
    for (const std::string& key : {name, prefix + name, "rgb." + name, "system." + name}) {
        auto found = colours.find(key);
        if (found != colours.end())
            return found->second;
    }
    return VSTGUI::kWhiteCColor;
}

Palette ColourTable::palette() const
{
    return {colour("background"), colour("frame"), colour("text"), colour("accent")};
}

void ColourTable::selectTheme(const std::string& themePrefix, bool copy)
{
    prefix = withDot(themePrefix);
    if (!copy || prefix.empty())
        return;
    std::vector<std::string> names; // collected first: a copy may land inside the prefix range
    for (auto it = colours.lower_bound(prefix); it != colours.end() && it->first.starts_with(prefix); ++it)
        names.push_back(it->first.substr(prefix.size()));
    for (const std::string& name : names)
        colours[name] = colours[prefix + name];
}

ColourTable& colourTable()
{
    static ColourTable table(ColourTable::ALL_CONTENTS);
    return table;
}

} // namespace korvel::gui
