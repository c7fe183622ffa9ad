#pragma once

#include <stdexcept>

namespace korvel::host {

// A failure the host reports to the user and ends with.
class HostError : public std::runtime_error {
public:
    using std::runtime_error::runtime_error;
};

}  // namespace korvel::host
