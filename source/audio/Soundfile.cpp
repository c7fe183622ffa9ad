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
    auto reader = std::make_unique<FileReader>(filePath.string());
    // An empty file holds no sound.
    if (reader->size() == 0)
        return;
    fileCodec = Codec::create(std::move(reader));
}

std::uint64_t Soundfile::frameCount() const {
    return fileCodec ? fileCodec->frameCount() : 0;
}

} // namespace audio
