// Writes the demo's sound and a state that names it (by absolute path) as the live patch.
#include "DemoContent.h"

#include <fstream>
#include <iostream>

int main(int argc, char** argv) {
    if (argc != 2) {
        std::cerr << "usage: quillmar-demo-content FOLDER\n"
                     "Writes FOLDER/demo-chord.wav and FOLDER/demo-state.json.\n";
        return 2;
    }
    try {
        const std::filesystem::path folder = std::filesystem::absolute(argv[1]);
        std::filesystem::create_directories(folder);
        const std::filesystem::path sound = folder / "demo-chord.wav";
        // A minor seventh chord on A2: plenty of partials for the grains to pick from.
        korvel::demo::writeChord(sound, {110.0, 130.81, 164.81, 196.0}, 4.0);

        const std::string state = korvel::demo::makeState({{1,
                                                             sound,
                                                             {{"sound.play_rate", 0.3},
                                                              {"grain.rate", 45.0},
                                                              {"grain.length", 160.0},
                                                              {"grain.amp", 1.2},
                                                              {"delay.time", 330.0},
                                                              {"delay.feedback", 0.35},
                                                              {"adsr1.points.3.delta", 900.0}}}});
        const std::filesystem::path stateFile = folder / "demo-state.json";
        std::ofstream out(stateFile, std::ios::binary);
        out << state;
        out.close();
        if (!out) throw std::runtime_error("cannot write " + stateFile.string());
        std::cout << "demo sound " << sound.string() << "\ndemo state " << stateFile.string() << '\n';
        return 0;
    } catch (const std::exception& error) {
        std::cerr << "quillmar-demo-content: " << error.what() << '\n';
        return 1;
    }
}
