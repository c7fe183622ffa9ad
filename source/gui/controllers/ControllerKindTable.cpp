#include "gui/controllers/ControllerKindTable.h"

#include <array>

namespace korvel::gui {

namespace {

constexpr const char* INNER_LABELS[3] = {"selected param", "", ""};

constexpr std::array<ControllerKindRow, NOF_CONTROLLER_KINDS> KIND_ROWS = {{
    {"None", "Right-click to select control. Shift to fine-tune, Ctrl-click to set default", "Empty", 0, 1.0,
     0, {"", "", ""}},
    {"Random", "Random: X Walk: offset next val from previous. Y Spread: near or extreme values", "rand %.1f", 2,
     2.0, 3, {"walk", "spread", ""}},
    {"Sound: Amp/Noise", "Amp/Noise: X Time offset (ms). Y mix of Amp/Noise curves", "amp/nz %.1f", 2, 2.0, 3,
     {"offset", "amp/noise", ""}},
    {"LFO Shaped oscil", "LFO: X,Y sets shape. Freq slider 0-100 per sec", "lfo %.1f", 3, 2.0, 3,
     {"Skew", "Clip", "frq %.*f"}},
    {"MIDI Inputs", "MIDI in: X,Y Select or mix inputs. (Note, Velocity, Pitchbend, Mod wheel)", "midi %.1f", 2,
     2.0, 5, {"note-velocity", "pitchbend-mod wheel", ""}},
    {"ADSR 1/2", "ADSR: mix the 2 global ADSRs in Control/MIDI box", "adsr %.1f", 1, 2.0, 0,
     {"mix adsr 1/2", "", ""}},
    {"Veldro sound/grain (1)", "Veldro internal: Use +/- current value of sound/grain params", "%.1f", 1, 1.0, 5,
     {INNER_LABELS[0], INNER_LABELS[1], INNER_LABELS[2]}},
    {"Veldro grain/fx (2)", "Veldro internal: Use +/- current value of grain/fx params", "%.1f", 1, 1.0, 5,
     {INNER_LABELS[0], INNER_LABELS[1], INNER_LABELS[2]}},
    {"Veldro effects (3)", "Veldro internal: Use +/- current value of effect params", "%.1f", 1, 1.0, 5,
     {INNER_LABELS[0], INNER_LABELS[1], INNER_LABELS[2]}},
}};

} // namespace

const ControllerKindRow& controllerKindRow(int kind)
{
    return KIND_ROWS[kind >= 0 && kind < NOF_CONTROLLER_KINDS ? static_cast<std::size_t>(kind) : 0];
}

} // namespace korvel::gui
