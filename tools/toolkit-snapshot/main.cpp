// Renders the toolkit's controls into a PNG for a look by eye: toolkit-snapshot [out.png]

#include "ToolArguments.h"
#include "vstgui/testing/demoframe.h"

#include <cstdio>
#include <string>

int main(int argc, char** argv)
{
    const std::string name =
        korvel::tools::nameArgument(argc, argv, "toolkit-snapshot", "OUT.png", "toolkit-snapshot.png");
    const char* path = name.c_str();
    auto frame = VSTGUI::testing::makeDemoFrame();
    if (!frame) {
        std::fprintf(stderr, "toolkit-snapshot: cannot open an offscreen frame\n");
        return 1;
    }
    const bool written = frame->writePNG(path);
    frame->close();
    if (!written) {
        std::fprintf(stderr, "toolkit-snapshot: cannot write %s\n", path);
        return 1;
    }
    std::printf("%s\n", path);
    return 0;
}
