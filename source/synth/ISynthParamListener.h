#pragma once

#include <cstdint>

namespace korvel::veldro {

// A watcher of synth parameters (an editor view). It is filed under getId()
// and hears the change groups of its mask (notifyListeners) and the single
// changes of the parameters from its id up to the next listener's id
// (notifyListener). paramChanged runs on the thread of the change that caused
// it: the editor, the host's parameter thread or the audio thread (a program
// change), so it must not block and must hand view updates to the editor.
class ISynthParamListener {
public:
    virtual ~ISynthParamListener() = default;

    virtual int getId() const = 0;
    virtual void paramChanged(std::uint32_t flags) = 0;

    std::uint32_t mask = 0;
};

} // namespace korvel::veldro
