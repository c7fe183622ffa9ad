#include "HostOptions.h"
#include "Listing.h"
#include "PluginInstance.h"
#include "Render.h"
#include "SoundCheck.h"
#include "StateBuilder.h"
#include "StateFile.h"
#include "utility/Utf8.h"

#include <cmath>
#include <iostream>

namespace {

using namespace korvel::host;

// The state restored before anything else: the state file's, or the default patch playing the
// sound given. Every sound it plays is checked first, so that a sound that would not load is
// told rather than rendered as silence.
std::optional<std::string> stateToRestore(const HostOptions& options) {
    if (options.sound) {
        const std::filesystem::path sound = std::filesystem::absolute(*options.sound);
        requireSound(korvel::utf8::widen(sound.string()));
        return makeState({{LIVE_SLOT, sound, {}}});
    }
    if (!options.state) return std::nullopt;
    std::string state = readStateFile(*options.state);
    std::vector<int> programs;
    for (const ProgramSpec& change : options.programs) programs.push_back(change.program);
    requireStateSounds(state, programs);
    return state;
}

void warnAbout(const RenderSummary& summary, const WavWriter& out, const HostOptions& options) {
    if (out.clippedSamples() > 0)
        std::cerr << "quillmar-host: warning: " << out.clippedSamples()
                  << " samples clipped at full scale in the 16-bit file (peak " << summary.peak
                  << "); --format float keeps them whole\n";
    if (summary.peak == 0 && !options.notes.empty())
        std::cerr << "quillmar-host: warning: the rendering is silent"
                  << (options.state || options.sound ? "" : " (give the plug-in a sound: --sound FILE or --state FILE)")
                  << '\n';
}

void renderToFile(PluginInstance& plugin, const HostOptions& options) {
    MidiSchedule schedule(options.sampleRate);
    for (const NoteSpec& note : options.notes) schedule.addNote(note);
    for (const ProgramSpec& change : options.programs) schedule.addProgramChange(change);

    const int channels = plugin.effect().numOutputs;
    WavWriter out(*options.output, channels, options.sampleRate, options.format);
    plugin.resume();
    const RenderSummary summary =
        render(plugin, schedule, std::llround(options.seconds * options.sampleRate), options.blockSize, out);
    plugin.suspend();
    out.finish();
    std::cout << "wrote " << options.output->string() << ": " << channels << " channels, " << summary.frames
              << " frames (" << static_cast<double>(summary.frames) / options.sampleRate << " s) at "
              << options.sampleRate << " Hz, peak " << summary.peak << ", RMS " << summary.rms << '\n';
    warnAbout(summary, out, options);
}

int run(const HostOptions& options) {
    PluginModule module(options.plugin);
    const std::optional<std::string> state = stateToRestore(options);
    PluginInstance plugin(module, static_cast<float>(options.sampleRate), options.blockSize);
    if (state) plugin.restoreChunk(*state);
    if (options.list) printListing(std::cout, plugin);
    if (options.output) renderToFile(plugin, options);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    try {
        const HostOptions options = parseHostOptions(std::vector<std::string>(argv + 1, argv + argc));
        if (options.help) {
            std::cout << usageText();
            return 0;
        }
        return run(options);
    } catch (const UsageError& error) {
        std::cerr << "quillmar-host: " << error.what() << "\n\n" << usageText();
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "quillmar-host: " << error.what() << '\n';
        return 1;
    }
}
