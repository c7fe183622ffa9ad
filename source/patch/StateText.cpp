#include "patch/StateText.h"

#include "json/Reader.h"
#include "json/Writer.h"
#include "patch/ParamSerializer.h"
#include "patch/StoredRange.h"
#include "synth/SynthParamIds.h"
#include "synth/SynthParams.h"

#include <algorithm>
#include <exception>
#include <string_view>
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

// Options 56..58 jump without telling anybody; 59..61 also steer the default
// recall mask and have the host reread the values (a restore is no edit).
void applyOption(SynthParams& params, const std::wstring& key, const JSON::Value& value)
{
    const ParamInfo& info = getParamInfoByName(key);
    if (info.id < param_id::CHANGE_TIME || info.id > param_id::PATCH_GLOBALS || !value.is(JSON::Value::Kind::Number))
        return;
    const double v = acceptsStoredValue(info, value.asNumber()) ? value.asNumber() : info.range.default_value;
    if (info.id <= param_id::PATCH_RANDOM) {
        const auto lock = params.lockForWriting();
        params.getBaseParam(info.id).value.jumpTo(v);
    }
    else
        params.setOwnValue(info.id, v);
}

bool applySlot(SynthParams& params, int index, const JSON::Value& value)
{
    Patch fresh;
    if (!ParamSerializer::read(fresh, value))
        return false;
    params.setPatch(index, std::move(fresh));
    return true;
}

// A slot key, whatever its number, or the name of one of the options.
bool isStateKey(const std::wstring& key)
{
    if (key.starts_with(SLOT_KEY_PREFIX))
        return true;
    const int id = getParamInfoByName(key).id;
    return id >= param_id::CHANGE_TIME && id <= param_id::PATCH_GLOBALS;
}

// Any other JSON object would be "loaded" as a state that changes nothing.
bool parseState(const std::string& text, JSON::Value& state)
{
    try {
        const char* position = text.data();
        JSON::parseValue(state, position, text.data() + text.size(), false);
    } catch (const std::exception&) {
        return false;
    }
    if (!state.is(JSON::Value::Kind::Object))
        return false;
    const auto& members = state.asObject();
    return std::any_of(members.begin(), members.end(), [](const auto& member) { return isStateKey(member.first); });
}

enum class Extent { MERGE, WHOLE_STATE };

bool applyState(SynthParams& params, const std::string& text, Extent extent)
{
    JSON::Value state;
    if (!parseState(text, state))
        return false;
    try {
        std::vector<bool> filled(params.getPatchCount(), false);
        for (const auto& [key, value] : state.asObject()) {
            const int index = patchIndexFromKey(key);
            if (index >= 0 && static_cast<std::size_t>(index) < filled.size())
                filled[static_cast<std::size_t>(index)] = applySlot(params, index, value);
            else
                applyOption(params, key, value);
        }
        if (extent == Extent::WHOLE_STATE)
            for (std::size_t i = 0; i < filled.size(); ++i)
                if (!filled[i])
                    params.setPatch(static_cast<int>(i), Patch{});
        params.notifyListeners(GROUP_PATCH_SLOTS);
    } catch (const std::exception&) {
        // A bad slot key ends the application; what was applied stays.
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
