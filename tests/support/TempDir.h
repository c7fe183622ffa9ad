#pragma once

#include <filesystem>
#include <string>

namespace testing_support {

// A fresh folder under the system temp folder, removed with everything in it.
class TempDir {
public:
    TempDir();
    ~TempDir();
    TempDir(const TempDir&) = delete;
    TempDir& operator=(const TempDir&) = delete;

    const std::filesystem::path& path() const { return root; }
    std::filesystem::path file(const std::string& name) const { return root / name; }

private:
    std::filesystem::path root;
};

} // namespace testing_support
