#pragma once

#include <cstdint>
#include <functional>
#include <string>

namespace korvel::veldro {

struct StatusColour {
    std::uint8_t red = 255, green = 255, blue = 255, alpha = 0;

    bool operator==(const StatusColour&) const = default;
};

// Failures are posted in opaque red.
inline constexpr StatusColour STATUS_ERROR{255, 0, 0, 255};

// Where the loader posts a status text (UTF-8): the editor binds its status
// display here. Empty: nothing is posted.
using StatusReport = std::function<void(const std::string& text, StatusColour colour)>;

} // namespace korvel::veldro
