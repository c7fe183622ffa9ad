#pragma once

#include <cstddef>
#include <cstdint>
#include <string>

namespace audio {

// A file opened for reading at given offsets. Reads are plain pread calls:
// a file that shrinks or changes underneath makes a read fail, never a
// signal (as a memory mapping would raise). Used by one thread at a time.
class FileReader {
public:
    // Throws std::runtime_error when the file cannot be opened.
    explicit FileReader(const std::string& path);
    ~FileReader();
    FileReader(const FileReader&) = delete;
    FileReader& operator=(const FileReader&) = delete;

    // The size when opened.
    std::uint64_t size() const { return fileSize; }
    // Fills n bytes from offset; false when the file no longer holds them.
    bool read(std::uint64_t offset, void* into, std::size_t n) const;

private:
    int fd = -1;
    std::uint64_t fileSize = 0;
};

} // namespace audio
