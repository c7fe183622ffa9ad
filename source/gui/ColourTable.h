#pragma once

#include "gui/Palette.h"

#include <map>
#include <span>
#include <string>

namespace korvel::gui {

// One named colour of a table row, a theme role or a family member.
struct ColourRow {
    const char* name;
    VSTGUI::CColor colour;
};

// Named colours with selectable themes. A theme is a set of roles stored under the theme's prefix
// ("nightshade.focus"); selecting it with copy puts its roles under their bare names as well.
// Built and read on the GUI thread; the process-wide table is shared by every plug-in instance.
class ColourTable {
public:
    enum Contents : unsigned {
        NAMED_COLOURS = 1, // "cie.*", "rgb.*", black, white, grey ...
        THEMES = 2,        // "veldro.*", "nightshade.*", "system.*"
        WINDOWS_ROLES = 4, // bare desktop roles from the system colours, and "contrast"
        ALL_CONTENTS = 7,
    };

    // Rows first (a later one with the same name overwrites), then the contents that `flags` selects;
    // finally "nightshade" and then the "cie" family are selected with copy.
    explicit ColourTable(unsigned flags, std::span<const ColourRow> rows = {});

    // The first name present among `name`, prefix + name, "rgb." + name and "system." + name;
    // opaque white when none is.
    VSTGUI::CColor colour(const std::string& name) const;
    // {"background", "frame", "text", "accent"}.
    Palette palette() const;
    // A "." is appended to a non-empty prefix that lacks one. With copy, every colour under the prefix
    // is also stored under its name without the prefix.
    void selectTheme(const std::string& prefix, bool copy);
    const std::string& getPrefix() const { return prefix; }

private:
    void addRows(std::span<const ColourRow> rows, const std::string& keyPrefix = {});

    std::map<std::string, VSTGUI::CColor> colours;
    std::string prefix;
};

// The process-wide table (every content), made on first use.
ColourTable& colourTable();

} // namespace korvel::gui
