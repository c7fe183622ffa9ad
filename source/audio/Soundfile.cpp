#include "audio/Soundfile.h"

#include <filesystem>
#include <stdexcept>

namespace audio {
namespace {

// Wide paths hold Unicode code points; the file system takes UTF-8. The standard
// conversion would go through the process locale, which a host may leave at "C".
std::filesystem::path utf8Path(const std::wstring& wide) {
    std::u8string bytes;
    for (const wchar_t unit : wide) {
        const auto c = std::uint32_t(unit);
        if (c > 0x10FFFF || (c >= 0xD800 && c <= 0xDFFF))
            throw std::runtime_error("path is not valid Unicode");
        if (c < 0x80) {
            bytes += char8_t(c);
        } else if (c < 0x800) {
            bytes += {char8_t(0xC0 | c >> 6), char8_t(0x80 | (c & 0x3F))};
        } else if (c < 0x10000) {
            bytes += {char8_t(0xE0 | c >> 12), char8_t(0x80 | (c >> 6 & 0x3F)), char8_t(0x80 | (c & 0x3F))};
        } else {
            bytes += {char8_t(0xF0 | c >> 18), char8_t(0x80 | (c >> 12 & 0x3F)), char8_t(0x80 | (c >> 6 & 0x3F)),
                      char8_t(0x80 | (c & 0x3F))};
        }
    }
    return std::filesystem::path(bytes);
}

} // namespace

Soundfile::Soundfile(const std::wstring& path) {
    const std::filesystem::path filePath = utf8Path(path);
    // Opening a FIFO or device could block the worker for ever; refuse before opening.
    if (!std::filesystem::is_regular_file(filePath))
        throw std::runtime_error("not a regular file: " + filePath.string());
    // An empty file cannot be mapped, and holds no sound either.
    if (std::filesystem::file_size(filePath) == 0)
        return;

    boost::iostreams::mapped_file_params params(filePath.string());
    params.flags = boost::iostreams::mapped_file::readonly;
    params.offset = 0;
    params.length = static_cast<std::size_t>(-1);
    auto mapping = std::make_unique<Codec::MappedFile>();
    mapping->open(params);
    fileCodec = Codec::create(std::move(mapping));
}

std::uint64_t Soundfile::frameCount() const {
    return fileCodec ? fileCodec->frameCount() : 0;
}

} // namespace audio
