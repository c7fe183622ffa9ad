#include "utility/Check.h"

namespace korvel {

void failInvariant(const char* expression, const char* file, int line)
{
    throw InvariantError(std::string(file) + ":" + std::to_string(line) + ": check failed: " + expression);
}

} // namespace korvel
