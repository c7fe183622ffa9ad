#include "patch/ParamSerializer.h"

#include "patch/ControllerSerializer.h"
#include "patch/EnvelopeSerializer.h"
#include "patch/StoredRange.h"
#include "synth/ParamTable.h"
#include "synth/SynthParamIds.h"

#include <algorithm>
#include <array>
#include <string>

namespace korvel::veldro {
namespace {

// Parameters from here on are globals, which a slot does not carry.
constexpr int FIRST_GLOBAL = param_id::CHANGE_TIME;
// A slot this damaged is refused.
constexpr int MAX_ERRORS = 15;
// A selection shorter than this in a slot with a sound means the whole sound.
constexpr double MIN_SELECTION = 500.0;
constexpr double WHOLE_SOUND = -1.0;

const std::array<EnvelopeSerializer, 2>& envelopes()
{
    static const std::array<EnvelopeSerializer, 2> serializers = {EnvelopeSerializer(param_id::ADSR1_FIRST),
                                                                  EnvelopeSerializer(param_id::ADSR2_FIRST)};
    return serializers;
}

const EnvelopeSerializer* envelopeStartingAt(int id)
{
    for (const EnvelopeSerializer& envelope : envelopes())
        if (id == envelope.firstId())
            return &envelope;
    return nullptr;
}

// The records after each envelope's first are written and read with it.
bool isEnvelopeTail(int id)
{
    return id > param_id::ADSR1_FIRST && id <= param_id::ENVELOPE_LAST && id != param_id::ADSR2_FIRST;
}

std::wstring controllerMemberName(const ParamInfo& info, int index)
{
    return info.wide_name + L".controller." + std::to_wstring(index);
}

void writeControllers(JSON::Value& slot, const ParamInfo& info, const ParamPatch& record)
{
    for (int i = 0; i < info.nof_controls; ++i) {
        const ControlPatch& controller = record.controls[i];
        if (controller.type >= 1 && controller.type < NOF_CONTROLLER_TYPES)
            slot[controllerMemberName(info, i)] = ControllerSerializer::write(controller);
    }
}

// Counts the controllers that were too damaged to read.
int readControllers(ParamPatch& record, const ParamInfo& info, const JSON::Value& slot)
{
    int errors = 0;
    for (int i = 0; i < info.nof_controls; ++i) {
        const JSON::Value& member = slot.element(controllerMemberName(info, i));
        if (!member.is(JSON::Value::Kind::Object))
            continue;
        ControlPatch controller;
        if (ControllerSerializer::read(controller, member))
            record.controls[i] = controller;
        else
            ++errors;
    }
    return errors;
}

// A string or null member stands for a parameter the text does not set.
bool isAbsent(const JSON::Value& member)
{
    return member.is(JSON::Value::Kind::String) || member.is(JSON::Value::Kind::Null);
}

} // namespace

JSON::Value ParamSerializer::write(const Patch& patch, std::uint32_t mask)
{
    JSON::Value slot(JSON::Value::Kind::Object);
    for (const auto& [id, info] : paramTable()) {
        if (id >= FIRST_GLOBAL)
            break;
        if ((info.flags & mask) == 0 || isEnvelopeTail(id))
            continue;
        if (const EnvelopeSerializer* envelope = envelopeStartingAt(id)) {
            slot[envelope->memberName()] = envelope->write(patch);
            continue;
        }
        if (id != param_id::PLAY_POSITION)
            slot[info.wide_name] = patch.params[id].value;
        writeControllers(slot, info, patch.params[id]);
    }
    slot[L"timestamp"] = patch.storeTime();
    if (!patch.soundfile.empty())
        slot[L"soundfile"] = patch.soundfile;
    return slot;
}

bool ParamSerializer::read(Patch& out, const JSON::Value& slot)
{
    const JSON::Value& timestamp = slot.element(L"timestamp");
    if (!timestamp.is(JSON::Value::Kind::Number))
        return false;
    int errors = 0;
    for (const auto& [id, info] : paramTable()) {
        if (id >= Patch::NOF_PARAMS)
            break;
        if (id == param_id::GRAIN_DENSITY || isEnvelopeTail(id))
            continue;
        if (const EnvelopeSerializer* envelope = envelopeStartingAt(id)) {
            errors += envelope->read(out, slot);
            continue;
        }
        const JSON::Value& member = slot.element(info.wide_name);
        const bool isNumber = member.is(JSON::Value::Kind::Number);
        if (!isNumber && id != param_id::PLAY_POSITION && id != param_id::GRAIN_DECAY) {
            if (isAbsent(member))
                continue;
            return false;
        }
        // The play position's value is never written, only its controllers;
        // a text without a decay had a symmetric grain envelope.
        double v = isNumber ? member.asNumber() : 0.0;
        if (!isNumber && id == param_id::GRAIN_DECAY)
            v = out.params[param_id::GRAIN_ATTACK].value;
        const bool ok = acceptsStoredValue(info, v);
        out.params[id].value = ok ? v : info.range.default_value;
        // A decay is repaired without counting against the slot, as a missing one is.
        const bool counted = !ok && id != param_id::GRAIN_DECAY;
        errors += readControllers(out.params[id], info, slot) + counted;
    }
    if (errors >= MAX_ERRORS)
        return false;
    out.params[Patch::TIMESTAMP].value = timestamp.asNumber();
    out.soundfile = slot.element(L"soundfile").asString();
    if (!out.soundfile.empty() && out.params[param_id::SOUND_START].value + MIN_SELECTION > out.params[param_id::SOUND_END].value)
        out.params[param_id::SOUND_END].value = WHOLE_SOUND;
    return true;
}

bool ParamSerializer::writeAlike(const Patch& a, const Patch& b)
{
    return a.soundfile == b.soundfile &&
           std::equal(a.params.begin(), a.params.begin() + Patch::TIMESTAMP, b.params.begin());
}

} // namespace korvel::veldro
