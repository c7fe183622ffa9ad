#include "patch/EnvelopeSerializer.h"

#include "patch/StoredRange.h"
#include "synth/ParamTable.h"

namespace korvel::veldro {
namespace {

constexpr int POINTS = 5;
constexpr int FIELDS = 3; // delta, level, curve
constexpr int SUSTAIN_END_POINT = 3;
constexpr const wchar_t* FIELD_NAMES[FIELDS] = {L"delta", L"level", L"curve"};
// The name of the first row less its ".0.delta".
constexpr std::size_t NAME_LENGTH = 12;
// A point whose delta or level is below this share of its default is suspect.
constexpr double SUSPECT_SHARE = 0.01;
// A missing field reads as this, outside every envelope range.
constexpr double MISSING = -100.0;
// More suspect fields than this and the whole envelope is dropped.
constexpr int MAX_BAD = 7;

struct ReadField {
    double value;
    bool ok;
};

ReadField readField(Patch& out, int id, const JSON::Value& point, const wchar_t* field)
{
    const JSON::Value& member = point.element(field);
    const ParamInfo& info = getParamInfo(id);
    const double v = member.is(JSON::Value::Kind::Number) ? member.asNumber() : MISSING;
    const bool ok = acceptsStoredValue(info, v);
    out.params[id].value = ok ? v : info.range.default_value;
    return {out.params[id].value, ok};
}

bool isBelowShare(const ReadField& field, int id)
{
    return !field.ok || field.value < SUSPECT_SHARE * getParamInfo(id).range.default_value;
}

} // namespace

EnvelopeSerializer::EnvelopeSerializer(int first)
    : first(first)
    , name(getParamInfo(first).wide_name.substr(0, NAME_LENGTH))
{
}

JSON::Value EnvelopeSerializer::write(const Patch& patch) const
{
    JSON::Value::Array points;
    for (int k = 0; k < POINTS; ++k) {
        JSON::Value::Object point;
        for (int f = 0; f < FIELDS; ++f)
            point[FIELD_NAMES[f]] = patch.params[first + FIELDS * k + f].value;
        points.emplace_back(std::move(point));
    }
    return JSON::Value(std::move(points));
}

int EnvelopeSerializer::read(Patch& out, const JSON::Value& slot) const
{
    const JSON::Value& array = slot.element(name);
    if (!array.is(JSON::Value::Kind::Array) || array.asArray().size() != POINTS) {
        setDefaults(out);
        return 0;
    }
    // Points 2 and 3 share the sustain level.
    const int sustainStart = first + FIELDS * SUSTAIN_END_POINT - FIELDS + 1;
    const int sustainEnd = first + FIELDS * SUSTAIN_END_POINT + 1;
    int bad = 0;
    for (int k = 0; k < POINTS; ++k) {
        const JSON::Value& point = array.asArray()[k];
        const int delta = first + FIELDS * k;
        const ReadField d = readField(out, delta, point, FIELD_NAMES[0]);
        const ReadField l = readField(out, delta + 1, point, FIELD_NAMES[1]);
        const ReadField c = readField(out, delta + 2, point, FIELD_NAMES[2]);
        bad += isBelowShare(d, delta) + isBelowShare(l, delta + 1) + !(c.ok && c.value == 0.0);
        if (k == SUSTAIN_END_POINT && l.value != out.params[sustainStart].value) {
            const double level = getParamInfo(sustainEnd).range.default_value;
            out.params[sustainStart].value = level;
            out.params[sustainEnd].value = level;
            ++bad;
        }
    }
    if (bad > MAX_BAD)
        setDefaults(out);
    return bad / 2;
}

void EnvelopeSerializer::setDefaults(Patch& out) const
{
    for (int id = first; id < first + POINTS * FIELDS; ++id)
        out.params[id].value = getParamInfo(id).range.default_value;
}

} // namespace korvel::veldro
