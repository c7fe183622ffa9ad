#pragma once

#include <cerrno>
#include <stdexcept>
#include <string>
#include <system_error>

namespace korvel::host {

// A failure the host reports to the user and ends with.
class HostError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

// The system's words for why the last failed system call failed (errno), to follow a message.
inline std::string systemReason() { return std::generic_category().message(errno); }

}  // namespace korvel::host
