#include "gui/controllers/InnerSources.h"

#include <cstddef>

namespace korvel::gui {

namespace {

constexpr std::array<InnerSource, 21> INNER_SOURCE_TABLE = {{
    {2, "s.rat"},   {3, "s.pos"}, {4, "g.rat"}, {5, "g.len"},   {6, "g.dns"}, {7, "g.frq"},   {8, "gliss"},
    {9, "g.att"},   {10, "g.dec"}, {13, "clip"}, {14, "crsh"},  {15, "tone"}, {16, "fl.frq"}, {17, "fl.Q"},
    {21, "f2.frq"}, {22, "f2.Q"}, {23, "del.t"}, {24, "dl.fb"}, {11, "g.amp"}, {12, "g.pan"}, {56, "chgtim"},
}};
// Entries from here on wrap to the first.
constexpr int WRAP_INDEX = 20;

bool within(int id, int low, int high) { return id >= low && id <= high; }

int startIndex(int group, int paramId)
{
    if (group == 0)
        return 0;
    if (group == 1)
        return 6;
    return within(paramId, 16, 19) || within(paramId, 23, 24) ? 10 : 12;
}

// Past the rest of the parameter's own group when entry i belongs to it.
int skipOwnGroup(int i, int paramId)
{
    const int id = INNER_SOURCE_TABLE[static_cast<std::size_t>(i)].id;
    if (within(paramId, 9, 10) && within(id, 9, 10))
        return i - id + 11;
    if (within(paramId, 13, 15) && within(id, 13, 15))
        return i - id + 16;
    if (within(paramId, 16, 19) && within(id, 16, 19))
        return i - id + 20;
    return i;
}

} // namespace

InnerSourceEntries innerSourcesFor(int group, int paramId)
{
    InnerSourceEntries entries{};
    int i = startIndex(group, paramId);
    for (InnerSource& entry : entries) {
        if (INNER_SOURCE_TABLE[static_cast<std::size_t>(i)].id == paramId)
            ++i;
        if (i >= WRAP_INDEX)
            i = 0;
        i = skipOwnGroup(i, paramId);
        if (i >= WRAP_INDEX)
            i = 0;
        entry = INNER_SOURCE_TABLE[static_cast<std::size_t>(i)];
        ++i;
    }
    return entries;
}

} // namespace korvel::gui
