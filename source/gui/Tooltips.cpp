#include "gui/Tooltips.h"

#include "vstgui/lib/controls/ccontrol.h"

#include <cstring>
#include <map>

namespace korvel::gui {
namespace {

const std::map<int, const char*>& tooltips()
{
    static const std::map<int, const char*> table = {
        {0, "Right-click to open new soundfile, Shift+drag to move selection..."},
        {2, "Timestretch - how fast to play the soundfile"},
        {3, "sound.play_position"},
        {4, "Grains per second"},
        {5, "Grain length (secs)"},
        {6, "Rough sketch of grain stream"},
        {7, "Pitch offset (MIDI note C4 (=60) means no offset)"},
        {8, "Glissando in each grain (TIP: Very small random amount makes less metallic)"},
        {9, "Grain Attack/Decay. (TIP: With gliss, Changing Att-Dec makes a difference."},
        {11, "Output amp"},
        {12, "Panning (TIP: Use random in right control box)"},
        {13, "Foldover or Overdrive clipping"},
        {14, "Bitcrush (anti-aliased)"},
        {15, "Distortion low-pass filter"},
        {16, "Filter cutoff freq and Q (bandwidth)"},
        {17, "filter.width"},
        {18, "Filter mix: Low end"},
        {19, "Filter mix: Bandpass/resonance"},
        {20, "Filter mix: High end"},
        {23, "Delay time (secs)"},
        {24, "Delay feedback for grains to read and write into delay line"},
        {25, "Used for MIDI notes. TIP: Raise endpoint for sound between notes."},
        {40, "Used for controllers (with other ADSR)"},
        {56, "Glide time for all patch / knob / controller changes"},
        {57, "Density compensation: How much to lower amp for higher density"},
        {58, "Randomize patches"},
        {59, "Do/Don't switch soundfile/selection when changing patch"},
        {60, "Do/Don't change controllers when changing patch"},
        {61, "Do/Don't change ADSR etc when changing patch"},
        {174, "Click for save dialog. Drop patch.json file to load"},
    };
    return table;
}

void setTooltip(VSTGUI::CView* view, const char* text)
{
    if (!view || !text)
        return;
    const auto size = static_cast<VSTGUI::uint32>(std::strlen(text) + 1);
    view->setAttribute(VSTGUI::kCViewTooltipAttribute, size, text);
}

} // namespace

const char* tooltipFor(int tag)
{
    auto found = tooltips().find(tag);
    return found == tooltips().end() ? nullptr : found->second;
}

void setTooltipForControl(VSTGUI::CControl* control)
{
    if (control)
        setTooltip(control, tooltipFor(control->getTag()));
}

void setTooltipText(VSTGUI::CControl* control, const char* text)
{
    if (text)
        setTooltip(control, text);
    else
        setTooltipForControl(control);
}

void setTooltipForTag(VSTGUI::CView* view, int tag) { setTooltip(view, tooltipFor(tag)); }

} // namespace korvel::gui
