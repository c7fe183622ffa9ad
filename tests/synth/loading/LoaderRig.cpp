#include "synth/loading/LoaderRig.h"

#include "audio/LoadState.h"
#include "audio/SoundPack.h"
#include "support/SoundFileBuilder.h"
#include "utility/Utf8.h"

#include <cmath>
#include <stdexcept>

namespace korvel::test {

HeldLoader::~HeldLoader()
{
    for (auto& [path, g] : gates)
        g->openOnce();
}

std::shared_ptr<HeldLoader::Gate>& HeldLoader::gate(const std::wstring& path)
{
    auto& g = gates[path];
    if (!g)
        g = std::make_shared<Gate>();
    return g;
}

void HeldLoader::hold(const std::wstring& path) { gate(path); }

void HeldLoader::release(const std::wstring& path) { gate(path)->openOnce(); }

void HeldLoader::waitUntilStarted(const std::wstring& path) { gate(path)->started.wait(); }

void HeldLoader::waitUntilFinished(const std::wstring& path) { gate(path)->finished.wait(); }

std::future<int> HeldLoader::startWorker(std::shared_ptr<audio::SoundPack> pack)
{
    ++starts;
    if (duringStart)
        duringStart();
    if (failNextStart) {
        failNextStart = false;
        throw std::runtime_error("no thread");
    }
    const std::wstring path = pack->name();
    // A gate opened for an earlier load of the path is spent: a new load gets a fresh one.
    const auto existing = gates.find(path);
    const bool held = existing != gates.end() && !existing->second->opened.load();
    if (!held)
        gates[path] = std::make_shared<Gate>();
    std::shared_ptr<Gate> g = gate(path);
    if (!held)
        g->openOnce();
    auto load = std::make_shared<std::packaged_task<int()>>([this, g, pack] {
        if (dropIfOvertaken(pack))
            return audio::LoadState::EMPTY;
        g->started.count_down();
        g->open.wait();
        return loadPack(pack);
    });
    std::future<int> result = load->get_future();
    submit([load, g] {
        (*load)();
        g->finished.count_down();
    });
    return result;
}

LoaderRig::LoaderRig()
    : status([this](const std::string& text, veldro::StatusColour colour) { statusTexts.emplace_back(text, colour); }),
      loader(
          rig.params,
          [this](std::shared_ptr<audio::SoundPack> pack) {
              installed.push_back(pack);
              rig.params.setSoundFrameCount(pack->frameCount());
              rig.engine.sound = std::move(pack);
          },
          [this] { return rig.engine.isAudioThread(); })
{
    rig.params.addListener(&soundView);
}

void LoaderRig::dropAndFinish(const std::filesystem::path& path)
{
    loader.loadSound(path.string(), status);
    loader.waitUntilFinished(key(path));
}

void LoaderRig::dropAndPoll(const std::filesystem::path& path)
{
    dropAndFinish(path);
    loader.pollLoads();
}

std::wstring LoaderRig::key(const std::filesystem::path& path) { return utf8::widen(path.string()); }

std::shared_ptr<audio::SoundPack> LoaderRig::cached(const std::filesystem::path& path) const
{
    return loader.findSound(key(path));
}

std::filesystem::path LoaderRig::writeSound(const std::string& name, int frames) const
{
    testing_support::SoundRecipe recipe;
    recipe.channels = 1;
    for (int i = 0; i < frames; ++i)
        recipe.samples.push_back(0.5 * std::sin(i * 0.05));
    const std::filesystem::path path = dir.file(name);
    testing_support::writeSoundFile(path, recipe);
    return path;
}

} // namespace korvel::test
