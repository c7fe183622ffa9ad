#pragma once

#include <stdexcept>
#include <string>

namespace korvel {

// A broken internal invariant. Checks stay on in release builds; the failure
// travels as an exception and is caught at the plug-in's edges (the host
// never sees it; the audio thread renders silence instead).
class InvariantError : public std::logic_error {
public:
    using std::logic_error::logic_error;
};

[[noreturn]] void failInvariant(const char* expression, const char* file, int line);

} // namespace korvel

// Reports "file:line: expression" when the expression is false.
#define KORVEL_CHECK(expression) \
    ((expression) ? static_cast<void>(0) : ::korvel::failInvariant(#expression, __FILE__, __LINE__))
