#include "support/TempDir.h"

#include <atomic>
#include <unistd.h>

namespace testing_support {

TempDir::TempDir()
{
    static std::atomic<int> counter{0};
    root = std::filesystem::temp_directory_path() /
           ("quillmar-test-" + std::to_string(::getpid()) + "-" + std::to_string(counter++));
    std::filesystem::remove_all(root);
    std::filesystem::create_directories(root);
}

TempDir::~TempDir()
{
    std::error_code ignored;
    std::filesystem::remove_all(root, ignored);
}

} // namespace testing_support
