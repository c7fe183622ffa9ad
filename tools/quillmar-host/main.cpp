#include "HostOptions.h"
#include "Listing.h"
#include "PluginInstance.h"
#include "Render.h"

#include <cmath>
#include <fstream>
#include <iostream>
#include <sstream>

namespace {

using namespace korvel::host;

std::string readStateFile(const std::filesystem::path& path) {
    std::ifstream in(path, std::ios::binary);
    if (!in) throw HostError("cannot read state file " + path.string());
    std::ostringstream text;
    text << in.rdbuf();
    if (text.str().empty()) throw HostError("state file " + path.string() + " is empty");
    return text.str();
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
}

int run(const HostOptions& options) {
    PluginModule module(options.plugin);
    PluginInstance plugin(module, static_cast<float>(options.sampleRate), options.blockSize);
    if (options.state) plugin.restoreChunk(readStateFile(*options.state));
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
