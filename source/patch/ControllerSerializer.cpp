#include "patch/ControllerSerializer.h"

#include "synth/ControllerKinds.h"
#include "synth/ParamTable.h"

#include <string>

namespace korvel::veldro {
namespace {

struct ControllerTypeName {
    const wchar_t* kind;
    const wchar_t* params[3];
};

// Indexed by type. The three inner kinds evaluate alike and share one name.
constexpr ControllerTypeName controllerTypeNames[NOF_CONTROLLER_TYPES] = {
    {L"empty", {}},
    {L"random", {L"walk", L"spread"}},
    {L"amp_noise", {L"offset", L"mix"}},
    {L"lfo", {L"skew", L"clip", L"freq"}},
    {L"midi", {L"x", L"y"}},
    {L"adsr_mix", {L"mix"}},
    {L"inner", {L"param"}},
    {L"inner", {L"param"}},
    {L"inner", {L"param"}},
};

constexpr std::uint32_t FIRST_INNER_TYPE = 6;
// The highest source id a numeric inner "param" may name.
constexpr double MAX_INNER_SOURCE = 23.0;

bool isInner(std::uint32_t type) { return type >= FIRST_INNER_TYPE; }

// Below the range gives the lower end; anything else outside it, NaN
// included, the upper end.
double clampInto(double v, double low, double high)
{
    if (v >= low && v <= high)
        return v;
    return v < low ? low : high;
}

// Settings are stored in their kind's own units (an LFO's frequency in Hz,
// an offset in frames), so each is bounded by its kind's own range.
double clampSetting(std::uint32_t type, int index, double v)
{
    if (isInner(type))
        return clampInto(v, 0.0, MAX_INNER_SOURCE);
    const ScaledRange& range = getControllerParamRange(static_cast<int>(type), FIELD_X + index);
    return clampInto(v, range.min, range.max);
}

// The table row of an inner controller's source; null when there is none.
const ParamInfo* innerSource(double storedId)
{
    // Guards the conversion: a non-finite or huge double has no int value.
    if (!(storedId > -1.0 && storedId < 1e6))
        return nullptr;
    const ParamInfo& info = getParamInfo(static_cast<int>(storedId));
    return info.id >= 0 ? &info : nullptr;
}

} // namespace

JSON::Value ControllerSerializer::write(const ControlPatch& controller)
{
    const ControllerTypeName& names = controllerTypeNames[controller.type < NOF_CONTROLLER_TYPES ? controller.type : 0];
    JSON::Value object(JSON::Value::Kind::Object);
    object[L"type"] = std::wstring(names.kind);
    object[L"amount"] = controller.amount;
    if (isInner(controller.type)) {
        const ParamInfo* source = innerSource(controller.params[0]);
        if (!source)
            return JSON::Value();
        object[L"param"] = source->wide_name;
        return object;
    }
    for (int i = 0; i < 3 && names.params[i]; ++i)
        object[names.params[i]] = controller.params[i];
    return object;
}

bool ControllerSerializer::read(ControlPatch& out, const JSON::Value& object)
{
    const auto kind = controllerKinds().find(object.element(L"type").asString());
    if (kind == controllerKinds().end())
        return true;
    const JSON::Value& amount = object.element(L"amount");
    if (!amount.is(JSON::Value::Kind::Number))
        return true;
    const std::uint32_t type = static_cast<std::uint32_t>(kind->second.type);
    const wchar_t* const* paramNames = kind->second.params;

    const JSON::Value& first = object.element(paramNames[0]);
    if (first.is(JSON::Value::Kind::Number)) {
        out.type = type;
        out.params[0] = clampSetting(type, 0, first.asNumber());
    } else if (first.is(JSON::Value::Kind::String)) {
        const ParamInfo& source = getParamInfoByName(first.asString());
        if (source.id >= 0 && source.wide_name == first.asString()) {
            out.type = type;
            out.params[0] = source.id;
        }
    } else {
        return false;
    }
    if (out.type == 0)
        return false;

    for (int i = 1; i < 3; ++i) {
        const JSON::Value& setting = paramNames[i] ? object.element(paramNames[i]) : JSON::Value::null();
        out.params[i] = setting.is(JSON::Value::Kind::Number) ? clampSetting(type, i, setting.asNumber()) : 0.0;
    }
    out.amount = clampInto(amount.asNumber(), -1.0, 1.0);
    return true;
}

} // namespace korvel::veldro
