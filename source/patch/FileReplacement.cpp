#include "patch/FileReplacement.h"

#include <cerrno>
#include <cstdio>
#include <fstream>
#include <iterator>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvel::veldro {
namespace {

constexpr const char* TEMPORARY_SUFFIX = ".tmp";
// A new file gets the usual mode of a document; a replaced one keeps its own
// (the temporary is made with the owner's read and write bits only).
constexpr mode_t NEW_FILE_MODE = 0644;

bool writeAll(int fd, std::string_view bytes)
{
    while (!bytes.empty()) {
        const ssize_t written = ::write(fd, bytes.data(), bytes.size());
        if (written < 0 && errno == EINTR)
            continue;
        if (written <= 0)
            return false;
        bytes.remove_prefix(static_cast<std::size_t>(written));
    }
    return true;
}

// One name per target: a write killed half way leaves a file that the next
// write to the same target replaces. A file of that name found at the start
// is such a leftover, or a write overlapping this one, which then fails its
// rename and leaves the target whole.
int createTemporary(const std::string& temporary)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0600);
        if (fd >= 0 || errno != EEXIST)
            return fd;
        ::unlink(temporary.c_str());
    }
    return -1;
}

mode_t modeFor(const std::string& path)
{
    struct stat existing {};
    return ::stat(path.c_str(), &existing) == 0 ? (existing.st_mode & 07777) : NEW_FILE_MODE;
}

} // namespace

std::optional<std::string> readWholeFile(const std::string& path)
{
    std::ifstream in(path, std::ios::binary);
    if (!in)
        return std::nullopt;
    std::string text{std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
    if (in.bad())
        return std::nullopt;
    return text;
}

bool replaceFile(const std::string& path, std::string_view bytes)
{
    const std::string temporary = path + TEMPORARY_SUFFIX;
    const int fd = createTemporary(temporary);
    if (fd < 0)
        return false;
    bool ok = ::fchmod(fd, modeFor(path)) == 0 && writeAll(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok)
        std::remove(temporary.c_str());
    return ok;
}

} // namespace korvel::veldro
