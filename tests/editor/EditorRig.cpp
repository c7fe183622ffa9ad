#include "EditorRig.h"

#include "DemoContent.h"
#include "gui/CTextDisplay.h"
#include "vstgui/lib/cviewcontainer.h"

#include <chrono>
#include <stdexcept>
#include <thread>

namespace korvel::test {

namespace {

constexpr float RATE = 44100;
constexpr int BLOCK = 512;

VstIntPtr recordingHost(AEffect*, VstInt32 opcode, VstInt32 index, VstIntPtr, void*, float)
{
    EditorRig::hostCalls().emplace_back(opcode, index);
    return opcode == audioMasterVersion ? 2400 : 0;
}

AEffEditor* makeController(Processor& processor) { return new Controller(&processor); }

} // namespace

std::vector<std::pair<int, int>>& EditorRig::hostCalls()
{
    static std::vector<std::pair<int, int>> calls;
    return calls;
}

HostLog EditorRig::hostEdits()
{
    HostLog edits;
    for (const auto& [opcode, index] : hostCalls()) {
        if (opcode == audioMasterAutomate)
            edits.push_back("automate " + std::to_string(index));
        else if (opcode == audioMasterBeginEdit)
            edits.push_back("begin " + std::to_string(index));
        else if (opcode == audioMasterEndEdit)
            edits.push_back("end " + std::to_string(index));
    }
    return edits;
}

EditorRig::EditorRig() : previous(std::filesystem::current_path())
{
    std::filesystem::current_path(dir.path());
    hostCalls().clear();
}

EditorRig::~EditorRig()
{
    instance.reset();
    std::filesystem::current_path(previous);
}

void EditorRig::writeStateFile(const std::string& text)
{
    std::FILE* file = std::fopen("veldro.json", "wb");
    std::fwrite(text.data(), 1, text.size(), file);
    std::fclose(file);
}

std::filesystem::path EditorRig::chord(const std::string& name)
{
    const std::filesystem::path path = dir.file(name);
    demo::writeChord(path, {220.0, 330.0}, 2.0);
    return path;
}

Processor& EditorRig::processor()
{
    if (!instance) {
        instance = std::make_unique<Processor>(&recordingHost, &makeController);
        instance->setSampleRate(RATE);
        instance->setBlockSize(BLOCK);
    }
    return *instance;
}

Controller& EditorRig::editor() { return *static_cast<Controller*>(processor().getEditor()); }

void EditorRig::loadAndWait(const std::filesystem::path& sound)
{
    veldro::Synth& synth = processor().getSynth();
    synth.loadSound(sound.string(), {});
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (synth.pollLoads() > 0 || !synth.isSoundReady()) {
        if (std::chrono::steady_clock::now() > deadline)
            throw std::runtime_error("sound did not load");
        std::this_thread::yield();
    }
}

void EditorRig::render(int blocks)
{
    std::vector<float> left(BLOCK), right(BLOCK);
    float* outputs[] = {left.data(), right.data()};
    for (int i = 0; i < blocks; ++i)
        processor().processReplacing(nullptr, outputs, BLOCK);
}

std::vector<VSTGUI::CView*> allViews(const VSTGUI::CViewContainer& container)
{
    std::vector<VSTGUI::CView*> views;
    for (VSTGUI::CView* child : container.getChildren()) {
        views.push_back(child);
        if (auto* inner = dynamic_cast<VSTGUI::CViewContainer*>(child)) {
            const auto below = allViews(*inner);
            views.insert(views.end(), below.begin(), below.end());
        }
    }
    return views;
}

std::vector<std::string> displayTexts(const VSTGUI::CViewContainer& container)
{
    std::vector<std::string> texts;
    for (VSTGUI::CView* view : allViews(container))
        if (auto* display = dynamic_cast<gui::CTextDisplay*>(view))
            texts.push_back(display->getTitle().getString());
    return texts;
}

} // namespace korvel::test
