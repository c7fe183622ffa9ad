#include "support/ThreadCount.h"

#include <filesystem>

namespace testing_support {

std::size_t threadsOfThisProcess()
{
    std::size_t n = 0;
    for ([[maybe_unused]] const auto& task : std::filesystem::directory_iterator("/proc/self/task"))
        ++n;
    return n;
}

} // namespace testing_support
