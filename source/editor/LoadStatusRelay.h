#pragma once

#include "synth/loading/StatusReport.h"

#include <memory>
#include <mutex>
#include <string>
#include <utility>
#include <vector>

namespace korvel::gui {
class ITextSender;
}

namespace korvel::veldro {

// Carries the sound loader's status texts to a view. The loader posts from whichever thread polls it
// (the editor's idle, or the plug-in's own poller while no editor is open), so the texts wait here
// until the GUI thread delivers them.
class LoadStatusRelay {
public:
    // --- any thread
    void post(const std::string& text, StatusColour colour);

    // --- GUI thread
    // Sends the texts posted since the last call, oldest first.
    void deliver(const gui::ITextSender& sender);

    // A report for the loader that posts here while the relay lives and is dropped afterwards.
    static StatusReport reportTo(const std::shared_ptr<LoadStatusRelay>& relay);

private:
    std::mutex lock;
    std::vector<std::pair<std::string, StatusColour>> posted;
};

} // namespace korvel::veldro
