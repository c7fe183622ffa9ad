#pragma once

#include <stdexcept>
#include <string>

namespace JSON {

// A text the reader could not read; what() holds the reader's message.
class ParseError : public std::runtime_error {
public:
    explicit ParseError(const std::string& message)
        : std::runtime_error(message)
    {
    }
};

} // namespace JSON
