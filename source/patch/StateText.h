#pragma once

#include <string>

// The state text: the whole persistent state of one instance as one JSON
// object, the six global options and a "patch.<i>" member per stored slot.
// It is the host's chunk, the state file and a patch file alike.
//
// Threads: the host's user-interface thread (chunk calls, plug-in creation,
// editor callbacks). Slots and options are written through SynthParams'
// write lock, so a program change on the audio thread never reads a slot
// being replaced.
namespace korvel::veldro {

class SynthParams;

// The state text: plain ASCII, numbers in the classic "C" form whatever the
// process locale, ending in a line feed.
std::string serialize(const SynthParams& params);

// Applies a state text over the state there is, as a dropped patch file is:
// each slot member that reads well replaces its slot (one that does not
// leaves its slot alone), the options take their values (out-of-range ones
// their defaults), and the listeners hear of the slots (flag 32). A "patch."
// key without a number ends the application where it stands. Returns false,
// having changed nothing, when the text is no state text: not a JSON object,
// or one in which no slot or option reads before such a key (a text with
// only some of the state's members is a state text). Never throws.
bool deserialize(SynthParams& params, const std::string& text);

// Applies a state text as the whole state, as the host's chunk is: as
// deserialize, and once every member has applied, each slot that no member
// filled becomes empty, as in a fresh instance. What deserialize refuses, or
// stops part way, empties nothing.
bool replaceState(SynthParams& params, const std::string& text);

// The slot index of a "patch.<i>" key, -1 for any other key. Throws
// std::invalid_argument when no number follows "patch." and
// std::out_of_range when it exceeds an int.
int patchIndexFromKey(const std::wstring& key);

} // namespace korvel::veldro
