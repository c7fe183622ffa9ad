#pragma once

#include "editor/Controller.h"
#include "gui/HostEditCheck.h"
#include "plugin/Processor.h"
#include "support/TempDir.h"

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

namespace VSTGUI {
class CView;
class CViewContainer;
} // namespace VSTGUI

namespace korvel::test {

// A scratch folder made current (an instance reads and writes "./veldro.json" there) with a Processor
// that has its editor, and the host calls it made recorded.
class EditorRig {
public:
    EditorRig();
    ~EditorRig();

    // Writes "./veldro.json" before the instance is made; call before processor().
    void writeStateFile(const std::string& text);
    // A two-second chord in the scratch folder.
    std::filesystem::path chord(const std::string& name);
    Processor& processor();
    Controller& editor();
    // Loads the sound and waits until it is installed.
    void loadAndWait(const std::filesystem::path& sound);
    void render(int blocks);
    void destroy() { instance.reset(); }

    std::filesystem::path file(const std::string& name) const { return dir.file(name); }
    // Host callback opcodes and indices, in order.
    static std::vector<std::pair<int, int>>& hostCalls();
    // The gestures and values among them, as the host edit checks read them.
    static HostLog hostEdits();

private:
    testing_support::TempDir dir;
    std::filesystem::path previous;
    std::unique_ptr<Processor> instance;
};

// Every view below container, depth first.
std::vector<VSTGUI::CView*> allViews(const VSTGUI::CViewContainer& container);
// The titles of the text displays below container.
std::vector<std::string> displayTexts(const VSTGUI::CViewContainer& container);

} // namespace korvel::test
