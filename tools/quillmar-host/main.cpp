#include "HostOptions.h"
#include "Listing.h"
#include "PluginInstance.h"
#include "Render.h"
#include "SoundCheck.h"
#include "StateBuilder.h"
#include "StateFile.h"
#include "utility/Utf8.h"

#include <cmath>
#include <csignal>
#include <iostream>

namespace {

using namespace korvel::host;

// The signal (SIGINT or SIGTERM) that asked the rendering to stop; 0 while none has.
volatile std::sig_atomic_t stopSignal = 0;

extern "C" void requestStop(int signal) { stopSignal = signal; }

// Interrupted, the tool ends its rendering at a block's end and completes the output file before
// it leaves. A signal ignored when the tool starts (a background job's SIGINT) stays ignored.
void catchStopSignals() {
    for (const int signal : {SIGINT, SIGTERM}) {
        struct sigaction action {};
        sigaction(signal, nullptr, &action);
        if (action.sa_handler == SIG_IGN) continue;
        action.sa_handler = requestStop;
        sigemptyset(&action.sa_mask);
        action.sa_flags = 0;
        sigaction(signal, &action, nullptr);
    }
}

// Ends the process by the signal that stopped it, as an interrupted program should, so that a
// shell or script sees the interruption.
[[noreturn]] void endByStopSignal() {
    const int signal = stopSignal;
    std::cout.flush();
    std::signal(signal, SIG_DFL);
    std::raise(signal);
    std::_Exit(128 + signal);
}

// The state restored before anything else: the state file's, or the default patch playing the
// sound given. Every sound it plays is checked first, so that a sound that would not load is
// told rather than rendered as silence.
std::optional<std::string> stateToRestore(const HostOptions& options) {
    if (options.sound) {
        const std::filesystem::path sound = std::filesystem::absolute(*options.sound);
        requireSound(korvel::utf8::widen(sound.string()), std::cerr);
        return makeState({{LIVE_SLOT, sound, {}}});
    }
    if (!options.state) return std::nullopt;
    std::string state = readStateFile(*options.state);
    std::vector<int> programs;
    for (const ProgramSpec& change : options.programs) programs.push_back(change.program);
    requireStateSounds(state, *options.state, programs, options.output.has_value(), std::cerr);
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
    const std::int64_t frames = std::llround(options.seconds * options.sampleRate);
    const RenderSummary summary =
        render(plugin, schedule, frames, options.blockSize, out, [] { return stopSignal != 0; });
    plugin.suspend();
    out.finish();
    if (summary.frames < frames)
        std::cerr << "quillmar-host: interrupted: the rendering stopped after " << summary.frames << " of " << frames
                  << " frames; " << options.output->string() << " holds those\n";
    std::cout << "wrote " << options.output->string() << ": " << channels << " channels, " << summary.frames
              << " frames (" << static_cast<double>(summary.frames) / options.sampleRate << " s) at "
              << options.sampleRate << " Hz, peak " << summary.peak << ", RMS " << summary.rms << '\n';
    warnAbout(summary, out, options);
}

int run(const HostOptions& options) {
    PluginModule module(options.plugin);
    const std::optional<std::string> state = stateToRestore(options);
    // The tool renders far faster than real time: it says so, so that each block plays what was asked before it.
    PluginInstance plugin(module, static_cast<float>(options.sampleRate), options.blockSize,
                          PluginInstance::offlineHostCallback);
    if (state) plugin.restoreChunk(*state);
    if (options.list) printListing(std::cout, plugin);
    if (options.output) renderToFile(plugin, options);
    return 0;
}

}  // namespace

int main(int argc, char** argv) {
    catchStopSignals();
    try {
        const HostOptions options = parseHostOptions(std::vector<std::string>(argv + 1, argv + argc));
        if (options.help) {
            std::cout << usageText();
            return 0;
        }
        const int exitCode = run(options);
        if (stopSignal != 0) endByStopSignal();
        return exitCode;
    } catch (const UsageError& error) {
        std::cerr << "quillmar-host: " << error.what() << "\n\n" << usageText();
        return 2;
    } catch (const std::exception& error) {
        std::cerr << "quillmar-host: " << error.what() << '\n';
        return 1;
    }
}
