#include "audio/FileReader.h"

#include <cerrno>
#include <stdexcept>

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

namespace audio {

FileReader::FileReader(const std::string& path) : fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    if (fd < 0)
        throw std::runtime_error("cannot open " + path);
    struct stat status {};
    if (::fstat(fd, &status) != 0) {
        ::close(fd);
        throw std::runtime_error("cannot read " + path);
    }
    fileSize = static_cast<std::uint64_t>(status.st_size);
}

FileReader::~FileReader() { ::close(fd); }

bool FileReader::read(std::uint64_t offset, void* into, std::size_t n) const {
    auto* bytes = static_cast<unsigned char*>(into);
    while (n > 0) {
        const ssize_t got = ::pread(fd, bytes, n, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR)
            continue;
        if (got <= 0)
            return false;
        bytes += got;
        offset += static_cast<std::uint64_t>(got);
        n -= static_cast<std::size_t>(got);
    }
    return true;
}

} // namespace audio
