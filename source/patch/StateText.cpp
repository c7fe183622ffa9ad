#include "patch/StateText.h"

#include "json/Reader.h"
#include "json/Writer.h"
#include "patch/ParamSerializer.h"
#include "patch/StoredRange.h"
#include "synth/SynthParamIds.h"
#include "synth/SynthParams.h"

#include <exception>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

namespace korvel::veldro {
namespace {

constexpr std::wstring_view SLOT_KEY_PREFIX = L"patch.";
constexpr unsigned INDENT_WIDTH = 2;
// Envelope points and controller objects go on one line each.
constexpr std::uint64_t MAX_LAYOUT_DEPTH = 4;

// Slot 0 carries its globals group too; with the table's groups both masks
// write the same members.
std::uint32_t slotMask(std::size_t index)
{
    return index == 0 ? MASK_ALL : MASK_ALL_BUT_GLOBALS;
}

// What a state text holds that reads well, in the text's order, read in
// full before anything applies.
struct ReadableMembers {
    std::vector<std::pair<int, double>> options;
    std::vector<std::pair<int, Patch>> slots;
    // False when a slot key without a number ended the reading.
    bool complete = true;

    bool empty() const { return options.empty() && slots.empty(); }
};

// The option id and the value it takes (an out-of-range one its default),
// or nothing for a member that is no option or holds no number.
std::optional<std::pair<int, double>> readOption(const std::wstring& key, const JSON::Value& value)
{
    const ParamInfo& info = getParamInfoByName(key);
    if (info.id < param_id::CHANGE_TIME || info.id > param_id::PATCH_GLOBALS || !value.is(JSON::Value::Kind::Number))
        return std::nullopt;
    return std::pair{info.id, acceptsStoredValue(info, value.asNumber()) ? value.asNumber() : info.range.default_value};
}

ReadableMembers readMembers(const JSON::Value& state, std::size_t slotCount)
{
    ReadableMembers members;
    try {
        for (const auto& [key, value] : state.asObject()) {
            const int index = patchIndexFromKey(key);
            if (index >= 0 && static_cast<std::size_t>(index) < slotCount) {
                Patch slot;
                if (ParamSerializer::read(slot, value))
                    members.slots.emplace_back(index, std::move(slot));
            }
            else if (const auto option = readOption(key, value)) {
                members.options.push_back(*option);
            }
        }
    } catch (const std::exception&) {
        members.complete = false;
    }
    return members;
}

// Options 56..58 jump without telling anybody; 59..61 also steer the default
// recall mask and have the host reread the values (a restore is no edit).
void applyOption(SynthParams& params, int id, double value)
{
    if (id <= param_id::PATCH_RANDOM) {
        const auto lock = params.lockForWriting();
        params.getBaseParam(id).value.jumpTo(value);
    }
    else
        params.setOwnValue(id, value);
}

bool parseObject(const std::string& text, JSON::Value& state)
{
    try {
        const char* position = text.data();
        JSON::parseValue(state, position, text.data() + text.size(), false);
    } catch (const std::exception&) {
        return false;
    }
    return state.is(JSON::Value::Kind::Object);
}

enum class Extent { MERGE, WHOLE_STATE };

bool applyState(SynthParams& params, const std::string& text, Extent extent)
{
    JSON::Value state;
    if (!parseObject(text, state))
        return false;
    const std::size_t slotCount = params.getPatchCount();
    ReadableMembers members = readMembers(state, slotCount);
    // Applied, a text in which nothing reads would count as a state that
    // changes nothing, or, as the whole state, empty every slot.
    if (members.empty())
        return false;
    try {
        for (const auto& [id, value] : members.options)
            applyOption(params, id, value);
        std::vector<bool> filled(slotCount, false);
        for (auto& [index, slot] : members.slots) {
            params.setPatch(index, std::move(slot));
            filled[static_cast<std::size_t>(index)] = true;
        }
        // A text that stopped part way has applied what came before and empties nothing.
        if (!members.complete)
            return true;
        if (extent == Extent::WHOLE_STATE)
            for (std::size_t i = 0; i < filled.size(); ++i)
                if (!filled[i])
                    params.setPatch(static_cast<int>(i), Patch{});
        params.notifyListeners(GROUP_PATCH_SLOTS);
    } catch (const std::exception&) {
        // What was applied stays.
    }
    return true;
}

} // namespace

std::string serialize(const SynthParams& params)
{
    JSON::Value state(JSON::Value::Kind::Object);
    for (std::size_t i = 0; i < params.getPatchCount(); ++i) {
        const Patch& slot = params.getPatch(static_cast<int>(i));
        if (!slot.isEmpty())
            state[std::wstring(SLOT_KEY_PREFIX) + std::to_wstring(i)] = ParamSerializer::write(slot, slotMask(i));
    }
    for (int id = param_id::CHANGE_TIME; id <= param_id::PATCH_GLOBALS; ++id)
        state[getParamInfo(id).wide_name] = params.getParam(id).second;
    return JSON::toText(state, INDENT_WIDTH, MAX_LAYOUT_DEPTH) + "\n";
}

bool deserialize(SynthParams& params, const std::string& text)
{
    return applyState(params, text, Extent::MERGE);
}

bool replaceState(SynthParams& params, const std::string& text)
{
    return applyState(params, text, Extent::WHOLE_STATE);
}

int patchIndexFromKey(const std::wstring& key)
{
    if (!key.starts_with(SLOT_KEY_PREFIX))
        return -1;
    return std::stoi(key.substr(SLOT_KEY_PREFIX.size()));
}

} // namespace korvel::veldro
