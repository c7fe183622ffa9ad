#include "utility/Win32Compat.h"

#include <array>
#include <chrono>
#include <mutex>

namespace korvel::win32 {
namespace {

constexpr std::uint32_t rgb(std::uint32_t r, std::uint32_t g, std::uint32_t b) { return r | (g << 8) | (b << 16); }

constexpr std::array<std::uint32_t, SYSTEM_COLOUR_COUNT> systemColours = {
    rgb(200, 200, 200), // 0 scroll bar
    rgb(0, 0, 0),       // 1 desktop
    rgb(153, 180, 209), // 2 active caption
    rgb(191, 205, 219), // 3 inactive caption
    rgb(240, 240, 240), // 4 menu
    rgb(255, 255, 255), // 5 window
    rgb(100, 100, 100), // 6 window frame
    rgb(0, 0, 0),       // 7 menu text
    rgb(0, 0, 0),       // 8 window text
    rgb(0, 0, 0),       // 9 caption text
    rgb(180, 180, 180), // 10 active border
    rgb(244, 247, 252), // 11 inactive border
    rgb(171, 171, 171), // 12 application workspace
    rgb(0, 120, 215),   // 13 highlight
    rgb(255, 255, 255), // 14 highlight text
    rgb(240, 240, 240), // 15 button face
    rgb(160, 160, 160), // 16 button shadow
    rgb(109, 109, 109), // 17 grey text
    rgb(0, 0, 0),       // 18 button text
    rgb(0, 0, 0),       // 19 inactive caption text
    rgb(255, 255, 255), // 20 button highlight
    rgb(105, 105, 105), // 21 3D dark shadow
    rgb(227, 227, 227), // 22 3D light
    rgb(0, 0, 0),       // 23 tooltip text
    rgb(255, 255, 225), // 24 tooltip background
};

std::mutex tickSourceMutex;
std::function<std::uint32_t()> tickSource;

std::uint32_t steadyMilliseconds()
{
    auto elapsed = std::chrono::steady_clock::now().time_since_epoch();
    return static_cast<std::uint32_t>(std::chrono::duration_cast<std::chrono::milliseconds>(elapsed).count());
}

} // namespace

std::uint32_t GetSysColor(int index)
{
    if (index < 0 || index >= SYSTEM_COLOUR_COUNT)
        return 0;
    return systemColours[static_cast<std::size_t>(index)];
}

std::uint32_t GetTickCount()
{
    std::lock_guard lock(tickSourceMutex);
    return tickSource ? tickSource() : steadyMilliseconds();
}

void setTickSourceForTesting(std::function<std::uint32_t()> source)
{
    std::lock_guard lock(tickSourceMutex);
    tickSource = std::move(source);
}

} // namespace korvel::win32
