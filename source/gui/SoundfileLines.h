#pragma once

#include "vstgui/lib/cdrawcontext.h"

#include <cstddef>
#include <string>

namespace audio {
class SoundPack;
}

namespace korvel::gui {

// The waveform sketch of one sound in view coordinates: per pixel column at most one segment of each
// set (peaks: a vertical min-max bar; amplitude and noisiness: the polyline piece ending there).
struct SoundfileLines {
    VSTGUI::CDrawContext::LineList peaks;
    VSTGUI::CDrawContext::LineList amplitude;
    VSTGUI::CDrawContext::LineList noisiness;

    bool empty() const { return peaks.empty(); }
    std::size_t columns() const { return peaks.size(); }
    void clear();
};

// Built from a ready pack's analysis tracks for the rectangle `rect`. Any thread.
SoundfileLines buildSoundfileLines(const audio::SoundPack& pack, const VSTGUI::CRect& rect);

// The part of a path after its last '/' or '\\', whichever comes later.
std::wstring fileNameOf(const std::wstring& path);

} // namespace korvel::gui
