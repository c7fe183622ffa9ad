#include "patch/FileReplacement.h"

#include <algorithm>
#include <cerrno>
#include <chrono>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <thread>
#include <utility>

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

namespace korvel::veldro {
namespace {

constexpr const char* TEMPORARY_SUFFIX = ".tmp";
// The umask decides a new file's mode, as for any document the user makes.
constexpr mode_t NEW_FILE_MODE = 0666;
// A holder that never lets go (a process stopped mid-save, or any tool) must
// not hang the editor's close on the host's GUI thread: a writer gives up
// once the lock has been held this long with nothing changing in the folder.
// Writers that take turns change it with each file they replace, so they wait
// for one another up to the longest wait.
constexpr std::chrono::milliseconds STUCK_HOLDER_WAIT{2000};
constexpr std::chrono::milliseconds LONGEST_TURN_WAIT{10000};
constexpr std::chrono::milliseconds FIRST_RETRY_PAUSE{1};
constexpr std::chrono::milliseconds LONGEST_RETRY_PAUSE{16};

// When the open folder last changed; nothing on an error.
std::optional<std::pair<time_t, long>> changeTimeOf(int folder)
{
    struct stat status {};
    if (::fstat(folder, &status) != 0)
        return std::nullopt;
    return std::pair<time_t, long>(status.st_mtim.tv_sec, status.st_mtim.tv_nsec);
}

// Turns for the writers of one folder while it lives. flock rather than fcntl:
// its lock belongs to the open folder, so threads of one process take turns
// as well as processes, and the system drops it when its holder dies. A folder
// that cannot be locked (not readable, or a network file system without flock)
// is written without turns. flock cannot wait a bounded time, so the lock is
// tried again after growing pauses.
class FolderWriteLock {
public:
    explicit FolderWriteLock(const std::string& path)
        : fd(::open(folderOf(path).c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC))
    {
        if (fd < 0)
            return;
        const auto start = std::chrono::steady_clock::now();
        auto lastChange = changeTimeOf(fd);
        auto quietSince = start;
        auto pause = FIRST_RETRY_PAUSE;
        while (::flock(fd, LOCK_EX | LOCK_NB) != 0) {
            const int error = errno;
            if (error == EINTR)
                continue;
            if (error != EWOULDBLOCK)
                return;
            const auto now = std::chrono::steady_clock::now();
            if (const auto change = changeTimeOf(fd); change != lastChange) {
                lastChange = change;
                quietSince = now;
            }
            if (now - quietSince >= STUCK_HOLDER_WAIT || now - start >= LONGEST_TURN_WAIT) {
                turn = false;
                return;
            }
            std::this_thread::sleep_for(pause);
            pause = std::min(2 * pause, LONGEST_RETRY_PAUSE);
        }
    }
    ~FolderWriteLock()
    {
        if (fd >= 0)
            ::close(fd);
    }
    FolderWriteLock(const FolderWriteLock&) = delete;
    FolderWriteLock& operator=(const FolderWriteLock&) = delete;

    // False when another writer kept the turn for longer than a writer waits.
    bool isTurn() const { return turn; }

private:
    static std::string folderOf(const std::string& path)
    {
        const std::filesystem::path folder = std::filesystem::path(path).parent_path();
        return folder.empty() ? "." : folder.string();
    }

    int fd;
    bool turn = true;
};

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

// One name per target: a file of that name found by the writer holding the
// folder's lock is what a killed write left, and goes.
int createTemporary(const std::string& temporary, mode_t mode)
{
    for (int attempt = 0; attempt < 2; ++attempt) {
        const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
        if (fd >= 0 || errno != EEXIST)
            return fd;
        ::unlink(temporary.c_str());
    }
    return -1;
}

std::optional<mode_t> modeOf(const std::string& path)
{
    struct stat existing {};
    if (::stat(path.c_str(), &existing) != 0)
        return std::nullopt;
    return existing.st_mode & 07777;
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

ReplaceOutcome replaceFile(const std::string& path, std::string_view bytes)
{
    const FolderWriteLock turn(path);
    if (!turn.isTurn())
        return {ReplaceOutcome::Kind::FOLDER_LOCKED};
    const std::string temporary = path + TEMPORARY_SUFFIX;
    const std::optional<mode_t> targetMode = modeOf(path);
    const int fd = createTemporary(temporary, targetMode.value_or(NEW_FILE_MODE));
    if (fd < 0)
        return {ReplaceOutcome::Kind::FAILED};
    // The umask filtered the mode at creation; a replaced file keeps all of its own.
    bool ok = (!targetMode || ::fchmod(fd, *targetMode) == 0) && writeAll(fd, bytes) && ::fsync(fd) == 0;
    ok = ::close(fd) == 0 && ok;
    ok = ok && std::rename(temporary.c_str(), path.c_str()) == 0;
    if (!ok)
        std::remove(temporary.c_str());
    return {ok ? ReplaceOutcome::Kind::REPLACED : ReplaceOutcome::Kind::FAILED};
}

} // namespace korvel::veldro
