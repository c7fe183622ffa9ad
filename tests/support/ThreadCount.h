#pragma once

#include <cstddef>

namespace testing_support {

// The threads of this process now, as /proc/self/task lists them.
std::size_t threadsOfThisProcess();

} // namespace testing_support
