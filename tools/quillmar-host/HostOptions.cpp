#include "HostOptions.h"

#include <charconv>
#include <cmath>

namespace korvel::host {

namespace {

template <typename Number>
Number parseNumber(const std::string& text, const std::string& option) {
    Number value{};
    const char* end = text.data() + text.size();
    const auto [stop, error] = std::from_chars(text.data(), end, value);
    if (error != std::errc() || stop != end || text.empty())
        throw UsageError("option " + option + ": '" + text + "' is not a number");
    if constexpr (std::is_floating_point_v<Number>) {
        if (!std::isfinite(value)) throw UsageError("option " + option + ": '" + text + "' is not a finite number");
    }
    return value;
}

template <typename Number>
Number parseInRange(const std::string& text, const std::string& option, Number lowest, Number highest) {
    const Number value = parseNumber<Number>(text, option);
    if (value < lowest || value > highest)
        throw UsageError("option " + option + ": " + text + " is outside " + std::to_string(lowest) + ".." +
                         std::to_string(highest));
    return value;
}

std::vector<std::string> splitFields(const std::string& text, std::size_t count, const std::string& option,
                                     const char* shape) {
    std::vector<std::string> fields;
    std::size_t start = 0;
    for (std::size_t colon; (colon = text.find(':', start)) != std::string::npos; start = colon + 1)
        fields.push_back(text.substr(start, colon - start));
    fields.push_back(text.substr(start));
    if (fields.size() != count) throw UsageError("option " + option + " takes " + shape + ", not '" + text + "'");
    return fields;
}

NoteSpec parseNote(const std::string& text) {
    const auto fields = splitFields(text, 4, "--note", "TIME:KEY:VELOCITY:LENGTH");
    return {parseInRange(fields[0], "--note", 0.0, 1e6), parseInRange(fields[1], "--note", 0, 127),
            parseInRange(fields[2], "--note", 1, 127), parseInRange(fields[3], "--note", 1e-6, 1e6)};
}

ProgramSpec parseProgram(const std::string& text) {
    const auto fields = splitFields(text, 2, "--program", "TIME:PROGRAM");
    return {parseInRange(fields[0], "--program", 0.0, 1e6), parseInRange(fields[1], "--program", 0, 127)};
}

WavFormat parseFormat(const std::string& text) {
    if (text == "16") return WavFormat::PCM16;
    if (text == "float") return WavFormat::FLOAT32;
    throw UsageError("option --format takes 16 or float, not '" + text + "'");
}

}  // namespace

HostOptions parseHostOptions(const std::vector<std::string>& arguments) {
    HostOptions options;
    for (std::size_t i = 0; i < arguments.size(); ++i) {
        const std::string& argument = arguments[i];
        const auto value = [&]() -> const std::string& {
            if (i + 1 >= arguments.size()) throw UsageError("option " + argument + " needs a value");
            return arguments[++i];
        };
        if (argument == "--help" || argument == "-h") {
            options.help = true;
            return options;
        } else if (argument == "--list") {
            options.list = true;
        } else if (argument == "--state") {
            options.state = value();
        } else if (argument == "--sound") {
            options.sound = value();
        } else if (argument == "--out") {
            options.output = value();
        } else if (argument == "--seconds") {
            options.seconds = parseInRange(value(), argument, 0.0, 86400.0);
        } else if (argument == "--block") {
            options.blockSize = parseInRange(value(), argument, 1, 1 << 20);
        } else if (argument == "--rate") {
            options.sampleRate = parseInRange(value(), argument, 1000, 1000000);
        } else if (argument == "--format") {
            options.format = parseFormat(value());
        } else if (argument == "--note") {
            options.notes.push_back(parseNote(value()));
        } else if (argument == "--program") {
            options.programs.push_back(parseProgram(value()));
        } else if (argument.starts_with("-")) {
            throw UsageError("unknown option " + argument);
        } else if (options.plugin.empty()) {
            options.plugin = argument;
        } else {
            throw UsageError("more than one plug-in given: " + argument);
        }
    }
    if (options.plugin.empty()) throw UsageError("no plug-in given");
    if (options.state && options.sound) throw UsageError("give --state or --sound, not both");
    if (!options.list && !options.output) throw UsageError("nothing to do: give --list, --out FILE.wav or both");
    return options;
}

const char* usageText() {
    return "Usage: quillmar-host PLUGIN.so [options]\n"
           "\n"
           "Loads a VST 2.4 plug-in, optionally restores its state, then lists it and/or\n"
           "renders it to a WAV file while sending it the MIDI messages given.\n"
           "\n"
           "Options:\n"
           "  --list                   print the plug-in's name, vendor and parameters\n"
           "                           (index, name, display text, label)\n"
           "  --state FILE             restore a state file (JSON text) through the plug-in's chunk\n"
           "  --sound FILE             play this WAV or AIFF file with the default patch\n"
           "                           (instead of --state)\n"
           "  --out FILE.wav           render into this WAV file\n"
           "  --seconds S              length of the rendering in seconds (default 4)\n"
           "  --block N                frames per processing block (default 512)\n"
           "  --rate HZ                sample rate (default 44100)\n"
           "  --format 16|float        16-bit integer or 32-bit float samples (default 16)\n"
           "  --note TIME:KEY:VELOCITY:LENGTH\n"
           "                           play KEY (0-127) at VELOCITY (1-127) from TIME for LENGTH seconds\n"
           "  --program TIME:PROGRAM   send program change PROGRAM (0-127) at TIME seconds\n"
           "  --help                   show this text\n"
           "\n"
           "Give --list, --out or both; --note and --program may be repeated. Times count in\n"
           "seconds from the start of the rendering; MIDI messages go to channel 1.\n"
           "\n"
           "Exit codes: 0 done; 1 bad input (a plug-in, sound or state file that does not load,\n"
           "a state that names no sound to render, an output file that cannot be written), told\n"
           "with the reason; 2 bad option, told with this text. Interrupted (SIGINT, SIGTERM),\n"
           "the tool completes the WAV file with what it rendered and ends by that signal.\n"
           "\n"
           "Examples:\n"
           "  quillmar-host Quillmar.so --state veldro.json --note 0:60:100:1.5 --out demo.wav --seconds 3\n"
           "  quillmar-host Quillmar.so --sound voice.wav --note 0:60:100:2 --out voice-grains.wav\n";
}

}  // namespace korvel::host
