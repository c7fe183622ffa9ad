#include "synth/ParamTable.h"

#include "synth/ParamTableRows.h"

#include <cstdio>

namespace korvel::veldro {
namespace {

std::wstring widen(const std::string& text) {
    std::wstring wide;
    wide.reserve(text.size());
    for (unsigned char c : text)
        wide.push_back(static_cast<wchar_t>(c));
    return wide;
}

struct Tables {
    std::map<int, ParamInfo> byId;
    std::map<std::wstring, int> idsByName; // table rows only
};

// The five generated parameters of each control of each row.
void addControllerRows(Tables& tables) {
    std::vector<ParamInfo> generated;
    for (const auto& [id, row] : tables.byId) {
        tables.idsByName.emplace(row.wide_name, id);
        for (int control = 0; control < row.nof_controls; ++control)
            for (int field = 0; field < NOF_CONTROLLER_FIELDS; ++field)
                generated.emplace_back(row.control_id + NOF_CONTROLLER_FIELDS * control + field, row, control, field);
    }
    for (ParamInfo& info : generated)
        tables.byId.emplace(info.id, std::move(info));
}

const Tables& tables() {
    static const Tables built = [] {
        controllerKinds(); // built first, torn down last
        getControllerParamRange(0, FIELD_AMOUNT);
        Tables t;
        for (ParamInfo& row : makeTableRows())
            t.byId.emplace(row.id, std::move(row));
        addControllerRows(t);
        return t;
    }();
    return built;
}

const ParamInfo& defaultParamInfo() {
    static const ParamInfo info(-1, "", "", ParamRange{}, 0);
    return info;
}

// Built at load time: the first lookup may come from the audio thread, which must not allocate.
[[maybe_unused]] const Tables& builtAtLoad = tables();

} // namespace

ParamInfo::ParamInfo(int id, const char* name, const char* unit, const ParamRange& range, std::uint32_t flags,
                     int nof_controls, int control_id)
    : id(id), nof_controls(nof_controls), control_id(control_id), flags(flags), name(name), unit(unit),
      wide_name(widen(this->name)), range(range), scaling(makeScaling(range)) {}

ParamInfo::ParamInfo(int id, const ParamInfo& parent, int controlIndex, int field)
    : id(id), nof_controls(0), control_id(-1), parent(&parent), controlIndex(controlIndex), field(field),
      flags(GROUP_CONTROLLERS), name(controllerKey(parent, controlIndex, field)), unit(controllerFieldLabel(field)),
      wide_name(widen(name)), range(getControllerFieldRange(field)), scaling(makeScaling(range)) {}

ParamInfo::ParamInfo(const ParamInfo& other)
    : id(other.id), nof_controls(other.nof_controls), control_id(other.control_id), parent(other.parent),
      controlIndex(other.controlIndex), field(other.field), flags(other.flags), name(other.name), unit(other.unit),
      wide_name(other.wide_name), range(other.range), scaling(makeScaling(other.range)) {}

ParamInfo& ParamInfo::operator=(const ParamInfo& other) {
    if (this != &other)
        *this = ParamInfo(other);
    return *this;
}

const ParamInfo& getParamInfo(int id) {
    const auto& byId = tables().byId;
    const auto found = byId.find(id);
    return found == byId.end() ? defaultParamInfo() : found->second;
}

const ParamInfo& getParamInfoByName(const std::wstring& name) {
    const auto& idsByName = tables().idsByName;
    const auto found = idsByName.find(name);
    return found == idsByName.end() ? defaultParamInfo() : getParamInfo(found->second);
}

const std::map<int, ParamInfo>& paramTable() { return tables().byId; }

std::string controllerKey(const ParamInfo& parent, int controlIndex, int field) {
    return parent.name + ".contr" + std::to_string(controlIndex) + "." + controllerFieldKey(field);
}

const char* paramShortLabel(int id) {
    static const std::map<int, const char*> labels = {
        {9, "ATTACK"}, {10, "DECAY"}, {11, "AMP"},     {12, "PAN"},     {13, "CLIP"},
        {14, "CRUSH"}, {16, "FREQS"}, {18, "MIX"},     {23, "DELTIME"}, {24, "FEEDBK"},
    };
    const ParamInfo* parent = getParamInfo(id).parent;
    if (!parent)
        return "";
    const auto found = labels.find(parent->id);
    return found == labels.end() ? "" : found->second;
}

} // namespace korvel::veldro
