#pragma once

#include "editor/GuiSynthParamBridge.h"

#include <memory>
#include <utility>
#include <vector>

namespace korvel::veldro {

// Owns the bridges of one open editor window and carries parameter changes that arrived on other threads
// over to their controls and displays. The bridges must outlive their controls and their listener
// registration: clear only after the listeners are cleared and the frame is released. GUI thread only.
class GuiBridges {
public:
    template <typename Bridge, typename... Args>
    Bridge* make(Args&&... args)
    {
        auto bridge = std::make_unique<Bridge>(std::forward<Args>(args)...);
        Bridge* made = bridge.get();
        bridges.push_back(std::move(bridge));
        return made;
    }

    // Each idle, before the frame paints.
    void applyPendingUpdates();
    void clear() { bridges.clear(); }
    std::size_t size() const { return bridges.size(); }

private:
    std::vector<std::unique_ptr<GuiSynthParamBridge>> bridges;
};

} // namespace korvel::veldro
