// The loading worker: finds, reads and analyses one sound file.
#include "synth/loading/SoundLoader.h"

#include "audio/LoadState.h"
#include "audio/SoundPack.h"
#include "audio/Soundfile.h"
#include "utility/Utf8.h"

#include <boost/filesystem/operations.hpp>
#include <boost/filesystem/path.hpp>

#include <exception>

namespace korvel::veldro {

namespace {

namespace fs = boost::filesystem;

bool isMissing(const fs::path& path) { return fs::status(path).type() == fs::file_not_found; }

// A bare file name lies in the current folder.
fs::path folderOf(const fs::path& path)
{
    const fs::path parent = path.parent_path();
    return parent.empty() ? fs::path(".") : parent;
}

} // namespace

int SoundLoader::loadPack(std::shared_ptr<audio::SoundPack> pack)
{
    using namespace audio::LoadState;
    pack->setState(STARTED);
    std::shared_ptr<audio::SoundPack> reporting = pack;
    try {
        // Boost would convert a wide path through the process locale.
        const fs::path path(utf8::narrow(pack->name()));
        if (isMissing(path)) {
            pack->setState(isMissing(folderOf(path)) ? FOLDER_NOT_FOUND : NOT_FOUND);
            return pack->state();
        }
        pack->setState(READING);
        auto file = std::make_shared<audio::Soundfile>(pack->name());
        if (!file->codec() || file->frameCount() == 0) {
            pack->setState(NO_FRAMES);
            return NO_FRAMES;
        }
        reporting = std::make_shared<audio::SoundPack>(file, pack->name());
        file.reset();
        storeLoaded(pack->name(), reporting);
        return reporting->state();
    } catch (const std::exception&) {
        reporting->setState(FAILED);
        return FAILED;
    }
}

} // namespace korvel::veldro
