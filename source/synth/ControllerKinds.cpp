#include "synth/ControllerKinds.h"

#include <array>

namespace korvel::veldro {
namespace {

constexpr int NOF_SETTING_FIELDS = NOF_CONTROLLER_FIELDS - 1; // amount, x, y, par3

// Per type: amount, x, y, par3. E is the empty type's range.
constexpr ParamRange E{0.0, 0.0, 1.0, 3};
constexpr ParamRange PARAM_RANGE_ROWS[NOF_CONTROLLER_TYPES][NOF_SETTING_FIELDS] = {
    {E, E, E, E},
    {{0.5, 0.0, 1.0, 113}, {0.0, 0.0, 1.0, 1}, {0.5, 0.0, 1.0, -1}, E},             // random
    {{0.5, -1.0, 1.0, 1}, {0.0, -3000.0, 3000.0, 3}, {0.5, 0.0, 1.0, -1}, E},       // amp_noise
    {{0.5, 0.0, 1.0, 113}, {0.0, -1.0, 1.0, 1}, {0.0, 0.0, 1.0, -1}, {1.0, 0.0, 100.0, 3}}, // lfo
    {{0.5, -1.0, 1.0, 1}, E, E, E},                                                 // midi
    {{0.5, -1.0, 1.0, 1}, {0.5, 0.0, 1.0, 1}, E, E},                                // adsr_mix
    {{0.5, -1.0, 1.0, 1}, {0.0, 0.0, 0.0, 0}, E, E},                                // inner
    {{0.5, -1.0, 1.0, 1}, {0.0, 0.0, 0.0, 0}, E, E},                                // inner_2
    {{0.5, -1.0, 1.0, 1}, {0.0, 0.0, 0.0, 0}, E, E},                                // inner_3
};

constexpr ParamRange FIELD_RANGE_ROWS[NOF_CONTROLLER_FIELDS] = {
    {0.0, 0.0, 8.0, 10},  // type
    {0.5, -1.0, 1.0, 1},  // amount
    {0.0, 0.0, 1.0, 100}, // x: passed through unscaled
    {0.0, -1.0, 1.0, -1}, // y
    {0.0, 0.0, 1.0, 100}, // par3: passed through unscaled
};

constexpr const char* FIELD_KEYS[NOF_CONTROLLER_FIELDS] = {"type", "amount", "x", "y", "par3"};
constexpr const char* FIELD_LABELS[NOF_CONTROLLER_FIELDS] = {"type", "%", "x", "y", "rate"};

bool isField(int field) { return field >= 0 && field < NOF_CONTROLLER_FIELDS; }

const ScaledRange& emptyRange() {
    static const ScaledRange range(E);
    return range;
}

} // namespace

ScaledRange::ScaledRange(const ParamRange& range) : ParamRange(range) {
    if (min != 0.0 || max != 0.0)
        scaling = makeScaling(range);
}

const std::map<std::wstring, ControllerKind>& controllerKinds() {
    static const std::map<std::wstring, ControllerKind> kinds = {
        {L"random", {1, {L"walk", L"spread", nullptr}}},
        {L"amp_noise", {2, {L"offset", L"mix", nullptr}}},
        {L"lfo", {3, {L"skew", L"clip", L"freq"}}},
        {L"midi", {4, {L"x", L"y", nullptr}}},
        {L"adsr_mix", {5, {L"mix", nullptr, nullptr}}},
        {L"inner", {6, {L"param", nullptr, nullptr}}},
        {L"inner_2", {7, {L"param", nullptr, nullptr}}},
        {L"inner_3", {8, {L"param", nullptr, nullptr}}},
    };
    return kinds;
}

const ScaledRange& getControllerParamRange(int type, int field) {
    using Row = std::array<ScaledRange, NOF_SETTING_FIELDS>;
    static const std::array<Row, NOF_CONTROLLER_TYPES> ranges = [] {
        std::array<Row, NOF_CONTROLLER_TYPES> rows;
        for (int t = 0; t < NOF_CONTROLLER_TYPES; ++t)
            for (int f = 0; f < NOF_SETTING_FIELDS; ++f)
                rows[t][f] = ScaledRange(PARAM_RANGE_ROWS[t][f]);
        return rows;
    }();
    if (type < 0 || type >= NOF_CONTROLLER_TYPES || field < FIELD_AMOUNT || field > FIELD_PAR3)
        return emptyRange();
    return ranges[type][field - FIELD_AMOUNT];
}

const ScaledRange& getControllerFieldRange(int field) {
    static const std::array<ScaledRange, NOF_CONTROLLER_FIELDS> ranges = [] {
        std::array<ScaledRange, NOF_CONTROLLER_FIELDS> rows;
        for (int f = 0; f < NOF_CONTROLLER_FIELDS; ++f)
            rows[f] = ScaledRange(FIELD_RANGE_ROWS[f]);
        return rows;
    }();
    return isField(field) ? ranges[field] : emptyRange();
}

const char* controllerFieldKey(int field) { return isField(field) ? FIELD_KEYS[field] : ""; }

const char* controllerFieldLabel(int field) { return isField(field) ? FIELD_LABELS[field] : ""; }

} // namespace korvel::veldro
