#pragma once

#include "synth/loading/SoundLoader.h"
#include "synth/params/FakeEngine.h"
#include "synth/params/RecordingListener.h"
#include "support/TempDir.h"

#include <atomic>
#include <filesystem>
#include <functional>
#include <future>
#include <latch>
#include <map>
#include <memory>
#include <string>
#include <thread>
#include <vector>

namespace korvel::test {

// A loader whose workers can be held back before they start loading and
// waited for once they have finished, so tests need no sleeps.
class HeldLoader : public veldro::SoundLoader {
public:
    using SoundLoader::SoundLoader;
    ~HeldLoader() override;

    // The next load of path waits until release(path).
    void hold(const std::wstring& path);
    void release(const std::wstring& path);
    // Returns once the load of path has reported its result.
    void waitUntilFinished(const std::wstring& path);

    // The next start fails as if no thread could be started.
    bool failNextStart = false;
    // Runs while a load starts, with the loader's maps locked.
    std::function<void()> duringStart;
    int starts = 0;

protected:
    std::future<int> startWorker(std::shared_ptr<audio::SoundPack> pack) override;

private:
    struct Gate {
        void openOnce()
        {
            if (!opened.exchange(true))
                open.count_down();
        }
        std::atomic<bool> opened{false};
        std::latch open{1};
        std::latch finished{1};
    };
    std::shared_ptr<Gate>& gate(const std::wstring& path);

    std::map<std::wstring, std::shared_ptr<Gate>> gates;
    std::vector<std::future<void>> workers;
};

// A loader on a parameter model over a fake engine: installing a sound makes
// it the fake's current sound, as Synth::setSound does.
struct LoaderRig {
    LoaderRig();

    // Loads a file dropped by the user (UTF-8 path) and waits for its worker.
    void dropAndFinish(const std::filesystem::path& path);
    // dropAndFinish, then the poll that installs it.
    void dropAndPoll(const std::filesystem::path& path);
    // The loader's wide key of a file.
    static std::wstring key(const std::filesystem::path& path);
    std::shared_ptr<audio::SoundPack> cached(const std::filesystem::path& path) const;
    std::filesystem::path writeSound(const std::string& name, int frames) const;
    // The calling thread counts as the audio thread until cleared.
    void markAudioThread() { audioThread = std::this_thread::get_id(); }

    testing_support::TempDir dir;
    ParamsRig rig;
    std::vector<std::shared_ptr<audio::SoundPack>> installed;
    std::atomic<std::thread::id> audioThread{};
    std::vector<std::pair<std::string, veldro::StatusColour>> statusTexts;
    veldro::StatusReport status;
    ChangeLog log;
    RecordingListener soundView{0, 0, log};
    HeldLoader loader;
};

} // namespace korvel::test
