// Renders the whole editor window of a playing instance into a PNG, to check its look by eye:
// editor-snapshot [--theme nightshade|veldro|system] [out.png]
//
// The instance runs in a scratch folder with a generated chord as its sound, a selection in the
// middle of it, the play cursor inside the selection and controllers of several kinds.

#include "DemoContent.h"
#include "ToolArguments.h"
#include "editor/Controller.h"
#include "gui/ColourTable.h"
#include "plugin/Processor.h"
#include "synth/ParamTable.h"
#include "vstgui/lib/cframe.h"

#include <chrono>
#include <cstdio>
#include <exception>
#include <filesystem>
#include <string>
#include <string_view>
#include <thread>
#include <unistd.h>
#include <vector>

namespace {

using namespace korvel;
namespace fs = std::filesystem;

constexpr float RATE = 44100;
constexpr int BLOCK = 512;

VstIntPtr hostCallback(AEffect*, VstInt32 opcode, VstInt32, VstIntPtr, void*, float)
{
    return opcode == audioMasterVersion ? 2400 : 0;
}

AEffEditor* makeController(Processor& processor) { return new Controller(&processor); }

void setControllerKind(veldro::SynthParams& params, int paramId, int control, int kind)
{
    params.setParam(veldro::getParamInfo(paramId).control_id + 5 * control, kind, 0.0);
}

bool waitForSound(Processor& processor)
{
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(20);
    while (!processor.getSynth().isSoundReady()) {
        processor.getSynth().pollLoads();
        if (std::chrono::steady_clock::now() > deadline)
            return false;
        std::this_thread::sleep_for(std::chrono::milliseconds(2));
    }
    return true;
}

void play(Processor& processor, int blocks)
{
    std::vector<float> left(BLOCK), right(BLOCK);
    float* outputs[] = {left.data(), right.data()};
    for (int i = 0; i < blocks; ++i)
        processor.processReplacing(nullptr, outputs, BLOCK);
}

// The start-up theme unless "--theme NAME" comes first; false for a theme the table does not know.
bool selectTheme(int& argc, char**& argv)
{
    if (argc < 3 || std::string_view(argv[1]) != "--theme")
        return true;
    const std::string theme = argv[2];
    argc -= 2;
    argv += 2;
    if (theme != "nightshade" && theme != "veldro" && theme != "system")
        return false;
    gui::colourTable().selectTheme(theme, true);
    gui::colourTable().selectTheme("cie", true); // the colour family stays the one start-up selects
    return true;
}

// Plays an instance in the current folder and writes its open editor to out; false when the PNG
// was not written.
bool snapshot(const fs::path& out)
{
    const fs::path sound = fs::current_path() / "chord.wav";
    demo::writeChord(sound, {220.0, 277.2, 329.6, 440.0}, 2.0);
    Processor processor(&hostCallback, &makeController);
    processor.setSampleRate(RATE);
    processor.setBlockSize(BLOCK);
    veldro::SynthParams& params = processor.getSynth().getParams();
    processor.getSynth().loadSound(sound.string(), {});
    if (!waitForSound(processor))
        return false;
    const double frames = 2.0 * RATE;
    params.setParam(0, 0.25 * frames, 0.0);
    params.setParam(1, 0.75 * frames, 0.0);
    setControllerKind(params, 4, 0, 3); // grain rate: LFO
    setControllerKind(params, 5, 0, 1); // grain length: random walk
    setControllerKind(params, 7, 0, 4); // pitch: MIDI
    setControllerKind(params, 16, 0, 2); // filter: amplitude/noise
    setControllerKind(params, 11, 0, 5); // output level: envelope mix
    processor.resume();
    play(processor, 40);
    AEffEditor* editor = processor.getEditor();
    editor->open(nullptr);
    play(processor, 4);
    editor->idle();
    bool written = false;
    if (auto* controller = dynamic_cast<Controller*>(editor); controller && controller->getFrame())
        written = controller->getFrame()->writePNG(out.string());
    editor->close();
    return written;
}

} // namespace

int main(int argc, char** argv)
{
    if (!selectTheme(argc, argv)) {
        std::fprintf(stderr, "editor-snapshot: themes are nightshade, veldro and system\n");
        return 2;
    }
    const fs::path out = fs::absolute(tools::nameArgument(argc, argv, "editor-snapshot", "OUT.png",
                                                          "editor-snapshot.png", "[--theme nightshade|veldro|system]"));
    std::error_code ignored;
    if (!fs::is_directory(out.parent_path(), ignored)) {
        std::fprintf(stderr, "editor-snapshot: cannot write %s: there is no folder %s\n", out.string().c_str(),
                     out.parent_path().string().c_str());
        return 1;
    }
    // The instance reads and writes its state file in the current folder: a scratch one, gone afterwards.
    const fs::path scratch = fs::temp_directory_path() / ("editor-snapshot-" + std::to_string(getpid()));
    const fs::path start = fs::current_path();
    bool written = false;
    try {
        fs::create_directories(scratch);
        fs::current_path(scratch);
        written = snapshot(out);
    } catch (const std::exception& error) {
        std::fprintf(stderr, "editor-snapshot: %s\n", error.what());
    }
    fs::current_path(start, ignored);
    fs::remove_all(scratch, ignored);
    if (!written) {
        std::fprintf(stderr, "editor-snapshot: could not write %s\n", out.string().c_str());
        return 1;
    }
    std::printf("%s\n", out.string().c_str());
    return 0;
}
