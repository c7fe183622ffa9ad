#pragma once

#include <filesystem>
#include <string>
#include <utility>
#include <vector>

namespace korvel::host {

// Quillmar's patch slots; a state may name any of them.
constexpr std::size_t PATCH_SLOTS = 130;
// The slot a state restore plays.
constexpr int LIVE_SLOT = 1;

// One patch slot to store: its sound and the parameters that differ from the defaults.
struct StoredSlot {
    int slot = LIVE_SLOT;
    std::filesystem::path sound;
    std::vector<std::pair<std::string, double>> values;  // parameter name, value
};

// The state text (host chunk / state file) holding these slots, each written as the plug-in
// writes a patch, so every parameter not given keeps its default.
// Throws std::invalid_argument for a slot or a name that does not exist.
std::string makeState(const std::vector<StoredSlot>& slots);

}  // namespace korvel::host
