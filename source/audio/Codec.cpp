#include "audio/Codec.h"

#include "audio/RiffCodec.h"

#include <cstring>

namespace audio {

Codec::Codec(std::unique_ptr<MappedFile>&& mapping) : file(std::move(mapping)) {}

std::unique_ptr<Codec> Codec::create(std::unique_ptr<MappedFile>&& file) {
    const bool known = file->size() >= 4 &&
                       (std::memcmp(file->const_data(), "RIFF", 4) == 0 ||
                        std::memcmp(file->const_data(), "FORM", 4) == 0);
    if (!known) {
        file->close();
        return nullptr;
    }
    return std::make_unique<RiffCodec>(std::move(file));
}

} // namespace audio
