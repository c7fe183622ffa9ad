#pragma once

#include <array>

namespace korvel::gui {

// A parameter an inner controller can follow, with the short name the pad shows.
struct InnerSource {
    int id;
    const char* shortName;
};

using InnerSourceEntries = std::array<InnerSource, 6>;

// The six sources that group 0 (sound/grain), 1 (grain/fx) or 2 (effects) offers to a control of
// parameter `paramId`: never the parameter itself nor its close relatives.
InnerSourceEntries innerSourcesFor(int group, int paramId);

} // namespace korvel::gui
