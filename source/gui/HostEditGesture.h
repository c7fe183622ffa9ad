#pragma once

#include "vstgui/lib/cframe.h"
#include "vstgui/lib/vstguibase.h"

#include <vector>

namespace korvel::veldro {
class SynthParams;
}

namespace korvel::gui {

// The host's edit gestures of one user action that may write several parameters: each parameter's
// gesture opens before its first value goes to the host, and all of them close together when the action
// ends. A host records automation and offers undo only for values inside a gesture of their own id.
// GUI thread only.
class HostEditGesture {
public:
    HostEditGesture() = default;
    HostEditGesture(const HostEditGesture&) = delete;
    HostEditGesture& operator=(const HostEditGesture&) = delete;
    ~HostEditGesture() { close(); }

    // Opens id's gesture in `frame` unless it is open already; without a frame nothing opens.
    void open(VSTGUI::CFrame* frame, int id);
    // Opens id's gesture when needed and tells the host id's value.
    void report(VSTGUI::CFrame* frame, const veldro::SynthParams& params, int id);
    // Ends every open gesture, the latest first.
    void close();
    bool isOpen(int id) const;

private:
    // Kept, so that a view taken out of its frame mid-drag still ends what it began.
    VSTGUI::SharedPointer<VSTGUI::CFrame> frame;
    std::vector<int> openIds;
};

// The host values of some parameters at one moment. After a one-shot edit (a menu choice, a patch
// recall) reportChanges tells the host every one of them that the edit changed, each in a gesture of its
// own. GUI thread only.
class HostValueSnapshot {
public:
    HostValueSnapshot(const veldro::SynthParams& params, std::vector<int> ids);
    // Reports the parameters whose host value differs from the snapshot's, then takes the new values.
    void reportChanges(VSTGUI::CFrame* frame);

private:
    void take();

    const veldro::SynthParams* params;
    std::vector<int> ids;
    std::vector<double> values;
};

// Ids 0 .. 172: every parameter a patch recall or reset can change.
std::vector<int> recallableParamIds();

} // namespace korvel::gui
