#include "audio/Soundfile.h"

#include "utility/Utf8.h"

#include <filesystem>
#include <stdexcept>

namespace audio {

Soundfile::Soundfile(const std::wstring& path) {
    // The standard wide-path conversion would go through the process locale, which a host may leave at "C".
    const std::filesystem::path filePath(korvel::utf8::narrow(path));
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
