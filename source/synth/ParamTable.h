#pragma once

#include "synth/ControllerKinds.h"
#include "synth/ParamRange.h"
#include "synth/Scaling.h"

#include <cstdint>
#include <map>
#include <memory>
#include <string>

// The process-wide parameter table: every synth parameter (ids 0..62), the
// five generated host parameters of each modulation control (ids 63..172) and
// the editor switches (174..177). Built once, read-only afterwards: any thread
// may read it without locking.
//
// "sound.start" and "sound.end" (ids 0 and 1) span the loaded sound, whose
// length belongs to one plug-in instance. Their rows keep the range 0..0 and,
// like every row, a const Scaling that nobody can widen. An instance maps these
// two through its own pair instead: it makes each with
// makeScaling(getParamInfo(id).range) and calls setRange(frame count, 0) on it
// when it installs a sound (see isSoundRangeParam).
namespace korvel::veldro {

// Group bits of a parameter; the same bits serve as patch masks and as
// listener notification flags.
enum GroupFlag : std::uint32_t {
    GROUP_SOUND = 1,
    GROUP_GRAIN = 2,
    GROUP_EFFECTS = 4,
    GROUP_CONTROLLERS = 8,
    GROUP_ENVELOPE = 16,
    GROUP_PATCH_SLOTS = 32,
    GROUP_GLOBALS = 64,
    MASK_ALL = 127,
    MASK_ALL_BUT_GLOBALS = 31,
    MASK_DEFAULT = 128, // as an argument: the instance's defaultMask
    CHANGED_BY_HOST = 512,
    CONTROLLER_TYPE_CHANGED = 1024,
};

// Ids of the table's own rows and of the generated controller parameters.
constexpr int NOF_SYNTH_PARAMS = 63;
constexpr int FIRST_CONTROLLER_PARAM = 63;
constexpr int LAST_CONTROLLER_PARAM = 172;

// One parameter's description.
class ParamInfo {
public:
    // A table row; generated rows come from the constructor below.
    ParamInfo(int id, const char* name, const char* unit, const ParamRange& range, std::uint32_t flags,
              int nof_controls = 0, int control_id = -1);
    // The generated parameter of field `field` of control `controlIndex` of `parent`.
    ParamInfo(int id, const ParamInfo& parent, int controlIndex, int field);
    // Copies make their own Scaling from the range.
    ParamInfo(const ParamInfo& other);
    ParamInfo& operator=(const ParamInfo& other);
    ParamInfo(ParamInfo&&) noexcept = default;
    ParamInfo& operator=(ParamInfo&&) noexcept = default;
    ~ParamInfo() = default;

    // Null when the range's kind makes no Scaling (such parameters are not
    // automatable). For ids 0 and 1 see the note at the top of this header.
    const Scaling* getScaling() const { return scaling.get(); }

    int id;
    int nof_controls;      // 0..2 modulation controls
    int control_id;        // first generated parameter of the controls; -1 when none
    const ParamInfo* parent = nullptr; // controlled row of a generated parameter
    int controlIndex = -1; // control and field a generated parameter stands for
    int field = -1;
    std::uint32_t flags;
    std::string name;      // key such as "grain.rate"
    const char* unit;
    std::wstring wide_name; // name widened byte by byte: JSON key, name lookups
    ParamRange range;

private:
    std::unique_ptr<Scaling> scaling;
};

// The row of an id; an unknown id gives a default row (id -1, no controls,
// flags 0, empty name and unit, range {0, 0..1, kind 3}), never null.
const ParamInfo& getParamInfo(int id);

// The row of one of the 67 table rows by name; generated parameters and
// unknown names give the default row.
const ParamInfo& getParamInfoByName(const std::wstring& name);

// All rows, in id order.
const std::map<int, ParamInfo>& paramTable();

// "%s.contr%i.%s": parent name, control, field key (e.g. "grain.rate.contr1.amount").
std::string controllerKey(const ParamInfo& parent, int controlIndex, int field);

// Upper-case caption of a generated parameter's controlled parameter
// ("ATTACK" for ids 123..127); empty for other parents and plain parameters.
const char* paramShortLabel(int id);

// "sound.start" and "sound.end": their Scalings belong to each instance.
constexpr bool isSoundRangeParam(int id) { return id == 0 || id == 1; }

} // namespace korvel::veldro
